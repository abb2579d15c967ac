#pragma once

#include "gui/GuiElementList.h"
#include "gui/GuiEvent.h"
#include "gui/GuiNullElement.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <boost/core/noncopyable.hpp>

#include <map>
#include <string>
#include <vector>

class GameManager;

// The root of one mode's GUI: owns the top-level elements, offers them the
// window events topmost first, hands mouse events that no element took to the
// mode's handler (from the null element), and draws the GUI's own cursor.
class GuiManager : private boost::noncopyable
{
public:
    GuiManager();
    virtual ~GuiManager();

    // Takes ownership. Changes made while an event or a processing pass walks
    // the top list take effect at the end of that pass.
    void AddElement(GuiElement* element);
    void AddElements(const std::vector<GuiElement*>& elements);
    void RemoveAndDeleteElement(GuiElement* element);
    void RemoveAndDeleteElements(const std::vector<GuiElement*>& elements);

    void HandleEvent(const sf::Event& event);
    // The entry through which elements reach the mode's handler.
    void PropagateEvent(const GuiEvent& event);
    void Process();
    void Draw();

    void ShowCursor(bool show);
    void SetGuiEventHandler(const GuiEventCallback& handler);
    // imageName is a key of the content manager's images.
    void AddCursor(std::string name, std::string imageName);
    // Throws ContentNotLoadedException with the cursor name for a name never
    // added, and with the image key for an image not loaded.
    void SetCursor(std::string name);
    void SetCursor(std::string name, bool show);

private:
    GameManager* m_gameManager;
    GuiElementList m_elements;
    GuiEventCallback m_globalHandler;
    bool m_showCursor;
    sf::Sprite m_cursorSprite;
    std::map<std::string, std::string> m_cursors;
    sf::Vector2<float> m_origin;
    GuiNullElement m_nullElement;
};
