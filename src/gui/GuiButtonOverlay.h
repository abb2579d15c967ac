#pragma once

#include "gui/GuiButton.h"

#include <SFML/System/Vector2.hpp>

#include <boost/core/noncopyable.hpp>

class GameManager;

// Content laid over a GuiButton: one of nine points of the content sits on
// one of nine anchor points of the button, shifted by an offset. The button
// owns its overlays, draws them over its look and moves them with itself.
class GuiButtonOverlay : private boost::noncopyable
{
public:
    enum HorizontalPosition
    {
        HorizontalPositionLeft = 0,
        HorizontalPositionCenter = 1,
        HorizontalPositionRight = 2
    };

    enum VerticalPosition
    {
        VerticalPositionTop = 0,
        VerticalPositionMiddle = 1,
        VerticalPositionBottom = 2
    };

    // The content is aligned to the anchor by the same point.
    GuiButtonOverlay(HorizontalPosition horizontal, VerticalPosition vertical, const sf::Vector2<float>& offset);
    GuiButtonOverlay(HorizontalPosition anchorHorizontal, VerticalPosition anchorVertical,
        HorizontalPosition contentHorizontal, VerticalPosition contentVertical, const sf::Vector2<float>& offset);
    virtual ~GuiButtonOverlay();

    virtual void MoveAbsolutePosition(const sf::Vector2<float>& delta);
    virtual void Draw() = 0;
    virtual void OnChangeState(GuiButton::GuiButtonState state);

    // Moves the overlay to its anchor on the button.
    void SetButton(const GuiButton& button);
    void SetState(GuiButton::GuiButtonState state);
    // Where the top-left corner of content of that size goes.
    sf::Vector2<float> GetPositionOfOverlayContent(const float& width, const float& height) const;

protected:
    GameManager* m_gameManager;

private:
    sf::Vector2<float> m_offset;
    sf::Vector2<float> m_position;
    GuiButton::GuiButtonState m_state;
    HorizontalPosition m_anchorHorizontal;
    VerticalPosition m_anchorVertical;
    HorizontalPosition m_contentHorizontal;
    VerticalPosition m_contentVertical;
};
