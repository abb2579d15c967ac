#include "gui/GuiNullElement.h"

GuiNullElement::GuiNullElement()
    : GuiElement(GuiNullElementType, sf::Vector2<float>(0.0f, 0.0f), "")
{
}

GuiNullElement::~GuiNullElement() = default;

bool GuiNullElement::HandleEvent(const sf::Event&, bool)
{
    return false;
}

void GuiNullElement::Process()
{
}

void GuiNullElement::Draw()
{
}
