#pragma once

#include "entity/Entity.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RectangleShape.hpp>

// A vertical scale: an outlined rectangle whose bottom edge shows the minimum
// and whose top edge the maximum. Callers place their own markers on it.
class CalibrationGauge : public Entity
{
public:
    // The position is the top-left corner.
    CalibrationGauge(sf::Vector2<float> const& pos, float width, float height, float minimum, float maximum,
        sf::Color const& color);

    void Draw() override;
    ~CalibrationGauge() override;
    void HandleEvent(const sf::Event& event) override;
    bool Process() override;
    void SetPos(const sf::Vector2<float>& pos) override;
    const sf::Vector2<float>& GetPos() const override;
    float GetWidth() override;
    float GetHeight() override;
    // The gauge never takes the pointer.
    bool Contains(const sf::Vector2<float>& point) const override;

    void SetRange(float minimum, float maximum);
    // The screen y of the value, limited to the gauge.
    float GetHeightOfValue(float value);

private:
    sf::Vector2<float> m_position;
    float m_width;
    float m_height;
    float m_minimum;
    float m_maximum;
    float m_range;
    sf::RectangleShape m_rectangle;
};
