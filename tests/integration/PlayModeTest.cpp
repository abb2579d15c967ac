#include "ModeScreens.h"

#include "entity/Collectible.h"
#include "entity/Enemy.h"
#include "entity/Entity.h"
#include "entity/Note.h"
#include "entity/Player.h"
#include "entity/PlayerDirectionHeight.h"
#include "entity/PlayerTargetDirection.h"
#include "entity/PlayerTargetHeight.h"
#include "gamemode/PlayMode.h"
#include "gui/GuiCanvas.h"
#include "gui/GuiCanvasDecorated.h"
#include "gui/GuiEventHelper.h"
#include "gui/GuiNullElement.h"
#include "manager/GameManager.h"
#include "platform/SoundLibraryTesting.h"
#include "support/PlayScene.h"
#include "utility/Random.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

// These tests run the play screen in the game's window with the game's
// content, under the headless X and sound servers.
namespace
{
// Tells whether the mode under test asked for a successor: the mode waiting to
// be switched in changes.
class SuccessorWatch
{
public:
    SuccessorWatch() : m_before(GameManager::Instance()->GetNextGameModeForTesting()) {}
    // Nothing asked for is switched in later: the manager deletes it at its next step.
    ~SuccessorWatch() { GameManager::Instance()->SetNextGameMode(nullptr); }
    SuccessorWatch(const SuccessorWatch&) = delete;
    SuccessorWatch& operator=(const SuccessorWatch&) = delete;
    bool Requested() const
    {
        GameMode* next = GameManager::Instance()->GetNextGameModeForTesting();
        return next != nullptr && next != m_before;
    }

private:
    GameMode* m_before;
};

const sf::Texture& Texture(const char* key)
{
    return GameManager::Instance()->GetContentManager().GetTexture(key);
}

const sf::Image& Pixels(const char* key)
{
    return GameManager::Instance()->GetContentManager().GetImage(key);
}

sf::Image WindowPicture()
{
    sf::RenderWindow& window = *GameManager::Instance()->GetRenderWindow();
    sf::Texture texture;
    texture.create(window.getSize().x, window.getSize().y);
    texture.update(window);
    return texture.copyToImage();
}

int CountDark(const sf::Image& image, const sf::IntRect& area)
{
    int count = 0;
    for (int y = area.top; y < area.top + area.height; ++y)
        for (int x = area.left; x < area.left + area.width; ++x)
        {
            const sf::Color c = image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
            if (c.r < 40 && c.g < 40 && c.b < 40)
                ++count;
        }
    return count;
}

const sf::Color SKY(135, 206, 250);
const int WINDOW_WIDTH = 1024;

bool Near(sf::Color a, sf::Color b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

// The image's pixel at (x, y); transparent outside the image.
sf::Color PixelOf(const char* key, int x, int y)
{
    const sf::Image& image = Pixels(key);
    if (x < 0 || y < 0 || x >= static_cast<int>(image.getSize().x) || y >= static_cast<int>(image.getSize().y))
        return sf::Color::Transparent;
    return image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
}

sf::Color Over(sf::Color top, sf::Color below)
{
    const float a = top.a / 255.0f;
    auto mix = [a](sf::Uint8 t, sf::Uint8 b) { return static_cast<sf::Uint8>(t * a + b * (1.0f - a) + 0.5f); };
    return sf::Color(mix(top.r, below.r), mix(top.g, below.g), mix(top.b, below.b));
}

// The background layer's pixel at a window pixel: the layer's tiles lie side
// by side from 0 in its own view, which has scrolled by whole pixels.
sf::Color LayerPixel(PlayMode& mode, int index, int x, int y)
{
    static const char* const keys[] = {"bg1", "bg2", "bg3"};
    const int scrolled = static_cast<int>(mode.GetLayerView(index).getCenter().x) - WINDOW_WIDTH / 2;
    const int width = static_cast<int>(Pixels(keys[index]).getSize().x);
    return PixelOf(keys[index], (x + scrolled) % width, y);
}

// A picture in the window's top-right corner.
sf::Color CornerPixel(const char* key, int x, int y)
{
    return PixelOf(key, x - (WINDOW_WIDTH - static_cast<int>(Pixels(key).getSize().x)), y);
}

// What the background shows at a window pixel, drawn back to front: the sky,
// the sun, the far layer, the sun's rays, the middle and the near layer.
sf::Color ExpectedBackground(PlayMode& mode, int x, int y)
{
    sf::Color colour = SKY;
    colour = Over(CornerPixel("bgSun", x, y), colour);
    colour = Over(LayerPixel(mode, 2, x, y), colour);
    colour = Over(CornerPixel("bgSunRays", x, y), colour);
    colour = Over(LayerPixel(mode, 1, x, y), colour);
    return Over(LayerPixel(mode, 0, x, y), colour);
}

// The window pixels, on a grid over the whole window, that differ from the
// expected background; the score and the dragon's band are left out.
std::string BackgroundMismatches(PlayMode& mode, const sf::Image& shot)
{
    const sf::IntRect score(0, 0, 200, 50);
    const sf::IntRect dragonBand(0, 240, WINDOW_WIDTH, 120);
    std::ostringstream found;
    int count = 0;
    for (int y = 2; y < 600; y += 8)
        for (int x = 2; x < WINDOW_WIDTH; x += 8)
        {
            if (score.contains(x, y) || dragonBand.contains(x, y))
                continue;
            const sf::Color seen = shot.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
            const sf::Color expected = ExpectedBackground(mode, x, y);
            if (Near(seen, expected, 3))
                continue;
            if (++count <= 5)
                found << " (" << x << ", " << y << ") shows " << int(seen.r) << "," << int(seen.g) << ","
                      << int(seen.b) << " for " << int(expected.r) << "," << int(expected.g) << ","
                      << int(expected.b) << ";";
        }
    return count == 0 ? "" : std::to_string(count) + " pixels off:" + found.str();
}

// The window rectangle of a sprite drawn in the world view.
sf::IntRect OnWindow(PlayMode& mode, const sf::Sprite& sprite)
{
    const sf::FloatRect box = sprite.getGlobalBounds();
    const float left = mode.GetWorldView().getCenter().x - WINDOW_WIDTH / 2;
    return sf::IntRect(static_cast<int>(box.left - left), static_cast<int>(box.top), static_cast<int>(box.width),
                       static_cast<int>(box.height));
}

// The opaque pixels of the dragon and of a bat on it that the window does not
// show as the topmost of the two.
int EntityMismatches(const sf::Image& shot, const sf::IntRect& dragon, const sf::IntRect& bat)
{
    int count = 0;
    for (int y = dragon.top; y < dragon.top + dragon.height; ++y)
        for (int x = dragon.left; x < dragon.left + dragon.width; ++x)
        {
            const sf::Color batPixel = PixelOf("enemy", x - bat.left, y - bat.top);
            const sf::Color dragonPixel = PixelOf("player", x - dragon.left, y - dragon.top);
            const sf::Color top = batPixel.a == 255 ? batPixel : batPixel.a == 0 ? dragonPixel : sf::Color::Transparent;
            if (top.a == 255 && !Near(shot.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)), top, 3))
                ++count;
        }
    return count;
}

