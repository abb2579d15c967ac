#pragma once

#include "entity/SpriteEntity.h"

#include <SFML/Graphics/ConvexShape.hpp>
#include <SFML/Graphics/Image.hpp>

// The dragon. Flies right at a speed that grows during play; the steering
// variants turn the voice value (0 low .. 1 high) into motion.
class Player : public SpriteEntity
{
public:
    static const float NORMAL_START_SPEED;
    static const float HELP_LINE_THICKNESS;
    static const sf::Color HELP_LINE_COLOR;

    // The position is the sprite's centre. pixels are the image the texture was
    // made from, read by the collision tests; both stay the caller's.
    Player(sf::Texture const& texture, sf::Image const& pixels, sf::Vector2<float> const& pos, float speed);

    ~Player() override;
    // Keeps the dragon between the top and the bottom of the current view; an
    // edge hit while the voice pushes outwards puts the steering, and the
    // override of the preferences' calibrated reader when there is one, back to the middle.
    void SetPos(const sf::Vector2<float>& pos) override;

    virtual void DrawHelpLine();
    virtual void SetTargetValue(float value) = 0;

    float GetTargetValue() const;
    float GetSpeed() const;
    void SetSpeed(float value);
    void AddSpeed(float delta);
    const sf::Image& GetPixels() const;

protected:
    // A line from (0, 0) to (length, 0), HELP_LINE_THICKNESS thick, centred on that segment.
    void BuildHelpLine(float length);

    float m_speed;
    float m_targetValue;
    sf::ConvexShape m_helpLine;

private:
    const sf::Image& m_pixels;

    void ResetSteering();
};
