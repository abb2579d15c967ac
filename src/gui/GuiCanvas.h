#pragma once

#include "gui/GuiElement.h"
#include "gui/GuiElementList.h"

#include <string>
#include <vector>

// A rectangle holding child elements, which it processes, draws and offers
// events to only while it is visible. Over its box it consumes mouse presses,
// releases and moves that no child took.
class GuiCanvas : public GuiElement
{
public:
    GuiCanvas(const sf::Vector2<float>& position, const float& width, const float& height, std::string name);
    ~GuiCanvas() override;

    bool HandleEvent(const sf::Event& event, bool handled) override;
    void Process() override;
    void Draw() override;
    float GetWidth() const override;
    float GetHeight() const override;
    void MoveChildren(const sf::Vector2<float>& delta) override;
    void RegisterGuiManagerForChildren(GuiManager* manager) override;

    // Takes ownership; the child is placed relative to the canvas. While the
    // children are being walked, it joins them at the canvas's next processing.
    void AddElement(GuiElement* element);
    void AddElements(const std::vector<GuiElement*>& elements);
    // Deleted at once, or at the canvas's next processing while the children
    // are being walked; a pointer that is not a child is ignored.
    void RemoveAndDeleteElement(GuiElement* element);
    void RemoveAndDeleteElements(const std::vector<GuiElement*>& elements);

private:
    float m_width;
    float m_height;
    GuiElementList m_children;
};
