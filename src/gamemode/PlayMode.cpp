#include "gamemode/PlayMode.h"

#include "gamemode/CalibrationMode.h"
#include "gamemode/MenuMode.h"

#include "entity/Note.h"
#include "entity/Player.h"
#include "entity/PlayerDirectionHeight.h"
#include "entity/PlayerTargetDirection.h"
#include "entity/PlayerTargetHeight.h"
#include "gui/GuiCanvas.h"
#include "gui/GuiCanvasDecorated.h"
#include "gui/GuiDrawable.h"
#include "gui/GuiEvent.h"
#include "gui/GuiKeylessButton.h"
#include "manager/ContentManager.h"
#include "manager/GameManager.h"
#include "manager/GamePreferences.h"
#include "sound/SoundMicrophoneAnalyzer.h"
#include "sound/SoundMicrophoneAnalyzerCalibratedReader.h"
#include "sound/SoundSystem.h"
#include "utility/Random.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <string>

namespace
{
const sf::Color SKY_COLOUR(135, 206, 250);
const unsigned TEXT_SIZE = 24;
const unsigned HEADER_SIZE = 64;
const sf::Vector2<float> SCORE_POSITION(10.0f, 10.0f);
const float PLAYER_X = 65.0f;

const float FIRST_ENEMY_AFTER = 2.0f;
const float FIRST_COLLECTIBLE_AFTER = 0.0f;
const float FIRST_NOTE_AFTER = 1.0f;
const float ENEMY_INTERVAL_MIN = 2.0f;
const float ENEMY_INTERVAL_MAX = 5.0f;
const float COLLECTIBLE_INTERVAL_MIN = 1.5f;
const float COLLECTIBLE_INTERVAL_MAX = 3.0f;
const float NOTE_INTERVAL_MIN = 0.4f;
const float NOTE_INTERVAL_MAX = 1.2f;
// Seconds of running after which the dragon is one start speed faster.
const float SECONDS_TO_DOUBLE_SPEED = 150.0f;
// New notes start this far from the window's left edge, a little above the dragon.
const float NOTE_X = 80.0f;
const float NOTE_RISE = 5.0f;
// Spawned entities start beyond the right edge and keep this far from the top and bottom.
const float SPAWN_MARGIN = 10.0f;

// The voice gesture that restarts after a game over: below LOW first, then above HIGH.
const float GESTURE_LOW = 0.2f;
const float GESTURE_HIGH = 0.8f;
// Without a calibration the voice reads as the middle: the dragon flies level.
const float NO_READER_VALUE = 0.5f;

const unsigned DIALOG_WIDTH = 500;
const unsigned DIALOG_HEIGHT = 450;
// The dialog's box reaches past its frame on the right.
const float DIALOG_EXTRA_WIDTH = 10.0f;
const float GAME_OVER_Y = -30.0f;
const float RESTART_HINT_Y = 90.0f;
const int BUTTON_WIDTH = 200;

struct DialogButton
{
    float y;
    const char* label;
    const char* name;
};

const DialogButton DIALOG_BUTTONS[] = {
    {200.0f, "Restart", "restart"},
    {260.0f, "Back to menu", "menu"},
    {320.0f, "Calibration", "calibration"},
};

struct BackgroundLayer
{
    const char* key;
    float parallaxFactor;
};

// Index 0 is the nearest layer.
const BackgroundLayer BACKGROUND_LAYERS[] = {
    {"bg1", 0.7f},
    {"bg2", 0.4f},
    {"bg3", 0.2f},
};

std::shared_ptr<sf::Text> MakeText(const std::string& text, const std::string& font, unsigned size)
{
    return std::make_shared<sf::Text>(text, GameManager::Instance()->GetContentManager().GetFont(font), size);
}

float Truncate(float value)
{
    return static_cast<float>(static_cast<int>(value));
}
}

const float PlayMode::VOLUME_START_THRESHOLD = 0.05f;

