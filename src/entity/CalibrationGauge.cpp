#include "entity/CalibrationGauge.h"

#include "manager/GameManager.h"

#include <SFML/Graphics/RenderWindow.hpp>

CalibrationGauge::CalibrationGauge(sf::Vector2<float> const& pos, float width, float height, float minimum,
    float maximum, sf::Color const& color)
    : m_position(pos)
    , m_width(width)
    , m_height(height)
    , m_minimum(minimum)
    , m_maximum(maximum)
    , m_range(maximum - minimum)
    , m_rectangle(sf::Vector2f(width, height))
{
    m_rectangle.setPosition(pos);
    m_rectangle.setFillColor(color);
    m_rectangle.setOutlineThickness(1.0f);
    m_rectangle.setOutlineColor(sf::Color::Black);
}

CalibrationGauge::~CalibrationGauge() = default;

void CalibrationGauge::Draw()
{
    m_gameManager->GetRenderWindow()->draw(m_rectangle);
}

void CalibrationGauge::HandleEvent(const sf::Event&)
{
}

bool CalibrationGauge::Process()
{
    return true;
}

void CalibrationGauge::SetPos(const sf::Vector2<float>& pos)
{
    m_position = pos;
    m_rectangle.setPosition(pos);
}

const sf::Vector2<float>& CalibrationGauge::GetPos() const
{
    return m_position;
}

float CalibrationGauge::GetWidth()
{
    return m_width;
}

float CalibrationGauge::GetHeight()
{
    return m_height;
}

bool CalibrationGauge::Contains(const sf::Vector2<float>&) const
{
    return false;
}

void CalibrationGauge::SetRange(float minimum, float maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    m_range = maximum - minimum;
}

float CalibrationGauge::GetHeightOfValue(float value)
{
    // Equal limits leave no scale to map onto; the middle is the neutral answer.
    if (m_range == 0.0f)
        return m_position.y + m_height / 2.0f;
    if (value < m_minimum)
        value = m_minimum;
    else if (value > m_maximum)
        value = m_maximum;
    return m_position.y + m_height - m_height * (value - m_minimum) / m_range;
}
