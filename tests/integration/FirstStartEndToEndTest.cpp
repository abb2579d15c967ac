// The built game, started as a player starts it: under the X server and the
// sound server of tools/headless.sh, with the virtual microphone, in a folder
// without config.xml. Needs xdotool.
#include "manager/GameManager.h"
#include "manager/PreferencesFile.h"
#include "support/GameDriver.h"

#include <gtest/gtest.h>

#include <SFML/Graphics/RenderWindow.hpp>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>

namespace
{
const double TIMEOUT_SECONDS = 30.0;
// The analyzer's spectrum: 8192 bins up to half of 48000 Hz.
const float BIN_HZ = 24000.0f / 8192.0f;

// Layout of the screens on the 1024x600 window, as the modes build them with
// the game's content: the calibration's screen panel at (50, 100) with its
// inner canvas 48 right and 44 down, 406 wide; the gauge panel's inner canvas
// at (614, 144); the menu's inner canvas at (304, 144), 406 wide. A button
// made with width w is w + 88 wide, its knob at the start cap's centre
// (22, 22) and its track ending 22 pixels before its right edge.
const int SCREEN_INNER_X = 98;
const int INNER_Y = 144;
const int INNER_WIDTH = 406;
const int MENU_INNER_X = 304;
const int CAP_HALF = 22;
const double SLIDE_EFFECT_SECONDS = 8.0;

int SlotY(int slot)
{
    return INNER_Y + 170 + 55 * slot;
}

int CentredButtonX(int canvasX, int widthArgument)
{
    return canvasX + (INNER_WIDTH - (widthArgument + 2 * 2 * CAP_HALF)) / 2;
}

bool IsCalibrationScreen(const sf::Image& shot)
{
    // Black left of the screen panel and below the title.
    return CountColour(shot, sf::IntRect(0, 120, 40, 460), sf::Color::Black, 8) == 40 * 460;
}

bool ShowsGauges(const sf::Image& shot)
{
    return CountColour(shot, sf::IntRect(620, 160, 80, 300), sf::Color::Blue, 8) > 100 * 40;
}

// The mean height of the dragon's orange near the left edge; -1 when too little is seen.
float DragonY(const sf::Image& shot)
{
    const sf::Color orange(214, 81, 42);
    int count = 0;
    long sum = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 200; ++x)
            if (CountColour(shot, sf::IntRect(x, y, 1, 1), orange, 20) == 1)
            {
                ++count;
                sum += y;
            }
    return count < 30 ? -1.0f : static_cast<float>(sum) / static_cast<float>(count);
}

bool IsMenuScreen(const sf::Image& shot)
{
    // The menu picture left of the panel, and the panel's cream inside it, which the play screen lacks.
    return CountColour(shot, sf::IntRect(0, 120, 40, 460), sf::Color::Black, 8) == 0 &&
           CountColour(shot, sf::IntRect(320, 420, 40, 20), sf::Color(250, 240, 210), 30) > 700;
}

bool IsPlayScreen(const sf::Image& shot)
{
    return !IsMenuScreen(shot) && !IsCalibrationScreen(shot) && DragonY(shot) >= 0.0f;
}

// The window that other tests opened in this test process bears the game's
// title, so the driver could take it for the game's, and it lies over the
// game's window, taking the pointer's events: it is renamed and hidden meanwhile.
class OwnWindowAside
{
public:
    OwnWindowAside() : m_window(GameManager::Instance()->GetRenderWindow())
    {
        if (m_window == nullptr || !m_window->isOpen())
            return;
        m_window->setTitle("velmora test process");
        m_window->setVisible(false);
    }
    ~OwnWindowAside()
    {
        if (m_window == nullptr || !m_window->isOpen())
            return;
        m_window->setTitle(GameDriver::WINDOW_TITLE);
        m_window->setVisible(true);
    }
    OwnWindowAside(const OwnWindowAside&) = delete;
    OwnWindowAside& operator=(const OwnWindowAside&) = delete;

private:
    sf::RenderWindow* m_window;
};

