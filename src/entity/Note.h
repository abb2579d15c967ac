#pragma once

#include "entity/SpriteEntity.h"

// A music note dropped behind the dragon: it wobbles, drifts left and fades
// out as a black silhouette within one second.
class Note : public SpriteEntity
{
public:
    // The position is the note's centre.
    Note(sf::Texture const& texture, sf::Vector2<float> const& pos);
    ~Note() override;

    bool Process() override;

private:
    float m_verticalSpeed;
    float m_verticalAcceleration;
    float m_life;
};
