#include "support/GameDriver.h"
#include "support/GameScreens.h"

#include <gtest/gtest.h>

#include <string>

// The play screen of the built game (the fixture that shows it first), played
// with the voice through the virtual microphone and read from the screen.
namespace
{
using GameScreens::DragonY;

// A pitch calibration from 300 to 900 Hz, no sound output (the headless sound
// server has no speakers worth hearing), the first steering variant.
const char* const CONFIG = "<config><playerType>0</playerType><soundOutputType>2</soundOutputType>"
                           "<soundOutputDriverNo>0</soundOutputDriverNo><soundRecordDriverNo>0</soundRecordDriverNo>"
                           "<calibratedReaderType>0</calibratedReaderType><calibratedReaderLower>300"
                           "</calibratedReaderLower><calibratedReaderUpper>900</calibratedReaderUpper></config>";
const float LOW_HZ = 220.0f;
const float HIGH_HZ = 1100.0f;
const double SAFETY_SECONDS = 20.0;
const double NOTE_LIFE_SECONDS = 1.0;

const sf::IntRect WHOLE(0, 0, 1024, 600);
const sf::IntRect SCORE_AREA(0, 0, 160, 30);
const sf::IntRect PROMPT_AREA(362, 280, 300, 40);
const int STILL_LOOKS = 4;

int CountBlack(sf::Image const& shot, sf::IntRect const& area)
{
    return CountColour(shot, area, sf::Color::Black, 40);
}
}

TEST(PlayScreenEndToEnd, voice_starts_and_steers_escape_ends_and_low_then_high_starts_again)
{
    GameDriver game(VELMORA_PLAY_FIRST_BINARY, CONFIG);
    ASSERT_TRUE(game.HasDisplay()) << "needs the headless X server";
    ASSERT_TRUE(game.HasMicrophone()) << "needs the virtual microphone of tools/headless.sh";
    ASSERT_TRUE(game.WaitForWindow()) << game.Output();

    // Waiting: the prompt over a still scene, the dragon at the window's middle height.
    sf::Image waiting;
    ASSERT_TRUE(game.WaitForScreen(
                    [](sf::Image const& shot) { return DragonY(shot) >= 0.0f && CountBlack(shot, PROMPT_AREA) > 200; },
                    SAFETY_SECONDS, &waiting))
        << game.Output();
    EXPECT_NEAR(300.0f, DragonY(waiting), 15.0f);

    // A high tone starts the run and the dragon climbs.
    game.SetTone(HIGH_HZ);
    sf::Image shot;
    EXPECT_TRUE(game.WaitForScreen([](sf::Image const& s) { return CountBlack(s, PROMPT_AREA) < 20; },
                                   SAFETY_SECONDS, &shot))
        << "the prompt stays";
    EXPECT_TRUE(game.WaitForScreen(
        [](sf::Image const& s) {
            const float y = DragonY(s);
            return y >= 0.0f && y < 150.0f;
        },
        SAFETY_SECONDS, &shot))
        << "the dragon did not climb; last seen at " << DragonY(shot);

    // A low tone brings it down.
    game.SetTone(LOW_HZ);
    EXPECT_TRUE(game.WaitForScreen([](sf::Image const& s) { return DragonY(s) > 450.0f; }, SAFETY_SECONDS, &shot))
        << "the dragon did not descend; last seen at " << DragonY(shot);

    // Escape ends the game: once the last notes have faded, the scene stands
    // still. The low tone has died away first: the game over would take it for
    // the first half of the restart gesture.
    game.Silence();
    // The sound server may lag behind under load: leave the low tone time to pass.
    GameDriver::Pause(2.0);
    game.PressKey("Escape");
    // A note lives one second; on a busy machine the game may draw no frame for
    // a while, so the scene counts as still only over several looks in a row.
    GameDriver::Pause(NOTE_LIFE_SECONDS);
    sf::Image previous = game.Screenshot();
    sf::Image frozen;
    int stillLooks = 0;
    ASSERT_TRUE(game.WaitForScreen(
        [&previous, &stillLooks](sf::Image const& s) {
            stillLooks = SameArea(s, previous, WHOLE) ? stillLooks + 1 : 0;
            previous = s;
            GameDriver::Pause(0.3);
            return stillLooks >= STILL_LOOKS;
        },
        SAFETY_SECONDS, &frozen))
        << "the scene still moves after Escape";

    // A high tone alone, then a low one, restart nothing.
    game.SetTone(HIGH_HZ);
    GameDriver::Pause(0.8);
    EXPECT_TRUE(SameArea(game.Screenshot(), frozen, WHOLE))
        << "a high tone alone changed the screen; dragon at " << DragonY(game.Screenshot());
    game.SetTone(LOW_HZ);
    GameDriver::Pause(0.8);
    EXPECT_TRUE(SameArea(game.Screenshot(), frozen, WHOLE))
        << "a low tone changed the screen; dragon at " << DragonY(game.Screenshot());

    // Then a high one starts a new game: a fresh world with "Score: 0".
    game.SetTone(HIGH_HZ);
    sf::Image fresh;
    EXPECT_TRUE(game.WaitForScreen([&frozen](sf::Image const& s) { return !SameArea(s, frozen, WHOLE); },
                                   SAFETY_SECONDS, &fresh))
        << "no new game";
    game.Silence();
    EXPECT_TRUE(SameArea(fresh, waiting, SCORE_AREA)) << "the score area differs from a fresh start";

    game.RequestClose();
    EXPECT_EQ(0, game.WaitForExit()) << game.Output();
    EXPECT_EQ(std::string::npos, game.Stdout().find("[Exception]")) << game.Stdout();
}
