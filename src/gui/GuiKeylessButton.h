#pragma once

#include "gui/GuiElement.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <memory>
#include <string>

class ComposedStretchableDrawable;
class DragDropRestricted;

// The button of every screen, worked by moving the mouse alone: a bar with a
// start cap, a stretched middle carrying the label, and an end cap, with a
// handle on the start cap. Pushed by the pointer to the end cap, the handle
// jumps back to the start and the button fires a GuiButtonClicked event; a
// pointer that leaves the handle on the way sends it back without firing.
class GuiKeylessButton : public GuiElement
{
public:
    // width is that of the stretched middle; the caps are added to it. A
    // negative width is refused with ExceptionBase.
    GuiKeylessButton(const sf::Vector2<float>& position, int width, std::string text, std::string name);
    ~GuiKeylessButton() override;

    // Reacts to every event offered, whatever handled says.
    bool HandleEvent(const sf::Event& event, bool handled) override;
    void Process() override;
    void Draw() override;
    float GetWidth() const override;
    float GetHeight() const override;
    void MoveChildren(const sf::Vector2<float>& delta) override;

private:
    unsigned m_width;
    unsigned m_height;
    std::unique_ptr<ComposedStretchableDrawable> m_background;
    std::unique_ptr<sf::Text> m_label;
    sf::Sprite m_startCap;
    sf::Sprite m_endCap;
    std::shared_ptr<DragDropRestricted> m_handle;
};
