#include "entity/Player.h"

#include "manager/GameManager.h"
#include "manager/GamePreferences.h"
#include "sound/SoundMicrophoneAnalyzerCalibratedReader.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <memory>

const float Player::NORMAL_START_SPEED = 150.0f;
const float Player::HELP_LINE_THICKNESS = 3.0f;
const sf::Color Player::HELP_LINE_COLOR = sf::Color(0, 0, 0, 150);

Player::Player(
    sf::Texture const& texture, sf::Image const& pixels, sf::Vector2<float> const& pos, float speed)
    : SpriteEntity(texture, pos, sf::Vector2<float>(1.0f, 1.0f), 0.0f, sf::Color::White)
    , m_speed(speed)
    , m_targetValue(0.5f)
    , m_pixels(pixels)
{
    const sf::Vector2u size = texture.getSize();
    GetSprite().setOrigin(static_cast<float>(size.x / 2), static_cast<float>(size.y / 2));
}

Player::~Player() = default;

void Player::DrawHelpLine()
{
    m_gameManager->GetRenderWindow()->draw(m_helpLine);
}

void Player::SetPos(const sf::Vector2<float>& pos)
{
    const float bottom = m_gameManager->GetCurrentViewHeight();
    if (pos.y < 0.0f)
    {
        SpriteEntity::SetPos(sf::Vector2<float>(pos.x, 0.0f));
        if (m_targetValue > 0.5f)
            ResetSteering();
    }
    else if (pos.y > bottom)
    {
        SpriteEntity::SetPos(sf::Vector2<float>(pos.x, bottom));
        if (m_targetValue < 0.5f)
            ResetSteering();
    }
    else
    {
        SpriteEntity::SetPos(pos);
    }
}

void Player::ResetSteering()
{
    SetTargetValue(0.5f);
    // The reader's override holds the middle until a pitch is heard again, so the
    // next frame does not push the dragon straight back against the edge.
    std::shared_ptr<SoundMicrophoneAnalyzerCalibratedReader> reader
        = m_gameManager->GetPreferences().GetSoundMicrophoneAnalyzerCalibratedReader();
    if (reader)
        reader->SetCalibratedValue(0.5f);
}

float Player::GetTargetValue() const
{
    return m_targetValue;
}

float Player::GetSpeed() const
{
    return m_speed;
}

void Player::SetSpeed(float value)
{
    m_speed = value;
}

void Player::AddSpeed(float delta)
{
    m_speed += delta;
}

const sf::Image& Player::GetPixels() const
{
    return m_pixels;
}

void Player::BuildHelpLine(float length)
{
    const float half = HELP_LINE_THICKNESS / 2.0f;
    m_helpLine.setPointCount(4);
    m_helpLine.setPoint(0, sf::Vector2f(0.0f, -half));
    m_helpLine.setPoint(1, sf::Vector2f(length, -half));
    m_helpLine.setPoint(2, sf::Vector2f(length, half));
    m_helpLine.setPoint(3, sf::Vector2f(0.0f, half));
    m_helpLine.setFillColor(HELP_LINE_COLOR);
    m_helpLine.setOutlineThickness(0.0f);
    m_helpLine.setOrigin(0.0f, 0.0f);
}