// Heights of the entities in the list, which is emptied: nothing that a test
// run spawns lives on to reach the dragon.
template <typename TElement>
std::vector<float> TakeAll(LockedList<TElement>& list)
{
    std::vector<TElement*> taken;
    for (const auto& element : list.GetElements())
        taken.push_back(element.get());
    std::vector<float> heights;
    for (TElement* element : taken)
    {
        heights.push_back(dynamic_cast<const Entity&>(*element).GetPos().y);
        list.RemoveAndDeleteElement(element);
    }
    return heights;
}

unsigned Starts(const char* sound)
{
    return SoundLibraryGetSoundStarts(GameManager::Instance()->GetContentManager().GetSound(sound).GetInternal());
}

// Pixels of the area that are not the sky.
int CountNotSky(const sf::Image& image, const sf::IntRect& area)
{
    int count = 0;
    for (int y = area.top; y < area.top + area.height; ++y)
        for (int x = area.left; x < area.left + area.width; ++x)
            count += Near(image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)), SKY, 10) ? 0 : 1;
    return count;
}
}

TEST(PlayMode, scene_is_laid_out_for_the_1024x600_window)
{
    PlayScene scene;
    PlayMode& mode = scene.Mode();

    EXPECT_EQ(sf::Vector2f(65.0f, 300.0f), mode.GetPlayer()->GetPos());
    EXPECT_EQ("Score: 0", mode.GetScoreText().getString().toAnsiString());
    EXPECT_EQ(sf::Vector2f(10.0f, 10.0f), mode.GetScoreText().getPosition());
    const sf::Text& prompt = mode.GetStartPrompt();
    EXPECT_EQ("Make a noise to start!", prompt.getString().toAnsiString());
    const sf::FloatRect promptBox = prompt.getLocalBounds();
    // The corner is truncated to whole pixels.
    EXPECT_NEAR(511.5f, prompt.getPosition().x + promptBox.width / 2.0f, 0.5f);
    EXPECT_NEAR(299.5f, prompt.getPosition().y + promptBox.height / 2.0f, 0.5f);

    GuiCanvasDecorated* dialog = mode.GetGameOverDialog();
    EXPECT_EQ(sf::Vector2f(259.0f, 75.0f), dialog->GetAbsolutePosition());
    EXPECT_EQ(516.0f, dialog->GetWidth());
    EXPECT_EQ(450.0f, dialog->GetHeight());
    GuiCanvas* inner = dialog->GetInnerCanvas();
    EXPECT_EQ(sf::Vector2f(307.0f, 129.0f), inner->GetAbsolutePosition());
    EXPECT_EQ(399.0f, inner->GetWidth());
    EXPECT_EQ(343.0f, inner->GetHeight());

    EXPECT_FALSE(dialog->IsVisible());
    EXPECT_EQ(PlayMode::PlayStateWaitingForStart, mode.GetState());
    EXPECT_EQ(0.0f, mode.GetShiftX());
}