PlayMode::PlayMode()
    : GameMode(PlayModeType),
      m_effects(),
      m_players(),
      m_guiManager(),
      m_collectibles(),
      m_enemies(),
      m_scoreText(),
      m_startPrompt(),
      m_gameOverDialog(nullptr),
      m_soundSystem(&m_gameManager->GetSoundSystem()),
      m_analyzer(&m_gameManager->GetSoundMicrophoneAnalyzer()),
      m_reader(),
      m_state(PlayStateWaitingForStart),
      m_player(nullptr),
      m_shiftX(0),
      m_screenView(m_renderWindow->getDefaultView()),
      m_worldView(m_screenView.getCenter(), m_screenView.getSize()),
      m_viewWidth(m_worldView.getSize().x),
      m_viewHeight(m_worldView.getSize().y),
      m_enemyTimer(FIRST_ENEMY_AFTER),
      m_collectibleTimer(FIRST_COLLECTIBLE_AFTER),
      m_speedGainPerSecond(Player::NORMAL_START_SPEED / SECONDS_TO_DOUBLE_SPEED),
      m_enemyIntervalMin(ENEMY_INTERVAL_MIN),
      m_enemyIntervalMax(ENEMY_INTERVAL_MAX),
      m_collectibleIntervalMin(COLLECTIBLE_INTERVAL_MIN),
      m_collectibleIntervalMax(COLLECTIBLE_INTERVAL_MAX),
      m_noteImage(nullptr),
      m_noteTimer(FIRST_NOTE_AFTER),
      m_score(0),
      m_lowNoteSeen(false),
      m_collectSound(),
      m_gameOverSound()
{
}

PlayMode::~PlayMode() = default;

void PlayMode::Initialize()
{
    ContentManager& content = m_gameManager->GetContentManager();

    m_reader = m_preferences->GetSoundMicrophoneAnalyzerCalibratedReader();

    content.LoadSound("collect", "collect.wav");
    content.LoadSound("gameover", "gameover.wav");

    m_guiManager.SetGuiEventHandler([this](const GuiEvent& event) { HandleGuiEvent(event); });
    m_guiManager.AddCursor("standard", "cursor_normal");
    m_guiManager.SetCursor("standard", false);

    m_startPrompt = MakeText("Make a noise to start!", "standard", TEXT_SIZE);
    m_startPrompt->setFillColor(sf::Color::Black);
    const sf::FloatRect promptRect = m_startPrompt->getLocalBounds();
    m_startPrompt->setPosition(Truncate(m_screenView.getCenter().x - promptRect.width / 2.0f),
                               Truncate(m_screenView.getCenter().y - promptRect.height / 2.0f));

    m_scoreText = MakeText("Score: 0", "standard", TEXT_SIZE);
    m_scoreText->setPosition(SCORE_POSITION);

    BuildGameOverDialog();
    CreatePlayer();

    for (const BackgroundLayer& layer : BACKGROUND_LAYERS)
    {
        const std::string key = layer.key;
        content.LoadImage(key, "game/" + key + ".png");
        m_bgLayers.push_back(std::make_unique<sf::Sprite>(content.GetTexture(key)));
        m_tileWidths.push_back(static_cast<float>(content.GetImage(key).getSize().x));
        m_layerViews.emplace_back(m_worldView.getCenter(), m_worldView.getSize());
        m_layerOffsets.push_back(0.0f);
    }
    for (const BackgroundLayer& layer : BACKGROUND_LAYERS)
        m_parallaxFactors.push_back(layer.parallaxFactor);

    // Top-right corner on the screen's top-right corner.
    const float screenRight = m_gameManager->GetCurrentViewWidth();
    m_sunSprite.setTexture(content.GetTexture("bgSun"), true);
    m_sunSprite.setOrigin(static_cast<float>(content.GetImage("bgSun").getSize().x), 0.0f);
    m_sunSprite.setPosition(screenRight, 0.0f);
    m_sunRaysSprite.setTexture(content.GetTexture("bgSunRays"), true);
    m_sunRaysSprite.setOrigin(static_cast<float>(content.GetImage("bgSunRays").getSize().x), 0.0f);
    m_sunRaysSprite.setPosition(screenRight, 0.0f);

    m_noteImage = &content.GetTexture("note");
    m_collectSound = content.GetSound("collect");
    m_gameOverSound = content.GetSound("gameover");
}

