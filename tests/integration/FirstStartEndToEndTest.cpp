// The built game, started as a player starts it: under the X server and the
// sound server of tools/headless.sh, with the virtual microphone, in a folder
// without config.xml. Needs xdotool.
#include "manager/PreferencesFile.h"
#include "support/GameDriver.h"
#include "support/GameScreens.h"
#include "support/OwnWindowAside.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>

namespace
{
using namespace GameScreens;

const double TIMEOUT_SECONDS = 30.0;
// The analyzer's spectrum: 8192 bins up to half of 48000 Hz.
const float BIN_HZ = 24000.0f / 8192.0f;

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

// Where the raw gauge shows the tone: a pitch on its 0 to 16000 Hz, a volume on its 0 to 1.
VoiceTone HeldTone(const CalibrationRun& run, float hz, float amplitude)
{
    if (run.readerType == 0)
        return VoiceTone{hz, amplitude, hz / 16000.0f, 3.0f};
    return VoiceTone{hz, amplitude, amplitude, 20.0f};
}

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
        // Pointer moves made right after the first picture are missed: the game settles first.
        GameDriver::Pause(2.0);
        ASSERT_TRUE(SlideUntil(game, [&] { SlideCalibrationSlot(game, run.beginSlot); }, ShowsGauges))
            << run.what << " not begun";
        const VoiceTone low = HeldTone(run, run.lowHz, run.lowAmplitude);
        const VoiceTone high = HeldTone(run, run.highHz, run.highAmplitude);
        ASSERT_EQ("", CalibrateByVoice(game, low, high)) << game.Output();

        const PreferencesFile::Entries stored = PreferencesFile::Read(game.Folder().File("config.xml"));
        ASSERT_TRUE(stored.calibratedReaderType.has_value()) << game.Folder().Read("config.xml");
        EXPECT_EQ(run.readerType, *stored.calibratedReaderType);
        EXPECT_NEAR(run.expectedLower, static_cast<float>(*stored.calibratedReaderLower), run.tolerance);
        EXPECT_NEAR(run.expectedUpper, static_cast<float>(*stored.calibratedReaderUpper), run.tolerance);

        ChooseSteering(game, run.steering);
        ASSERT_TRUE(SlideUntil(game, [&] { StartGame(game); }, IsPlayScreen)) << "no play screen";
        EXPECT_EQ(run.steering, PreferencesFile::Read(game.Folder().File("config.xml")).playerType);
        config = game.Folder().Read("config.xml");
        game.RequestClose();
        EXPECT_EQ(0, game.WaitForExit(TIMEOUT_SECONDS)) << game.Output();
    }

    GameDriver again(VELMORA_GAME_BINARY, config);
    ASSERT_TRUE(again.WaitForWindow(TIMEOUT_SECONDS)) << again.Output();
    ASSERT_TRUE(again.WaitForScreen(IsMenuScreen, TIMEOUT_SECONDS)) << "a stored calibration opens the menu";
    if (run.playAfterRestart)
    {
        GameDriver::Pause(2.0);
        ASSERT_TRUE(SlideUntil(again, [&] { StartGame(again); }, IsPlayScreen)) << "no play screen";
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