TEST(PlayMode, steering_variant_follows_the_stored_player_type_and_falls_back_to_the_first)
{
    struct Case
    {
        int storedType;
        const char* expected;
    };
    const Case cases[] = {
        {0, "PlayerDirectionHeight"},
        {1, "PlayerTargetDirection"},
        {2, "PlayerTargetHeight"},
        {3, "PlayerDirectionHeight"},
        {-1, "PlayerDirectionHeight"},
    };
    for (const Case& c : cases)
    {
        PlayScene scene(PlayScene::Config(c.storedType, true));
        Player* player = scene.Mode().GetPlayer();
        ASSERT_NE(nullptr, player) << c.storedType;
        std::string made = dynamic_cast<PlayerDirectionHeight*>(player) ? "PlayerDirectionHeight"
                           : dynamic_cast<PlayerTargetDirection*>(player) ? "PlayerTargetDirection"
                           : dynamic_cast<PlayerTargetHeight*>(player) ? "PlayerTargetHeight"
                                                                         : "other";
        EXPECT_EQ(c.expected, made) << "stored type " << c.storedType;
    }
}

TEST(PlayMode, only_a_voiced_sound_louder_than_the_threshold_starts_the_run)
{
    struct Case
    {
        float hz;
        float volume;
        bool starts;
    };
    const Case cases[] = {
        {PlayScene::MIDDLE_HZ, PlayMode::VOLUME_START_THRESHOLD, false},
        {0.0f, 0.9f, false},
        {PlayScene::MIDDLE_HZ, 0.0501f, true},
    };
    for (const Case& c : cases)
    {
        PlayScene scene;
        PlayScene::Hear(c.hz, c.volume);
        scene.Frame(0.5f);
        EXPECT_EQ(c.starts ? PlayMode::PlayStateRunning : PlayMode::PlayStateWaitingForStart, scene.Mode().GetState())
            << c.hz << " Hz at " << c.volume;
        // Nothing moves or spawns while waiting, however long it is.
        EXPECT_EQ(sf::Vector2f(65.0f, 300.0f), scene.Mode().GetPlayer()->GetPos());
        EXPECT_TRUE(scene.Mode().GetCollectibles().GetElements().empty());
        EXPECT_TRUE(scene.Mode().GetEffects().GetElements().empty());
    }
}

