#include "utility/SpriteAnimator.h"

#include "manager/GameManager.h"

#include <SFML/Graphics/Texture.hpp>

SpriteAnimator::SpriteAnimator(sf::Sprite* sprite, int frameWidth, int frameHeight, int frameCount, float frameTime,
                               bool loop)
    : m_sprite(sprite),
      m_frameCount(frameCount),
      m_loop(loop),
      m_frameWidth(frameWidth),
      m_frameHeight(frameHeight),
      m_frameTime(frameTime),
      m_timeLeft(frameTime)
{
    ComputeFramesPerRow();
}

void SpriteAnimator::SetSprite(sf::Sprite* sprite)
{
    m_sprite = sprite;
    ComputeFramesPerRow();
}

std::unique_ptr<SpriteAnimator> SpriteAnimator::Clone(sf::Sprite* sprite) const
{
    return std::make_unique<SpriteAnimator>(sprite, m_frameWidth, m_frameHeight, m_frameCount, m_frameTime, m_loop);
}

bool SpriteAnimator::Update()
{
    if (m_sprite == nullptr || m_finished)
        return false;

    GameManager const* gameManager = GameManager::Instance();
    if (m_lastFrameNo == gameManager->GetCurrentFrameNo())
        return true;
    m_lastFrameNo = gameManager->GetCurrentFrameNo();

    m_timeLeft -= gameManager->GetElapsedTimeInSeconds();
    if (m_timeLeft > 0.0f)
        return true;

    // One frame at most: after a long game frame the animation catches up over the next ones.
    m_timeLeft += m_frameTime;
    ++m_currentFrame;
    if (m_currentFrame >= m_frameCount)
    {
        if (!m_loop)
        {
            m_finished = true;
            return false;
        }
        m_currentFrame = 0;
    }

    m_sprite->setTextureRect(sf::IntRect((m_currentFrame % m_framesPerRow) * m_frameWidth,
                                         (m_currentFrame / m_framesPerRow) * m_frameHeight, m_frameWidth,
                                         m_frameHeight));
    return true;
}

bool SpriteAnimator::NextFrame()
{
    ++m_currentFrame;
    if (m_currentFrame >= m_frameCount)
    {
        if (!m_loop)
            return false;
        m_currentFrame = 0;
    }
    return true;
}

void SpriteAnimator::ComputeFramesPerRow()
{
    if (m_sprite == nullptr)
        return;
    sf::Texture const* texture = m_sprite->getTexture();
    if (texture != nullptr && m_frameWidth > 0)
        m_framesPerRow = static_cast<int>(texture->getSize().x) / m_frameWidth;
    // A sheet narrower than one frame still reads as one frame per row, not a division by zero.
    if (m_framesPerRow < 1)
        m_framesPerRow = 1;
}