void PlayMode::BuildGameOverDialog()
{
    const ComposedStretchableDrawableConstructor& frameDescription
        = m_gameManager->GetContentManager().GetComposedStretchableDrawableConstructor("gui/canvas_dragon");
    const unsigned width = frameDescription.GetPossibleWidth(DIALOG_WIDTH);
    const unsigned height = frameDescription.GetPossibleHeight(DIALOG_HEIGHT);
    // The halves round down before the float centre is subtracted.
    const sf::Vector2<float> position(m_viewWidth * 0.5f - static_cast<float>(width / 2),
                                      m_viewHeight * 0.5f - static_cast<float>(height / 2));

    m_gameOverDialog = GuiCanvasDecorated::CreateFramed(frameDescription, position, width, height,
                                                        sf::Vector2<float>(0.0f, 0.0f), DIALOG_EXTRA_WIDTH);
    m_guiManager.AddElement(m_gameOverDialog);
    GuiCanvas* inner = m_gameOverDialog->GetInnerCanvas();

    const float centreX = inner->GetWidth() * 0.5f;
    std::shared_ptr<sf::Text> gameOver = MakeText("Game over!", "header", HEADER_SIZE);
    gameOver->setFillColor(sf::Color::Black);
    std::shared_ptr<sf::Text> restartHint
        = MakeText("To restart, first make a low note and then\na high one!", "standard", TEXT_SIZE);
    restartHint->setFillColor(sf::Color::Black);
    inner->AddElement(new GuiDrawable(
        sf::Vector2<float>(Truncate(centreX - gameOver->getLocalBounds().width / 2.0f), GAME_OVER_Y), gameOver, ""));
    inner->AddElement(new GuiDrawable(
        sf::Vector2<float>(Truncate(centreX - restartHint->getLocalBounds().width / 2.0f), RESTART_HINT_Y),
        restartHint, ""));

    float buttonX = 0.0f;
    bool first = true;
    for (const DialogButton& entry : DIALOG_BUTTONS)
    {
        auto* button = new GuiKeylessButton(sf::Vector2<float>(0.0f, 0.0f), BUTTON_WIDTH, entry.label, entry.name);
        if (first)
        {
            buttonX = centreX - button->GetWidth() / 2.0f;
            first = false;
        }
        button->MoveRelativePosition(sf::Vector2<float>(buttonX, entry.y));
        inner->AddElement(button);
    }
    m_gameOverDialog->SetVisible(false);
}

void PlayMode::CreatePlayer()
{
    ContentManager& content = m_gameManager->GetContentManager();
    const sf::Texture& texture = content.GetTexture("player");
    const sf::Image& pixels = content.GetImage("player");
    const sf::Vector2<float> start(PLAYER_X, static_cast<float>(m_renderWindow->getSize().y / 2));
    const float speed = Player::NORMAL_START_SPEED;
    switch (m_preferences->GetPlayerType())
    {
    case GamePreferences::PlayerTargetDirectionType:
        m_player = new PlayerTargetDirection(texture, pixels, start, speed);
        break;
    case GamePreferences::PlayerTargetHeightType:
        m_player = new PlayerTargetHeight(texture, pixels, start, speed);
        break;
    case GamePreferences::PlayerDirectionHeightType:
    default:
        // A stored type from no known variant flies the first one rather than none.
        m_player = new PlayerDirectionHeight(texture, pixels, start, speed);
        break;
    }
    m_players.AddElement(m_player);
}

void PlayMode::TearDown()
{
}

void PlayMode::Process()
{
    m_analyzer->Update();
    switch (m_state)
    {
    case PlayStateWaitingForStart:
        if (m_analyzer->IsDominantHzActive() && m_analyzer->GetVolume() > VOLUME_START_THRESHOLD)
            m_state = PlayStateRunning;
        break;
    case PlayStateRunning:
        ProcessRunning();
        break;
    case PlayStateGameOver:
        if (ProcessRestartGesture())
            return;
        break;
    }
    m_soundSystem->Update();
    m_effects.Process();
    m_guiManager.Process();
}

float PlayMode::GetVoiceValue() const
{
    return m_reader ? m_reader->GetCalibratedValue() : NO_READER_VALUE;
}