TEST(PlayMode, seeded_run_spawns_on_its_timers_and_replays_the_same)
{
    struct Spawns
    {
        int firstCollectibleFrame = 0;
        int firstNoteFrame = 0;
        int firstEnemyFrame = 0;
        sf::Vector2f collectible;
        float shiftAtCollectible = 0.0f;
        sf::Vector2f enemy;
        float shiftAtEnemy = 0.0f;
    };
    auto run = [] {
        Spawns spawns;
        PlayScene scene;
        PlayMode& mode = scene.Mode();
        Random::Seed(2024);
        scene.Start();
        // 0.125 s is exact in binary: the 2.0 s and 1.0 s timers run out in frames 16 and 8.
        for (int frame = 1; frame <= 16; ++frame)
        {
            scene.Frame(0.125f);
            if (spawns.firstCollectibleFrame == 0 && !mode.GetCollectibles().GetElements().empty())
            {
                spawns.firstCollectibleFrame = frame;
                spawns.collectible = mode.GetCollectibles().GetElements().front()->GetPos();
                spawns.shiftAtCollectible = mode.GetShiftX();
            }
            if (spawns.firstNoteFrame == 0 && !mode.GetEffects().GetElements().empty())
                spawns.firstNoteFrame = frame;
            if (spawns.firstEnemyFrame == 0 && !mode.GetEnemies().GetElements().empty())
            {
                spawns.firstEnemyFrame = frame;
                spawns.enemy = mode.GetEnemies().GetElements().front()->GetPos();
                spawns.shiftAtEnemy = mode.GetShiftX();
            }
        }
        EXPECT_EQ(PlayMode::PlayStateRunning, mode.GetState());
        return spawns;
    };

    const Spawns first = run();
    EXPECT_EQ(1, first.firstCollectibleFrame);
    EXPECT_EQ(8, first.firstNoteFrame);
    EXPECT_EQ(16, first.firstEnemyFrame);
    // 10 px beyond the right edge of the scrolled view, at least 10 px inside top and bottom.
    EXPECT_EQ(first.shiftAtEnemy + 1034.0f, first.enemy.x);
    EXPECT_GE(first.enemy.y, 10.0f);
    EXPECT_LE(first.enemy.y, 600.0f - 10.0f - 40.0f);
    EXPECT_EQ(first.shiftAtCollectible + 1034.0f, first.collectible.x);

    const Spawns again = run();
    EXPECT_EQ(first.collectible, again.collectible);
    EXPECT_EQ(first.enemy, again.enemy);
}

TEST(PlayMode, world_scrolls_by_whole_pixels_and_layers_keep_their_fraction)
{
    PlayScene scene;
    PlayMode& mode = scene.Mode();
    scene.Start();
    // 1/128 s at 128 px/s: one pixel of scroll per frame (the speed gain adds
    // less than a pixel over the 20 frames).
    mode.GetPlayer()->SetSpeed(128.0f);
    std::vector<int> layer2Frames;
    int layer0Moves = 0;
    for (int frame = 1; frame <= 20; ++frame)
    {
        const float worldBefore = mode.GetWorldView().getCenter().x;
        const float layer0Before = mode.GetLayerView(0).getCenter().x;
        const float layer2Before = mode.GetLayerView(2).getCenter().x;
        scene.Frame(1.0f / 128.0f);
        EXPECT_EQ(worldBefore + 1.0f, mode.GetWorldView().getCenter().x) << "frame " << frame;
        const float layer0Step = mode.GetLayerView(0).getCenter().x - layer0Before;
        const float layer2Step = mode.GetLayerView(2).getCenter().x - layer2Before;
        EXPECT_TRUE(layer0Step == 0.0f || layer0Step == 1.0f) << layer0Step;
        EXPECT_TRUE(layer2Step == 0.0f || layer2Step == 1.0f) << layer2Step;
        layer0Moves += layer0Step == 1.0f ? 1 : 0;
        if (layer2Step == 1.0f)
            layer2Frames.push_back(frame);
    }
    EXPECT_EQ(20.0f, mode.GetShiftX());
    // One pixel per second faster for every second of running.
    EXPECT_FLOAT_EQ(128.0f + 20.0f / 128.0f, mode.GetPlayer()->GetSpeed());
    EXPECT_EQ((std::vector<int>{5, 10, 15, 20}), layer2Frames);
    EXPECT_EQ(13, layer0Moves);
}

TEST(PlayMode, two_collectibles_touched_in_one_frame_score_two_and_go_at_the_next_pass)
{
    PlayScene scene;
    PlayMode& mode = scene.Mode();
    scene.Start();
    const sf::Vector2f onPlayer = mode.GetPlayer()->GetPos() - sf::Vector2f(16.0f, 16.0f);
    mode.GetCollectibles().AddElement(new Collectible(&mode, Texture("collectible"), onPlayer));
    mode.GetCollectibles().AddElement(new Collectible(&mode, Texture("collectible"), onPlayer));

    // The frame also spawns the first collectible, far to the right.
    scene.Frame(0.001f);
    EXPECT_EQ(2, mode.GetScore());
    EXPECT_EQ("Score: 2", mode.GetScoreText().getString().toAnsiString());
    EXPECT_EQ(3u, mode.GetCollectibles().GetElements().size()) << "drawn once more in the frame they were collected";

    scene.Frame(0.001f);
    EXPECT_EQ(1u, mode.GetCollectibles().GetElements().size());
    EXPECT_EQ(2, mode.GetScore());
}

