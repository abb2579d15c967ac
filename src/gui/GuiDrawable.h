#pragma once

#include "gui/GuiElement.h"

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/View.hpp>

#include <memory>
#include <string>

// Shows any drawable inside the GUI tree. The drawable is not moved: it is
// drawn through a view of the wrapper's own (the window's default view
// shifted by minus the element's absolute position), so something at local
// (x, y) appears at (x, y) plus that position whatever view is current.
// Width and height are 0: it takes no part in mouse hit tests.
class GuiDrawable : public GuiElement
{
public:
    // The target stays the caller's to delete.
    GuiDrawable(const sf::Vector2<float>& position, sf::Drawable* target, std::string name);
    GuiDrawable(const sf::Vector2<float>& position, std::shared_ptr<sf::Drawable> target, std::string name);
    ~GuiDrawable() override;

    bool HandleEvent(const sf::Event& event, bool handled) override;
    void Process() override;
    void Draw() override;
    void MoveChildren(const sf::Vector2<float>& delta) override;

    // A shared target set earlier stays alive until a shared one replaces it.
    void SetTarget(sf::Drawable* target);
    void SetTarget(std::shared_ptr<sf::Drawable> target);

private:
    sf::Drawable* m_target;
    std::shared_ptr<sf::Drawable> m_sharedTarget;
    sf::View m_view;
};