// A player's hand on the mouse: slides buttons by moving the pointer alone.
class Hand
{
public:
    explicit Hand(GameDriver& game) : m_game(game) {}

    // Slides the button whose top-left corner is at (x, y), made with the width argument.
    void Slide(int x, int y, int widthArgument)
    {
        const int knobY = y + CAP_HALF;
        const int start = x + CAP_HALF;
        const int end = x + widthArgument + 2 * CAP_HALF + CAP_HALF;
        // Twice onto the knob, so that a move the game has not yet taken
        // still leaves the pointer resting on it; then steps shorter than
        // half the knob, so the knob stays under the pointer.
        m_game.MovePointer(start, knobY);
        GameDriver::Pause(0.3);
        m_game.MovePointer(start + 1, knobY);
        GameDriver::Pause(0.3);
        for (int px = start + 1; px < end;)
        {
            px = std::min(px + 10, end);
            m_game.MovePointer(px, knobY);
            GameDriver::Pause(0.03);
        }
        GameDriver::Pause(0.2);
        m_game.MovePointer(1, 1);
        GameDriver::Pause(0.2);
    }

    void SlideScreenSlot(int slot, int widthArgument = 200)
    {
        Slide(CentredButtonX(SCREEN_INNER_X, widthArgument), SlotY(slot), widthArgument);
    }

    // Drags the menu's steering-mode knob from the first option down by options.
    void ChooseSteering(int options)
    {
        const int x = MENU_INNER_X + (INNER_WIDTH - (200 + 2 * CAP_HALF)) / 2 + CAP_HALF;
        int y = INNER_Y + 120 + CAP_HALF;
        m_game.MovePointer(x, y);
        GameDriver::Pause(0.2);
        m_game.MovePointer(x, y + 1);
        GameDriver::Pause(0.2);
        for (int moved = 1; moved < options * 45; moved += 9)
        {
            y += 9;
            m_game.MovePointer(x, y);
            GameDriver::Pause(0.03);
        }
        GameDriver::Pause(0.2);
        // Off the knob sideways: it snaps to the option it is nearest.
        m_game.MovePointer(x + 60, y);
        GameDriver::Pause(0.2);
    }

    void StartGame() { Slide(CentredButtonX(MENU_INNER_X, 200), INNER_Y, 200); }

    // Slides again, up to three times, while the screen does not show the slide's
    // effect: a game slowed by load can see the pointer only after it has
    // already left the knob, as a player's too quick hand would.
    bool SlideUntil(const std::function<void()>& slide, const std::function<bool(const sf::Image&)>& shows)
    {
        for (int attempt = 0; attempt < 3; ++attempt)
        {
            slide();
            if (m_game.WaitForScreen(shows, SLIDE_EFFECT_SECONDS))
                return true;
        }
        return false;
    }

private:
    GameDriver& m_game;
};

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct CalibrationRun
{
    const char* what;
    int beginSlot;
    float lowHz;
    float lowAmplitude;
    float highHz;
    float highAmplitude;
    int readerType;
    float expectedLower;
    float expectedUpper;
    float tolerance;
    int steering;
    // Whether the game is played after a restart, with a loud and a quiet tone.
    bool playAfterRestart;
};

void PrintTo(const CalibrationRun& run, std::ostream* out)
{
    *out << run.what;
}
}

class FirstStartEndToEnd : public testing::TestWithParam<CalibrationRun>
{
};

