#include "gui/GuiDrawable.h"

#include "manager/GameManager.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <utility>

GuiDrawable::GuiDrawable(const sf::Vector2<float>& position, sf::Drawable* target, std::string name)
    : GuiElement(GuiDrawableType, position, name)
    , m_target(target)
    , m_view(m_gameManager->GetRenderWindow()->getDefaultView())
{
    m_view.move(-position);
}

GuiDrawable::GuiDrawable(const sf::Vector2<float>& position, std::shared_ptr<sf::Drawable> target, std::string name)
    : GuiDrawable(position, target.get(), name)
{
    m_sharedTarget = std::move(target);
}

GuiDrawable::~GuiDrawable() = default;

bool GuiDrawable::HandleEvent(const sf::Event&, bool)
{
    return false;
}

void GuiDrawable::Process()
{
}

void GuiDrawable::Draw()
{
    if (!IsVisible() || m_target == nullptr)
        return;
    m_gameManager->SetViewAndSaveOld(m_view);
    m_gameManager->GetRenderWindow()->draw(*m_target);
    m_gameManager->RevertView();
}

void GuiDrawable::MoveChildren(const sf::Vector2<float>& delta)
{
    m_view.move(-delta);
}

void GuiDrawable::SetTarget(sf::Drawable* target)
{
    m_target = target;
}

void GuiDrawable::SetTarget(std::shared_ptr<sf::Drawable> target)
{
    m_target = target.get();
    m_sharedTarget = std::move(target);
}
