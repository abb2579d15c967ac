#pragma once

#include "entity/Player.h"

// The voice sets a height on screen; the dragon flies right and climbs or
// sinks toward it no faster than its forward speed.
class PlayerTargetHeight : public Player
{
public:
    static const float HEIGHT_CHANGE_SPEED_PER_S_MULTIPLICATOR;

    PlayerTargetHeight(
        sf::Texture const& texture, sf::Image const& pixels, sf::Vector2<float> const& pos, float speed);

    ~PlayerTargetHeight() override;
    bool Process() override;
    void SetPos(const sf::Vector2<float>& pos) override;
    // 1 is the top of the band, 0 its bottom; values outside 0..1 are not limited.
    void SetTargetValue(float value) override;

    void SetTargetHeight(float height);

private:
    void PlaceHelpLine();

    float m_targetHeight;
    float m_minHeight;
    float m_maxHeight;
    float m_heightRange;
};
