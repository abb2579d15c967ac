#pragma once

#include "entity/Collectible.h"
#include "entity/Enemy.h"
#include "entity/EntityList.h"
#include "entity/IScrolledView.h"
#include "gamemode/GameMode.h"
#include "gui/GuiManager.h"
#include "sound/Sound.h"
#include "utility/LockedList.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/View.hpp>

#include <cstddef>
#include <memory>
#include <vector>

class GuiCanvasDecorated;
class GuiEvent;
class Player;
class SoundMicrophoneAnalyzer;
class SoundMicrophoneAnalyzerCalibratedReader;
class SoundSystem;

// The game screen: the dragon flies right under the calibrated voice value,
// the world scrolls with it over three parallax layers, enemies and coins
// come from the right, notes trail behind, and a game-over dialog offers a
// restart. Waits for a voice to start, runs, and after the game ends watches
// for a low note followed by a high one to start again.
class PlayMode : public GameMode, public IScrolledView
{
public:
    enum PlayState
    {
        PlayStateWaitingForStart = 0,
        PlayStateRunning = 1,
        PlayStateGameOver = 2
    };

    // A voiced sound louder than this (strictly) starts the run.
    static const float VOLUME_START_THRESHOLD;

    // Construct only after the render window exists; throws when the sound
    // system holds no sound-library system.
    PlayMode();
    ~PlayMode() override;

    void Initialize() override;
    void TearDown() override;
    void Process() override;
    void HandleEvent(const sf::Event& event) override;
    void Draw() override;

    void HandleGuiEvent(const GuiEvent& event);
    // The world view's scroll in whole pixels.
    float GetShiftX() const override;
    GuiManager& GetGuiManager();
    // Tiles one background layer across its own view.
    void DrawBgLayer(int index);

    void AddEnemy();
    void AddCollectible();
    void Collect(Collectible& collectible);
    void TestEnemyCollison();
    void TestCollectibleCollision();
    // The game-over entry; the enemy is not looked at.
    void Hit(Enemy& enemy);
    void BackToMenu();
    void BackToCalibration();
    void Restart();

    // Read access for tests and tools.
    PlayState GetState() const { return m_state; }
    int GetScore() const { return m_score; }
    Player* GetPlayer() const { return m_player; }
    const sf::Text& GetScoreText() const { return *m_scoreText; }
    const sf::Text& GetStartPrompt() const { return *m_startPrompt; }
    GuiCanvasDecorated* GetGameOverDialog() const { return m_gameOverDialog; }
    LockedList<Collectible>& GetCollectibles() { return m_collectibles; }
    LockedList<Enemy>& GetEnemies() { return m_enemies; }
    EntityList& GetEffects() { return m_effects; }
    const sf::View& GetWorldView() const { return m_worldView; }
    const sf::View& GetLayerView(int index) const { return m_layerViews[static_cast<std::size_t>(index)]; }

private:
    void ProcessRunning();
    // True when the gesture started a new game; the frame then ends at once.
    bool ProcessRestartGesture();
    // The voice value of the stored reader; the middle without one.
    float GetVoiceValue() const;
    void BuildGameOverDialog();
    void CreatePlayer();
    void PlaySoundIfLoaded(Sound& sound);

    template <typename TEntity>
    static void ProcessList(LockedList<TEntity>& list);

    EntityList m_effects;
    EntityList m_players;
    GuiManager m_guiManager;
    LockedList<Collectible> m_collectibles;
    LockedList<Enemy> m_enemies;
    std::shared_ptr<sf::Text> m_scoreText;
    std::shared_ptr<sf::Text> m_startPrompt;
    GuiCanvasDecorated* m_gameOverDialog;
    SoundSystem* m_soundSystem;
    SoundMicrophoneAnalyzer* m_analyzer;
    std::shared_ptr<SoundMicrophoneAnalyzerCalibratedReader> m_reader;
    PlayState m_state;
    Player* m_player;
    std::vector<std::unique_ptr<sf::Sprite>> m_bgLayers;
    std::vector<float> m_tileWidths;
    std::vector<float> m_parallaxFactors;
    std::vector<float> m_layerOffsets;
    std::vector<sf::View> m_layerViews;
    sf::Sprite m_sunSprite;
    sf::Sprite m_sunRaysSprite;
    int m_shiftX;
    sf::View m_screenView;
    sf::View m_worldView;
    float m_viewWidth;
    float m_viewHeight;
    float m_enemyTimer;
    float m_collectibleTimer;
    float m_speedGainPerSecond;
    float m_enemyIntervalMin;
    float m_enemyIntervalMax;
    float m_collectibleIntervalMin;
    float m_collectibleIntervalMax;
    const sf::Texture* m_noteImage;
    float m_noteTimer;
    int m_score;
    bool m_lowNoteSeen;
    Sound m_collectSound;
    Sound m_gameOverSound;
};
