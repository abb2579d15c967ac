#include "gui/GuiButton.h"

#include "gui/GuiButtonOverlay.h"
#include "gui/GuiEventHelper.h"

#include <boost/ptr_container/exception.hpp>

#include <utility>

namespace
{
bool IsLeftButton(const sf::Event& event, sf::Event::EventType type)
{
    return event.type == type && event.mouseButton.button == sf::Mouse::Left;
}
}

GuiButton::GuiButton(const sf::Vector2<float>& position, std::string name)
    : GuiButton(GuiButtonType, position, std::move(name))
{
}

GuiButton::GuiButton(const GuiElement::Type& type, const sf::Vector2<float>& position, std::string name)
    : GuiElement(type, position, name)
    , m_state(GuiButtonStateNormal)
    , m_pressed(false)
{
}

GuiButton::~GuiButton() = default;

bool GuiButton::HandleEvent(const sf::Event& event, bool handled)
{
    if (!IsVisible())
        return false;

    bool over = IsMouseOnButtonPart();
    // An element in front has the pointer.
    if (handled && GuiEventHelper::IsMouseEvent(event))
        over = false;

    if (over)
    {
        if (m_pressed)
        {
            if (IsLeftButton(event, sf::Event::MouseButtonReleased))
            {
                PropagateEvent(GuiEventHelper::CreateGuiButtonClickedEvent(this));
                OnClick();
                m_pressed = false;
                SetState(GuiButtonStateMouseOver);
            }
            else if (event.type != sf::Event::MouseButtonReleased)
                SetState(GuiButtonStatePressed);
        }
        else
        {
            if (IsLeftButton(event, sf::Event::MouseButtonPressed))
            {
                m_pressed = true;
                SetState(GuiButtonStatePressed);
            }
            else if (event.type != sf::Event::MouseButtonPressed)
                SetState(GuiButtonStateMouseOver);
        }
    }
    else
    {
        SetState(GuiButtonStateNormal);
        if (m_pressed
            && (IsLeftButton(event, sf::Event::MouseButtonPressed) || IsLeftButton(event, sf::Event::MouseButtonReleased)))
            m_pressed = false;
    }

    if (handled)
        return false;
    return HandleMouseEvent(event);
}

void GuiButton::Process()
{
}

void GuiButton::MoveChildren(const sf::Vector2<float>& delta)
{
    for (auto& overlay : m_overlays)
        overlay->MoveAbsolutePosition(delta);
}

void GuiButton::OnChangeState(GuiButtonState)
{
}

void GuiButton::OnClick()
{
}

bool GuiButton::IsMouseOnButtonPart()
{
    return GuiEventHelper::IsMouseOnElement(this);
}

GuiButton::GuiButtonState GuiButton::GetState() const
{
    return m_state;
}

void GuiButton::SetState(GuiButtonState state)
{
    if (state == m_state)
        return;
    OnChangeState(state);
    m_state = state;
}

void GuiButton::AddOverlay(GuiButtonOverlay* overlay)
{
    if (overlay == nullptr)
        throw boost::bad_pointer("Null pointer in 'push_back()'");
    std::unique_ptr<GuiButtonOverlay> owned(overlay);
    m_overlays.push_back(std::move(owned));
    overlay->SetButton(*this);
}

void GuiButton::DrawOverlays()
{
    for (auto& overlay : m_overlays)
        overlay->Draw();
}
