#pragma once

#include "entity/IEntity.h"
#include "gui/GuiElement.h"

#include <SFML/Graphics/View.hpp>

#include <memory>
#include <string>

// Shows an entity inside the GUI tree and hands it every window event, both
// through a view of its own (the window's default view shifted by minus the
// element's absolute position): an entity that reads the pointer in the
// current view gets it in its own local coordinates. The entity is never
// processed by the wrapper, and no event is consumed.
class GuiDrawEntity : public GuiElement
{
public:
    // The entity stays the caller's to delete.
    GuiDrawEntity(const sf::Vector2<float>& position, IEntity* entity, std::string name);
    GuiDrawEntity(const sf::Vector2<float>& position, std::shared_ptr<IEntity> entity, std::string name);
    ~GuiDrawEntity() override;

    bool HandleEvent(const sf::Event& event, bool handled) override;
    void Process() override;
    void Draw() override;
    void MoveAbsolutePosition(const sf::Vector2<float>& delta) override;

private:
    IEntity* m_entity;
    std::shared_ptr<IEntity> m_sharedEntity;
    sf::View m_view;
};