TEST(PlayMode, enemy_hit_ends_the_game_after_the_frames_collectible_is_scored)
{
    PlayScene scene;
    PlayMode& mode = scene.Mode();
    scene.Start();
    const sf::Vector2f centre = mode.GetPlayer()->GetPos();
    mode.GetCollectibles().AddElement(
        new Collectible(&mode, Texture("collectible"), centre - sf::Vector2f(16.0f, 16.0f)));
    mode.GetEnemies().AddElement(
        new Enemy(&mode, Texture("enemy"), Pixels("enemy"), centre - sf::Vector2f(25.0f, 20.0f)));

    scene.Frame(0.001f);
    EXPECT_EQ(PlayMode::PlayStateGameOver, mode.GetState());
    EXPECT_TRUE(mode.GetGameOverDialog()->IsVisible());
    EXPECT_EQ(1, mode.GetScore());

    // Frozen from then on: nothing moves, spawns or is collected any more.
    const sf::Vector2f playerAt = mode.GetPlayer()->GetPos();
    const float shift = mode.GetShiftX();
    const std::size_t collectibles = mode.GetCollectibles().GetElements().size();
    scene.Frame(3.0f);
    EXPECT_EQ(playerAt, mode.GetPlayer()->GetPos());
    EXPECT_EQ(collectibles, mode.GetCollectibles().GetElements().size());
    EXPECT_EQ(1u, mode.GetEnemies().GetElements().size());
    EXPECT_EQ(shift, mode.GetShiftX());
}

TEST(PlayMode, escape_ends_the_game_without_the_dialog_in_any_state)
{
    for (bool running : {false, true})
    {
        PlayScene scene;
        PlayMode& mode = scene.Mode();
        if (running)
            scene.Start();
        mode.HandleEvent(KeyPress(sf::Keyboard::Escape));
        EXPECT_EQ(PlayMode::PlayStateGameOver, mode.GetState()) << running;
        EXPECT_FALSE(mode.GetGameOverDialog()->IsVisible()) << running;
        mode.HandleEvent(KeyPress(sf::Keyboard::Space));
        EXPECT_EQ(PlayMode::PlayStateGameOver, mode.GetState()) << running;
    }
}

TEST(PlayMode, restart_gesture_needs_a_low_pitch_before_a_high_one)
{
    // "low", "middle", "high": a loud pitch of that height; "silent low": no
    // pitch while the reader's override says low.
    struct Case
    {
        std::vector<std::string> readings;
        int firesAt; // 1-based; 0 for never
    };
    const Case cases[] = {
        {{"high"}, 0},
        {{"high", "low"}, 0},
        {{"low", "middle", "high"}, 3},
        {{"low", "silent", "high"}, 3},
        {{"silent low", "high"}, 0},
        {{"middle", "high"}, 0},
    };
    for (const Case& c : cases)
    {
        PlayScene scene;
        PlayMode& mode = scene.Mode();
        mode.HandleEvent(KeyPress(sf::Keyboard::Escape));
        SuccessorWatch watch;
        int firedAt = 0;
        for (std::size_t i = 0; i < c.readings.size() && firedAt == 0; ++i)
        {
            const std::string& reading = c.readings[i];
            if (reading == "silent low")
            {
                PlayScene::Hear(0.0f, 0.0f);
                GamePreferences& preferences = GameManager::Instance()->GetPreferences();
                preferences.GetSoundMicrophoneAnalyzerCalibratedReader()->SetCalibratedValue(0.0f);
            }
            else
            {
                PlayScene::Hear(reading == "low"      ? PlayScene::LOW_HZ
                                : reading == "middle" ? PlayScene::MIDDLE_HZ
                                : reading == "high"   ? PlayScene::HIGH_HZ
                                                      : 0.0f,
                                reading == "silent" ? 0.0f : PlayScene::LOUD);
            }
            scene.Frame(0.1f);
            if (watch.Requested())
                firedAt = static_cast<int>(i) + 1;
        }
        std::string sequence;
        for (const std::string& reading : c.readings)
            sequence += reading + ", ";
        EXPECT_EQ(c.firesAt, firedAt) << sequence;
        EXPECT_EQ(PlayMode::PlayStateGameOver, mode.GetState()) << sequence;
    }
}

