#pragma once

#include "gui/GuiElement.h"

#include <memory>
#include <string>
#include <vector>

class GuiButtonOverlay;

// A push button for a pointer with a mouse button: shows whether the pointer
// is over it and whether the left button went down on it, and fires a
// GuiButtonClicked event when the left button is released over it after
// being pressed on it (leaving and coming back in between is allowed).
class GuiButton : public GuiElement
{
public:
    enum GuiButtonState
    {
        GuiButtonStateNormal = 0,
        GuiButtonStateMouseOver = 1,
        GuiButtonStatePressed = 2
    };

    GuiButton(const sf::Vector2<float>& position, std::string name);
    GuiButton(const GuiElement::Type& type, const sf::Vector2<float>& position, std::string name);
    ~GuiButton() override;

    bool HandleEvent(const sf::Event& event, bool handled) override;
    void Process() override;
    void MoveChildren(const sf::Vector2<float>& delta) override;

    virtual void OnChangeState(GuiButtonState state);
    virtual void OnClick();
    // The part of the button that reacts to the pointer: its whole box here.
    virtual bool IsMouseOnButtonPart();

    GuiButtonState GetState() const;
    // Calls OnChangeState (the old state still stored) only when the state changes.
    void SetState(GuiButtonState state);
    // Takes ownership and anchors the overlay on the button; a null overlay
    // is refused with boost::bad_pointer.
    void AddOverlay(GuiButtonOverlay* overlay);
    void DrawOverlays();

private:
    GuiButtonState m_state;
    bool m_pressed;
    std::vector<std::unique_ptr<GuiButtonOverlay>> m_overlays;
};
