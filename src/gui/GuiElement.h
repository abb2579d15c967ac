#pragma once

#include "gui/GuiEvent.h"

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <string>

class GameManager;
class GuiManager;

// The base of every widget. An element is placed at construction and moved
// only by deltas afterwards; a move runs down the tree (relative position,
// absolute position, children). The absolute position is the construction
// position plus the absolute positions of the containers at the time the
// element was added to them.
class GuiElement
{
public:
    enum Type
    {
        GuiNullElementType = 0,
        GuiCanvasType = 1,
        GuiDrawEntityType = 2,
        GuiDrawableType = 3,
        GuiButtonType = 4,
        GuiKeylessOptionFieldType = 5
    };

    GuiElement(const Type& type, const sf::Vector2<float>& position, const std::string& name);
    virtual ~GuiElement();

    // True when the element consumed the event; handled tells whether an
    // element offered the event before this one already consumed it.
    virtual bool HandleEvent(const sf::Event& event, bool handled) = 0;
    virtual void Process() = 0;
    virtual void Draw() = 0;
    virtual const std::string& GetName() const;
    virtual const Type& GetType() const;
    virtual void MoveRelativePosition(const sf::Vector2<float>& delta);
    virtual float GetWidth() const;
    virtual float GetHeight() const;
    virtual void MoveAbsolutePosition(const sf::Vector2<float>& delta);
    virtual void MoveChildren(const sf::Vector2<float>& delta);
    virtual void RegisterGuiManagerForChildren(GuiManager* manager);

    void RegisterGuiManager(GuiManager* manager);
    bool IsVisible() const;
    void SetVisible(bool visible);
    void SetName(const std::string& name);
    const sf::Vector2<float>& GetRelativePosition() const;
    const sf::Vector2<float>& GetAbsolutePosition() const;
    // Without propagation, events this element raises reach only the local handler.
    void SetLocalGuiEventHandler(const GuiEventCallback& handler, bool propagate);
    // Hands an event the element raised to its own handler, then (when it
    // propagates) to its manager's handler.
    void PropagateEvent(const GuiEvent& event);
    // Raises a mouse event and consumes the window event when a mouse press,
    // release or move happens with the pointer over the element's box.
    // Visibility is left to the callers.
    bool HandleMouseEvent(const sf::Event& event);

protected:
    GameManager* m_gameManager;
    GuiManager* m_guiManager;

private:
    Type m_type;
    bool m_propagateToManager;
    GuiEventCallback m_localHandler;
    sf::Vector2<float> m_relativePosition;
    sf::Vector2<float> m_absolutePosition;
    std::string m_name;
    bool m_visible;
};