TEST(PlayMode, frame_in_which_the_gesture_fires_skips_the_trail_and_the_gui)
{
    PlayScene scene;
    PlayMode& mode = scene.Mode();
    mode.HandleEvent(KeyPress(sf::Keyboard::Escape));
    mode.GetEffects().AddElement(new Note(Texture("note"), sf::Vector2f(300.0f, 300.0f)));
    Note& note = dynamic_cast<Note&>(*mode.GetEffects().GetElements().front());

    PlayScene::Hear(PlayScene::LOW_HZ);
    scene.Frame(0.1f);
    const sf::Vector2f afterLow = note.GetPos();
    EXPECT_NE(sf::Vector2f(300.0f, 300.0f), afterLow) << "the trail goes on after the game";

    SuccessorWatch watch;
    PlayScene::Hear(PlayScene::HIGH_HZ);
    scene.Frame(0.1f);
    EXPECT_TRUE(watch.Requested());
    EXPECT_EQ(afterLow, note.GetPos());
}

TEST(PlayMode, without_a_calibration_the_dragon_flies_level_and_no_gesture_is_read)
{
    PlayScene scene(PlayScene::Config(0, false));
    PlayMode& mode = scene.Mode();
    scene.Start();
    ASSERT_EQ(PlayMode::PlayStateRunning, mode.GetState()) << "any loud pitch starts the run";
    PlayScene::Hear(PlayScene::HIGH_HZ);
    scene.Frame(0.5f);
    EXPECT_EQ(0.5f, mode.GetPlayer()->GetTargetValue());
    EXPECT_EQ(300.0f, mode.GetPlayer()->GetPos().y);

    mode.HandleEvent(KeyPress(sf::Keyboard::Escape));
    SuccessorWatch watch;
    for (float hz : {PlayScene::LOW_HZ, PlayScene::HIGH_HZ})
    {
        PlayScene::Hear(hz);
        scene.Frame(0.1f);
    }
    EXPECT_FALSE(watch.Requested());
}

TEST(PlayMode, restart_button_asks_for_a_new_game_and_other_names_do_nothing)
{
    struct Case
    {
        const char* name;
        bool requests;
    };
    const Case cases[] = {{"restart", true}, {"play", false}, {"", false}};
    for (const Case& c : cases)
    {
        PlayScene scene;
        SuccessorWatch watch;
        GuiNullElement source;
        source.SetName(c.name);
        scene.Mode().HandleGuiEvent(GuiEventHelper::CreateGuiButtonClickedEvent(&source));
        EXPECT_EQ(c.requests, watch.Requested()) << c.name;
    }
}

TEST(PlayMode, start_prompt_is_drawn_only_while_waiting)
{
    PlayScene scene;
    PlayMode& mode = scene.Mode();
    const sf::FloatRect box = mode.GetStartPrompt().getGlobalBounds();
    const sf::IntRect area(static_cast<int>(box.left), static_cast<int>(box.top), static_cast<int>(box.width),
                           static_cast<int>(box.height));

    mode.Draw();
    EXPECT_GT(CountDark(WindowPicture(), area), 100);
    // Left in the screen view, whatever the layers and the world view did.
    EXPECT_EQ(sf::Vector2f(512.0f, 300.0f), GameManager::Instance()->GetRenderWindow()->getView().getCenter());

    scene.Start();
    mode.Draw();
    EXPECT_EQ(0, CountDark(WindowPicture(), area));
}

TEST(PlayMode, drawn_frame_layers_the_background_tiles_it_to_the_right_edge_and_puts_bats_over_the_dragon)
{
    PlayScene scene;
    PlayMode& mode = scene.Mode();
    scene.Start();
    mode.Draw();
    EXPECT_EQ("", BackgroundMismatches(mode, WindowPicture())) << "before any scroll";

    // 400 pixels of scroll: each layer's first tile now ends inside the window.
    mode.GetPlayer()->SetSpeed(800.0f);
    scene.Frame(0.5f);
    ASSERT_EQ(400.0f, mode.GetShiftX());
    // Level, so that the dragon's pixels fall on whole window pixels.
    mode.GetPlayer()->GetSprite().setRotation(0.0f);
    const sf::IntRect dragon = OnWindow(mode, mode.GetPlayer()->GetSprite());
    mode.GetEnemies().AddElement(new Enemy(&mode, Texture("enemy"), Pixels("enemy"),
                                           mode.GetPlayer()->GetPos() + sf::Vector2f(-10.0f, -20.0f)));
    const sf::IntRect bat = OnWindow(mode, mode.GetEnemies().GetElements().front()->GetSprite());
    mode.Draw();
    const sf::Image shot = WindowPicture();
    EXPECT_EQ("", BackgroundMismatches(mode, shot)) << "after 400 pixels of scroll";
    EXPECT_EQ(0, EntityMismatches(shot, dragon, bat));
}