template <typename TEntity>
void PlayMode::ProcessList(LockedList<TEntity>& list)
{
    list.LockEntities();
    for (auto const& element : list.GetElements())
    {
        if (!element->Process())
            list.RemoveAndDeleteElement(element.get());
    }
    list.UnlockEntities();
    list.ApplyQueuedChanges();
}

void PlayMode::ProcessRunning()
{
    const float elapsed = m_gameManager->GetElapsedTimeInSeconds();

    m_player->SetTargetValue(GetVoiceValue());
    const float oldX = m_player->GetSprite().getPosition().x;
    m_players.Process();
    ProcessList(m_collectibles);
    ProcessList(m_enemies);

    // The world view moves by whole pixels; each layer keeps the fraction of its share.
    const float newX = m_player->GetSprite().getPosition().x;
    const int dx = static_cast<int>(newX) - static_cast<int>(oldX);
    if (dx > 0)
    {
        m_shiftX += dx;
        m_worldView.move(static_cast<float>(dx), 0.0f);
        for (std::size_t i = 0; i < m_layerViews.size(); ++i)
        {
            const float oldOffset = m_layerOffsets[i];
            m_layerOffsets[i] = oldOffset + static_cast<float>(dx) * m_parallaxFactors[i];
            m_layerViews[i].move(
                static_cast<float>(static_cast<int>(m_layerOffsets[i]) - static_cast<int>(oldOffset)), 0.0f);
        }
    }

    TestCollectibleCollision();
    TestEnemyCollison();

    // At most one of each per frame; the overshoot carries into the next interval.
    m_enemyTimer -= elapsed;
    if (m_enemyTimer <= 0.0f)
    {
        m_enemyTimer += Random::Float(m_enemyIntervalMin, m_enemyIntervalMax);
        AddEnemy();
    }
    m_collectibleTimer -= elapsed;
    if (m_collectibleTimer <= 0.0f)
    {
        m_collectibleTimer += Random::Float(m_collectibleIntervalMin, m_collectibleIntervalMax);
        AddCollectible();
    }

    m_player->AddSpeed(m_speedGainPerSecond * elapsed);

    m_noteTimer -= elapsed;
    if (m_noteTimer <= 0.0f)
    {
        m_noteTimer += Random::Float(NOTE_INTERVAL_MIN, NOTE_INTERVAL_MAX);
        m_effects.AddElement(
            new Note(*m_noteImage, sf::Vector2<float>(NOTE_X, m_player->GetPos().y - NOTE_RISE)));
    }
}

bool PlayMode::ProcessRestartGesture()
{
    // Without a calibration there is no low or high to read.
    if (!m_reader || !m_analyzer->IsDominantHzActive())
        return false;
    const float value = m_reader->GetCalibratedValue();
    if (value < GESTURE_LOW)
    {
        m_lowNoteSeen = true;
        return false;
    }
    if (m_lowNoteSeen && value > GESTURE_HIGH)
    {
        Restart();
        return true;
    }
    return false;
}

void PlayMode::HandleEvent(const sf::Event& event)
{
    m_guiManager.HandleEvent(event);
    // Ends the game quietly: no dialog, no cursor, no sound.
    if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape)
        m_state = PlayStateGameOver;
}

void PlayMode::HandleGuiEvent(const GuiEvent& event)
{
    if (event.type != GuiButtonClicked)
        return;
    const std::string& name = event.source->GetName();
    if (name == "restart")
        Restart();
    else if (name == "menu")
        BackToMenu();
    else if (name == "calibration")
        BackToCalibration();
}

float PlayMode::GetShiftX() const
{
    return static_cast<float>(m_shiftX);
}

GuiManager& PlayMode::GetGuiManager()
{
    return m_guiManager;
}

