#include "gui/GuiButtonOverlay.h"

#include "manager/GameManager.h"

namespace
{
// Left/top 0, centre/middle one half, right/bottom 1.
float Factor(int position)
{
    return 0.5f * static_cast<float>(position);
}
}

GuiButtonOverlay::GuiButtonOverlay(
    HorizontalPosition horizontal, VerticalPosition vertical, const sf::Vector2<float>& offset)
    : GuiButtonOverlay(horizontal, vertical, horizontal, vertical, offset)
{
}

GuiButtonOverlay::GuiButtonOverlay(HorizontalPosition anchorHorizontal, VerticalPosition anchorVertical,
    HorizontalPosition contentHorizontal, VerticalPosition contentVertical, const sf::Vector2<float>& offset)
    : m_gameManager(GameManager::Instance())
    , m_offset(offset)
    , m_position(offset)
    , m_state(GuiButton::GuiButtonStateNormal)
    , m_anchorHorizontal(anchorHorizontal)
    , m_anchorVertical(anchorVertical)
    , m_contentHorizontal(contentHorizontal)
    , m_contentVertical(contentVertical)
{
}

GuiButtonOverlay::~GuiButtonOverlay() = default;

void GuiButtonOverlay::MoveAbsolutePosition(const sf::Vector2<float>& delta)
{
    m_position += delta;
}

void GuiButtonOverlay::OnChangeState(GuiButton::GuiButtonState)
{
}

void GuiButtonOverlay::SetButton(const GuiButton& button)
{
    sf::Vector2<float> target = button.GetAbsolutePosition() + m_offset;
    target.x += Factor(m_anchorHorizontal) * button.GetWidth();
    target.y += Factor(m_anchorVertical) * button.GetHeight();
    MoveAbsolutePosition(target - m_position);
}

void GuiButtonOverlay::SetState(GuiButton::GuiButtonState state)
{
    if (state == m_state)
        return;
    OnChangeState(state);
    m_state = state;
}

sf::Vector2<float> GuiButtonOverlay::GetPositionOfOverlayContent(const float& width, const float& height) const
{
    return sf::Vector2<float>(
        m_position.x - Factor(m_contentHorizontal) * width, m_position.y - Factor(m_contentVertical) * height);
}
