#include "gui/GuiEvent.h"

#include "gui/GuiElement.h"

#include <sstream>

GuiEvent::GuiEvent()
    : type(GuiButtonClicked)
    , source(nullptr)
    , mouseButton()
{
}

std::string GuiEvent::DebugOutput() const
{
    std::ostringstream out;
    out << "[GuiEvent] for ";
    const int elementType = source->GetType();
    switch (elementType)
    {
    case GuiElement::GuiNullElementType:
        out << "GuiNullElementType";
        break;
    case GuiElement::GuiCanvasType:
        out << "GuiCanvasType";
        break;
    case GuiElement::GuiDrawEntityType:
        out << "GuiDrawEntityType";
        break;
    default:
        out << "Unknown/" << elementType;
        break;
    }
    out << "('" << source->GetName() << "'): ";
    switch (type)
    {
    case GuiMouseButton:
        if (mouseButton.eventType == sf::Event::MouseButtonPressed)
            out << "MouseButtonPressed";
        else if (mouseButton.eventType == sf::Event::MouseButtonReleased)
            out << "MouseButtonReleased";
        else
            out << "Unknown/" << static_cast<int>(mouseButton.eventType);
        out << ", button: " << static_cast<int>(mouseButton.button) << ", pos: [" << mouseButton.x << "|"
            << mouseButton.y << "]";
        break;
    case GuiMouseMoved:
        out << "GuiMouseMoved, pos: [" << mouseMove.x << "|" << mouseMove.y << "]";
        break;
    case GuiButtonClicked:
        out << "GuiButtonClicked";
        break;
    }
    return out.str();
}