void PlayMode::Draw()
{
    m_renderWindow->clear(SKY_COLOUR);

    m_renderWindow->setView(m_screenView);
    m_renderWindow->draw(m_sunSprite);
    DrawBgLayer(2);
    m_renderWindow->draw(m_sunRaysSprite);
    DrawBgLayer(1);
    DrawBgLayer(0);

    m_renderWindow->setView(m_worldView);
    m_player->DrawHelpLine();
    m_players.Draw();
    for (auto const& collectible : m_collectibles.GetElements())
        collectible->Draw();
    for (auto const& enemy : m_enemies.GetElements())
        enemy->Draw();

    m_renderWindow->setView(m_screenView);
    m_effects.Draw();
    m_guiManager.Draw();
    m_renderWindow->draw(*m_scoreText);
    if (m_state == PlayStateWaitingForStart)
        m_renderWindow->draw(*m_startPrompt);

    m_renderWindow->display();
}

void PlayMode::DrawBgLayer(int index)
{
    const std::size_t layer = static_cast<std::size_t>(index);
    m_gameManager->SetViewAndSaveOld(m_layerViews[layer]);
    sf::Sprite& sprite = *m_bgLayers[layer];
    const float width = m_tileWidths[layer];
    // The tile boundary at or left of the layer's offset.
    const int offset = static_cast<int>(m_layerOffsets[layer]);
    float x = Truncate(width * Truncate(static_cast<float>(offset) / width));
    do
    {
        sprite.setPosition(x, 0.0f);
        m_renderWindow->draw(sprite);
        x = Truncate(x + width);
    } while (x < static_cast<float>(m_shiftX) + m_viewWidth);
    m_gameManager->RevertView();
}

void PlayMode::AddEnemy()
{
    ContentManager& content = m_gameManager->GetContentManager();
    const sf::Image& pixels = content.GetImage("enemy");
    const sf::Vector2<float> position(
        static_cast<float>(m_shiftX) + m_viewWidth + SPAWN_MARGIN,
        Random::Float(SPAWN_MARGIN, m_viewHeight - SPAWN_MARGIN - static_cast<float>(pixels.getSize().y)));
    m_enemies.AddElement(new Enemy(this, content.GetTexture("enemy"), pixels, position));
}

void PlayMode::AddCollectible()
{
    ContentManager& content = m_gameManager->GetContentManager();
    const sf::Image& pixels = content.GetImage("collectible");
    const sf::Vector2<float> position(
        static_cast<float>(m_shiftX) + m_viewWidth + SPAWN_MARGIN,
        Random::Float(SPAWN_MARGIN, m_viewHeight - SPAWN_MARGIN - static_cast<float>(pixels.getSize().y)));
    m_collectibles.AddElement(new Collectible(this, content.GetTexture("collectible"), position));
}

void PlayMode::TestCollectibleCollision()
{
    // The removals that Collect queues wait for the list's next processing pass.
    m_collectibles.LockEntities();
    for (auto const& collectible : m_collectibles.GetElements())
    {
        if (collectible->DoesCollideWithPlayer(m_player))
            Collect(*collectible);
    }
    m_collectibles.UnlockEntities();
}

void PlayMode::Collect(Collectible& collectible)
{
    ++m_score;
    m_scoreText->setString("Score: " + std::to_string(m_score));
    m_collectibles.RemoveAndDeleteElement(&collectible);
    PlaySoundIfLoaded(m_collectSound);
}

void PlayMode::TestEnemyCollison()
{
    m_enemies.LockEntities();
    for (auto const& enemy : m_enemies.GetElements())
    {
        if (enemy->DoesCollideWithPlayer(m_player))
            Hit(*enemy);
    }
    m_enemies.UnlockEntities();
}

void PlayMode::Hit(Enemy&)
{
    m_state = PlayStateGameOver;
    m_gameOverDialog->SetVisible(true);
    // The dialog's buttons are worked with the pointer.
    m_guiManager.ShowCursor(true);
    PlaySoundIfLoaded(m_gameOverSound);
}

void PlayMode::PlaySoundIfLoaded(Sound& sound)
{
    if (sound.IsSet())
        m_soundSystem->PlaySound(sound);
}

void PlayMode::BackToMenu()
{
    m_gameManager->SetNextGameMode(new MenuMode);
}

void PlayMode::BackToCalibration()
{
    // The calibration continues with a new game.
    m_gameManager->SetNextGameMode(new CalibrationMode(new PlayMode));
}

void PlayMode::Restart()
{
    m_gameManager->SetNextGameMode(new PlayMode());
}
