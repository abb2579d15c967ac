#pragma once

#include <SFML/Graphics/Sprite.hpp>

#include <memory>

// Plays a sprite-sheet animation on a sprite it does not own: the sheet is a
// grid of frames of one size, read row by row. The sprite's texture rectangle
// moves to the next frame every frame time, at most once per game frame, once
// or in a loop.
class SpriteAnimator
{
public:
    SpriteAnimator(sf::Sprite* sprite, int frameWidth, int frameHeight, int frameCount, float frameTime, bool loop);
    virtual ~SpriteAnimator() = default;

    // Frames per row are taken from the width of the sprite's texture.
    void SetSprite(sf::Sprite* sprite);
    // The same animation, from its start, for another sprite.
    std::unique_ptr<SpriteAnimator> Clone(sf::Sprite* sprite) const;

    // One step in the current game frame; false without a sprite or once a
    // non-looping animation has run past its last frame.
    bool Update();
    // Moves the frame index only; the sprite is left as it is.
    bool NextFrame();

private:
    void ComputeFramesPerRow();

    sf::Sprite* m_sprite;
    int m_frameCount;
    bool m_loop;
    int m_frameWidth;
    int m_frameHeight;
    int m_framesPerRow = 1;
    float m_frameTime;
    // Frame 0 stays on screen for one frame time.
    float m_timeLeft;
    int m_currentFrame = 0;
    unsigned int m_lastFrameNo = 0;
    bool m_finished = false;
};
