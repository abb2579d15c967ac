#include "gui/GuiDrawEntity.h"

#include "manager/GameManager.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <utility>

GuiDrawEntity::GuiDrawEntity(const sf::Vector2<float>& position, IEntity* entity, std::string name)
    : GuiElement(GuiDrawEntityType, position, name)
    , m_entity(entity)
    , m_view(m_gameManager->GetRenderWindow()->getDefaultView())
{
    m_view.move(-position);
}

GuiDrawEntity::GuiDrawEntity(const sf::Vector2<float>& position, std::shared_ptr<IEntity> entity, std::string name)
    : GuiDrawEntity(position, entity.get(), name)
{
    m_sharedEntity = std::move(entity);
}

GuiDrawEntity::~GuiDrawEntity() = default;

bool GuiDrawEntity::HandleEvent(const sf::Event& event, bool)
{
    if (!IsVisible() || m_entity == nullptr)
        return false;
    m_gameManager->SetViewAndSaveOld(m_view);
    m_entity->HandleEvent(event);
    m_gameManager->RevertView();
    return false;
}

void GuiDrawEntity::Process()
{
}

void GuiDrawEntity::Draw()
{
    if (!IsVisible() || m_entity == nullptr)
        return;
    m_gameManager->SetViewAndSaveOld(m_view);
    m_entity->Draw();
    m_gameManager->RevertView();
}

void GuiDrawEntity::MoveAbsolutePosition(const sf::Vector2<float>& delta)
{
    GuiElement::MoveAbsolutePosition(delta);
    m_view.move(-delta);
}