namespace
{
struct SpawnRun
{
    std::vector<double> times;
    float lowest = 600.0f;
    float highest = 0.0f;
};

// Frames of a fixed length from a seeded start until the count of spawns of
// the kind, taking every spawned entity away as it comes.
SpawnRun RunSpawns(const std::string& kind, float frameSeconds, std::size_t spawns)
{
    SpawnRun run;
    PlayScene scene;
    PlayMode& mode = scene.Mode();
    Random::Seed(77);
    scene.Start();
    for (long frame = 1; run.times.size() < spawns && frame < 200000; ++frame)
    {
        scene.Frame(frameSeconds);
        const std::vector<float> enemies = TakeAll(mode.GetEnemies());
        const std::vector<float> collectibles = TakeAll(mode.GetCollectibles());
        const std::vector<float> notes = TakeAll(mode.GetEffects());
        const std::vector<float>& mine = kind == "enemy" ? enemies : kind == "collectible" ? collectibles : notes;
        EXPECT_LE(mine.size(), 1u) << kind << "s: at most one a frame";
        for (float y : mine)
        {
            run.times.push_back(static_cast<double>(frame) * frameSeconds);
            run.lowest = std::min(run.lowest, y);
            run.highest = std::max(run.highest, y);
        }
        if (mode.GetState() != PlayMode::PlayStateRunning)
            break;
    }
    EXPECT_EQ(PlayMode::PlayStateRunning, mode.GetState()) << kind;
    return run;
}
}

TEST(PlayMode, seeded_run_spawns_within_the_intervals_and_carries_the_overshoot)
{
    // Short frames measure the bounds. A gap is a whole number of frames, and
    // the short frames divide both ends of each interval, so every gap lies
    // within the interval and a slightly wrong end shows a frame beyond it;
    // the ends are compared half a frame out, clear of rounding. The whole
    // interval is used: its ends are reached within a frame. Long frames
    // measure the carry: carried over, the overshoot keeps the mean gap at
    // the middle of the interval; lost, it would add about half a frame to
    // every gap.
    const struct
    {
        const char* kind;
        float boundsFrame;
        float carryFrame;
        float shortest;
        float longest;
        float imageHeight; // 0: not placed at a random height
        std::size_t spawns;
    } rows[] = {
        {"enemy", 0.05f, 1.0f, 2.0f, 5.0f, 40.0f, 200},
        {"collectible", 0.05f, 1.0f, 1.5f, 3.0f, 32.0f, 300},
        {"note", 0.01f, 0.375f, 0.4f, 1.2f, 0.0f, 500},
    };
    for (const auto& row : rows)
    {
        const SpawnRun fine = RunSpawns(row.kind, row.boundsFrame, row.spawns);
        ASSERT_EQ(row.spawns, fine.times.size()) << row.kind;
        const double frame = row.boundsFrame;
        int outside = 0;
        double shortestSeen = 1e9;
        double longestSeen = 0.0;
        for (std::size_t i = 1; i < fine.times.size(); ++i)
        {
            const double gap = fine.times[i] - fine.times[i - 1];
            shortestSeen = std::min(shortestSeen, gap);
            longestSeen = std::max(longestSeen, gap);
            outside += gap < row.shortest - frame / 2.0 || gap > row.longest + frame / 2.0 ? 1 : 0;
        }
        const std::string seen =
            " gaps from " + std::to_string(shortestSeen) + " to " + std::to_string(longestSeen) + " s";
        EXPECT_EQ(0, outside) << row.kind << seen;
        EXPECT_LT(shortestSeen, row.shortest + 1.5 * frame) << row.kind << seen;
        EXPECT_GT(longestSeen, row.longest - 1.5 * frame) << row.kind << seen;

        const SpawnRun coarse = RunSpawns(row.kind, row.carryFrame, row.spawns);
        ASSERT_EQ(row.spawns, coarse.times.size()) << row.kind;
        const double meanGap =
            (coarse.times.back() - coarse.times.front()) / static_cast<double>(coarse.times.size() - 1);
        EXPECT_NEAR((row.shortest + row.longest) / 2.0, meanGap, row.carryFrame / 4.0) << row.kind;
        if (row.imageHeight > 0.0f)
        {
            // At least 10 pixels inside the top and bottom, and all of that range used.
            const float bottom = 600.0f - 10.0f - row.imageHeight;
            EXPECT_GE(coarse.lowest, 10.0f) << row.kind;
            EXPECT_LE(coarse.highest, bottom) << row.kind;
            EXPECT_LT(coarse.lowest, 30.0f) << row.kind;
            EXPECT_GT(coarse.highest, bottom - 20.0f) << row.kind;
        }
    }
}

