#include "gui/GuiCanvas.h"

GuiCanvas::GuiCanvas(const sf::Vector2<float>& position, const float& width, const float& height, std::string name)
    : GuiElement(GuiCanvasType, position, name)
    , m_width(width)
    , m_height(height)
{
}

GuiCanvas::~GuiCanvas() = default;

bool GuiCanvas::HandleEvent(const sf::Event& event, bool handled)
{
    if (!IsVisible())
        return false;
    if (m_children.HandleEventForElements(true, event, handled))
        return true;
    if (handled)
        return false;
    return HandleMouseEvent(event);
}

void GuiCanvas::Process()
{
    if (IsVisible())
        m_children.ProcessElementsAndQueue();
}

void GuiCanvas::Draw()
{
    if (IsVisible())
        m_children.DrawElements();
}

float GuiCanvas::GetWidth() const
{
    return m_width;
}

float GuiCanvas::GetHeight() const
{
    return m_height;
}

void GuiCanvas::MoveChildren(const sf::Vector2<float>& delta)
{
    m_children.MoveAbsolutePositionOfElements(delta);
}

void GuiCanvas::RegisterGuiManagerForChildren(GuiManager* manager)
{
    m_children.RegisterGuiManager(manager);
}

void GuiCanvas::AddElement(GuiElement* element)
{
    m_children.AddElement(GetAbsolutePosition(), element);
}

void GuiCanvas::AddElements(const std::vector<GuiElement*>& elements)
{
    m_children.AddElements(GetAbsolutePosition(), elements);
}

void GuiCanvas::RemoveAndDeleteElement(GuiElement* element)
{
    m_children.RemoveAndDeleteElement(element);
}

void GuiCanvas::RemoveAndDeleteElements(const std::vector<GuiElement*>& elements)
{
    m_children.RemoveAndDeleteElements(elements);
}
