#include "gui/GuiKeylessButton.h"

#include "entity/DragDropRestricted.h"
#include "gui/ComposedStretchableDrawable.h"
#include "gui/GuiEventHelper.h"
#include "manager/ContentManager.h"
#include "manager/GameManager.h"
#include "utility/ExceptionBase.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <cmath>

namespace
{
const unsigned LABEL_SIZE = 24;
const float LABEL_TOP = 5.0f;
}

GuiKeylessButton::GuiKeylessButton(const sf::Vector2<float>& position, int width, std::string text, std::string name)
    : GuiElement(GuiButtonType, position, name)
    , m_width(0)
    , m_height(0)
{
    if (width < 0)
        BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage("Button width must not be negative"));
    ContentManager& content = m_gameManager->GetContentManager();
    const ComposedStretchableDrawableConstructor& bar = content.GetComposedStretchableDrawableConstructor("gui/button1");
    const unsigned middle = static_cast<unsigned>(width);
    m_width = middle;
    m_height = bar.GetOriginalHeight();
    m_background = std::make_unique<ComposedStretchableDrawable>(
        bar, static_cast<float>(middle), static_cast<float>(m_height), true);

    m_label = std::make_unique<sf::Text>(text, content.GetFont("standard"), LABEL_SIZE);
    m_label->setFillColor(sf::Color(0, 0, 0, 255));
    m_label->setOrigin(std::trunc(m_label->getLocalBounds().width * 0.5f), 0.0f);
    m_label->move(static_cast<float>(middle / 2), LABEL_TOP);

    const sf::Texture& startCap = content.GetTexture("gui/button_drop_start");
    const sf::Texture& endCap = content.GetTexture("gui/button_drop_end");
    m_startCap.setTexture(startCap, true);
    m_endCap.setTexture(endCap, true);
    const unsigned s = startCap.getSize().x;
    const unsigned e = endCap.getSize().x;
    m_background->move(static_cast<float>(s), 0.0f);
    m_label->move(static_cast<float>(s), 0.0f);
    m_endCap.move(static_cast<float>(middle + s), 0.0f);
    m_width = s + middle + e;

    // The track runs from the start cap's centre to the end cap's, at the start cap's middle height.
    m_handle = std::make_shared<DragDropRestricted>(content.GetTexture("gui/button_drop_element"),
        DragDropRestricted::RestrictionHorizontal, m_startCap.getPosition().x + static_cast<float>(s / 2),
        m_endCap.getPosition().x + static_cast<float>(e / 2),
        m_startCap.getPosition().y + static_cast<float>(startCap.getSize().y / 2));

    m_background->move(position);
    m_label->move(position);
    m_startCap.move(position);
    m_endCap.move(position);
    m_handle->Move(position);
}

GuiKeylessButton::~GuiKeylessButton() = default;

bool GuiKeylessButton::HandleEvent(const sf::Event& event, bool)
{
    if (!IsVisible())
        return false;
    m_handle->HandleEvent(event);
    if (!GuiEventHelper::IsMouseEvent(event))
        return false;
    if (m_handle->IsOnMax())
    {
        // Back at the start before any handler runs: a handler may remove this
        // button, so nothing of it is touched afterwards.
        m_handle->SetMovableValue(m_handle->GetMin());
        PropagateEvent(GuiEventHelper::CreateGuiButtonClickedEvent(this));
        return true;
    }
    if (m_handle->IsMouseOver())
        return true;
    m_handle->SetMovableValue(m_handle->GetMin());
    return false;
}

void GuiKeylessButton::Process()
{
}

void GuiKeylessButton::Draw()
{
    if (!IsVisible())
        return;
    sf::RenderWindow& window = *m_gameManager->GetRenderWindow();
    window.draw(m_startCap);
    window.draw(m_endCap);
    window.draw(*m_background);
    window.draw(*m_label);
    m_handle->Draw();
}

float GuiKeylessButton::GetWidth() const
{
    return static_cast<float>(m_width);
}

float GuiKeylessButton::GetHeight() const
{
    return static_cast<float>(m_height);
}

void GuiKeylessButton::MoveChildren(const sf::Vector2<float>& delta)
{
    m_background->move(delta);
    m_label->move(delta);
    m_startCap.move(delta);
    m_endCap.move(delta);
    m_handle->Move(delta);
}