TEST(PlayMode, enemies_and_collectibles_left_behind_by_the_scroll_are_removed)
{
    for (const std::string kind : {"enemy", "collectible"})
    {
        PlayScene scene;
        PlayMode& mode = scene.Mode();
        scene.Start();
        for (float x : {0.0f, 700.0f})
        {
            const sf::Vector2f at(x, 100.0f);
            if (kind == "enemy")
                mode.GetEnemies().AddElement(new Enemy(&mode, Texture("enemy"), Pixels("enemy"), at));
            else
                mode.GetCollectibles().AddElement(new Collectible(&mode, Texture("collectible"), at));
        }
        // 200 pixels of scroll leave the first behind; it goes at the next pass.
        mode.GetPlayer()->SetSpeed(400.0f);
        scene.Frame(0.5f);
        scene.Frame(0.001f);
        ASSERT_EQ(200.0f, mode.GetShiftX());

        std::vector<float> xs;
        if (kind == "enemy")
            for (auto const& enemy : mode.GetEnemies().GetElements())
                xs.push_back(enemy->GetPos().x);
        else
            for (auto const& collectible : mode.GetCollectibles().GetElements())
                xs.push_back(collectible->GetPos().x);
        const auto behind = std::count_if(xs.begin(), xs.end(), [](float x) { return x < 200.0f; });
        const auto inView = std::count_if(xs.begin(), xs.end(), [](float x) { return x >= 200.0f && x < 1224.0f; });
        EXPECT_EQ(0, behind) << kind;
        EXPECT_EQ(1, inView) << kind;
    }
}

TEST(PlayMode, collect_and_game_over_sounds_are_started_in_the_sound_system)
{
    const struct
    {
        const char* what;
        int collectibles;
        int enemies;
        bool escapeFirst;
        unsigned collectSounds;
        unsigned gameOverSounds;
    } rows[] = {
        {"two collectibles on the dragon", 2, 0, false, 2, 0},
        {"two enemies on the dragon", 0, 2, false, 0, 2},
        {"an enemy on the dragon after Escape", 0, 1, true, 0, 0},
    };
    for (const auto& row : rows)
    {
        PlayScene scene;
        PlayMode& mode = scene.Mode();
        scene.Start();
        const sf::Vector2f centre = mode.GetPlayer()->GetPos();
        for (int i = 0; i < row.collectibles; ++i)
            mode.GetCollectibles().AddElement(
                new Collectible(&mode, Texture("collectible"), centre - sf::Vector2f(16.0f, 16.0f)));
        for (int i = 0; i < row.enemies; ++i)
            mode.GetEnemies().AddElement(
                new Enemy(&mode, Texture("enemy"), Pixels("enemy"), centre - sf::Vector2f(25.0f, 20.0f)));
        if (row.escapeFirst)
            mode.HandleEvent(KeyPress(sf::Keyboard::Escape));
        const unsigned collectBefore = Starts("collect");
        const unsigned gameOverBefore = Starts("gameover");
        scene.Frame(0.001f);
        EXPECT_EQ(row.collectSounds, Starts("collect") - collectBefore) << row.what;
        EXPECT_EQ(row.gameOverSounds, Starts("gameover") - gameOverBefore) << row.what;
    }
}

TEST(PlayMode, gui_cursor_is_hidden_during_the_game_and_shown_with_the_dialog)
{
    // The cursor's picture hangs below and right of the pointer, over the sky.
    const sf::IntRect underPointer(200, 200, 24, 32);
    for (bool byEnemy : {true, false})
    {
        PlayScene scene;
        PlayMode& mode = scene.Mode();
        WindowAtOrigin();
        PointerAtPixel(underPointer.left, underPointer.top);
        scene.Frame(0.001f);
        mode.Draw();
        EXPECT_EQ(0, CountNotSky(WindowPicture(), underPointer)) << "while waiting";
        scene.Start();
        mode.Draw();
        EXPECT_EQ(0, CountNotSky(WindowPicture(), underPointer)) << "while running";

        if (byEnemy)
            scene.EndByEnemy();
        else
            mode.HandleEvent(KeyPress(sf::Keyboard::Escape));
        scene.Frame(0.001f);
        mode.Draw();
        const int cursorPixels = CountNotSky(WindowPicture(), underPointer);
        if (byEnemy)
            EXPECT_GT(cursorPixels, 30) << "with the dialog";
        else
            EXPECT_EQ(0, cursorPixels) << "after Escape, without the dialog";
    }
}
