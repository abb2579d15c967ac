#include "entity/DragDropRestricted.h"

#include "manager/GameManager.h"
#include "utility/MathHelper.h"

DragDropRestricted::DragDropRestricted(
    sf::Texture const& texture, Restriction restriction, float minimum, float maximum, float fixed)
    : SpriteEntity(
        texture, sf::Vector2<float>(0.0f, 0.0f), sf::Vector2<float>(1.0f, 1.0f), 0.0f, sf::Color::White)
    , m_restriction(restriction)
    , m_minimum(minimum)
    , m_maximum(maximum)
    , m_mouseOver(false)
    , m_lastMousePos(0.0f, 0.0f)
{
    const sf::Vector2u size = texture.getSize();
    GetSprite().setOrigin(static_cast<float>(size.x / 2), static_cast<float>(size.y / 2));
    if (m_restriction == RestrictionHorizontal)
        SpriteEntity::SetPos(sf::Vector2<float>(m_minimum, fixed));
    else
        SpriteEntity::SetPos(sf::Vector2<float>(fixed, m_minimum));
}

DragDropRestricted::~DragDropRestricted() = default;

void DragDropRestricted::HandleEvent(const sf::Event& event)
{
    if (event.type != sf::Event::MouseMoved)
        return;
    FollowPointer(m_gameManager->GetMousePosInView());
}

void DragDropRestricted::FollowPointer(const sf::Vector2<float>& pointer)
{
    const bool over = IsOver(pointer);
    // Just arrived: start from here, so that arriving causes no jump.
    if (over && !m_mouseOver)
        m_lastMousePos = pointer;
    if (!over && !m_mouseOver)
        return;
    // A move that starts on the knob carries it along even when it leaves it.
    SetPosRestricted(GetPos() + (pointer - m_lastMousePos));
    m_lastMousePos = pointer;
    m_mouseOver = IsOver(pointer);
}

void DragDropRestricted::SetPos(const sf::Vector2<float>& pos)
{
    const float shift = m_restriction == RestrictionHorizontal ? pos.x - GetPos().x : pos.y - GetPos().y;
    m_minimum += shift;
    m_maximum += shift;
    SpriteEntity::SetPos(pos);
}

void DragDropRestricted::SetPosRestricted(const sf::Vector2<float>& pos)
{
    float value = m_restriction == RestrictionHorizontal ? pos.x : pos.y;
    if (value < m_minimum)
        value = m_minimum;
    else if (value > m_maximum)
        value = m_maximum;
    sf::Vector2<float> placed = GetPos();
    if (m_restriction == RestrictionHorizontal)
        placed.x = value;
    else
        placed.y = value;
    SpriteEntity::SetPos(placed);
}

void DragDropRestricted::SetMovableValue(float value)
{
    SetPosRestricted(sf::Vector2<float>(value, value));
}

float DragDropRestricted::GetMovableValue() const
{
    return m_restriction == RestrictionHorizontal ? GetPos().x : GetPos().y;
}

bool DragDropRestricted::IsMouseOver() const
{
    return m_mouseOver;
}

bool DragDropRestricted::IsOnMin() const
{
    return GetMovableValue() == m_minimum;
}

bool DragDropRestricted::IsOnMax() const
{
    return GetMovableValue() == m_maximum;
}

float DragDropRestricted::GetMin() const
{
    return m_minimum;
}

float DragDropRestricted::GetMax() const
{
    return m_maximum;
}

bool DragDropRestricted::IsOver(const sf::Vector2<float>& pointer)
{
    return MathHelper::Contains(pointer, GetUpperLeftPos(), GetWidth(), GetHeight());
}