TEST_P(FirstStartEndToEnd, calibrates_first_then_the_menu_starts_the_chosen_steering_mode)
{
    const CalibrationRun& run = GetParam();
    OwnWindowAside aside;
    std::string config;
    {
        GameDriver game(VELMORA_GAME_BINARY);
        ASSERT_TRUE(game.HasDisplay() && game.HasMicrophone()) << "needs tools/headless.sh";
        ASSERT_TRUE(game.WaitForWindow(TIMEOUT_SECONDS)) << game.Output();
        ASSERT_TRUE(game.WaitForScreen(IsCalibrationScreen, TIMEOUT_SECONDS)) << "the calibration comes first";
        Hand hand(game);
        // Pointer moves made right after the first picture are missed: the game settles first.
        GameDriver::Pause(2.0);
        ASSERT_TRUE(hand.SlideUntil([&] { hand.SlideScreenSlot(run.beginSlot); }, ShowsGauges))
            << run.what << " not begun";
        game.SetTone(run.lowHz, run.lowAmplitude);
        GameDriver::Pause(1.0);
        hand.SlideScreenSlot(2);
        game.SetTone(run.highHz, run.highAmplitude);
        GameDriver::Pause(1.0);
        hand.SlideScreenSlot(2);
        game.Silence();
        // "Finish".
        ASSERT_TRUE(hand.SlideUntil([&] { hand.SlideScreenSlot(1); }, IsMenuScreen)) << "the menu follows";

        const PreferencesFile::Entries stored = PreferencesFile::Read(game.Folder().File("config.xml"));
        ASSERT_TRUE(stored.calibratedReaderType.has_value()) << ReadFile(game.Folder().File("config.xml"));
        EXPECT_EQ(run.readerType, *stored.calibratedReaderType);
        EXPECT_NEAR(run.expectedLower, static_cast<float>(*stored.calibratedReaderLower), run.tolerance);
        EXPECT_NEAR(run.expectedUpper, static_cast<float>(*stored.calibratedReaderUpper), run.tolerance);

        hand.ChooseSteering(run.steering);
        ASSERT_TRUE(hand.SlideUntil([&] { hand.StartGame(); }, IsPlayScreen)) << "no play screen";
        EXPECT_EQ(run.steering, PreferencesFile::Read(game.Folder().File("config.xml")).playerType);
        config = ReadFile(game.Folder().File("config.xml"));
        game.RequestClose();
        EXPECT_EQ(0, game.WaitForExit(TIMEOUT_SECONDS)) << game.Output();
    }

    GameDriver again(VELMORA_GAME_BINARY, config);
    ASSERT_TRUE(again.WaitForWindow(TIMEOUT_SECONDS)) << again.Output();
    ASSERT_TRUE(again.WaitForScreen(IsMenuScreen, TIMEOUT_SECONDS)) << "a stored calibration opens the menu";
    if (run.playAfterRestart)
    {
        Hand hand(again);
        GameDriver::Pause(2.0);
        ASSERT_TRUE(hand.SlideUntil([&] { hand.StartGame(); }, IsPlayScreen)) << "no play screen";
        sf::Image shot;
        again.SetTone(run.highHz, run.highAmplitude);
        EXPECT_TRUE(again.WaitForScreen(
            [](const sf::Image& s) {
                const float y = DragonY(s);
                return y >= 0.0f && y < 150.0f;
            },
            TIMEOUT_SECONDS, &shot))
            << "a loud tone did not lift the dragon; last seen at " << DragonY(shot);
        again.SetTone(run.highHz, 0.03f);
        EXPECT_TRUE(again.WaitForScreen([](const sf::Image& s) { return DragonY(s) > 450.0f; }, TIMEOUT_SECONDS,
                                        &shot))
            << "a quiet tone did not bring the dragon down; last seen at " << DragonY(shot);
        again.Silence();
    }
    again.RequestClose();
    EXPECT_EQ(0, again.WaitForExit(TIMEOUT_SECONDS)) << again.Output();
}

INSTANTIATE_TEST_SUITE_P(
    Readers, FirstStartEndToEnd,
    testing::Values(
        // Limits in whole Hz, within two bins of the tones.
        CalibrationRun{"pitch", 1, 300.0f, 0.5f, 900.0f, 0.5f, 0, 300.0f, 900.0f, 2.0f * BIN_HZ, 1, false},
        // Volume limits as 16-bit sample values: silence, then a tone at half of full scale.
        CalibrationRun{"volume", 2, 440.0f, 0.0f, 440.0f, 0.5f, 1, 0.0f, 0.5f * 32767.0f, 0.05f * 32767.0f, 0, true}),
    [](const testing::TestParamInfo<CalibrationRun>& test) { return std::string(test.param.what); });
