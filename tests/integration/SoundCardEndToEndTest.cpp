// The sound-card screens of the built game, worked with the pointer alone and
// the S key, under the X server and the sound server of tools/headless.sh.
#include "manager/PreferencesFile.h"
#include "support/GameDriver.h"
#include "support/GameScreens.h"
#include "support/OwnWindowAside.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace
{
using namespace GameScreens;

const double TIMEOUT_SECONDS = 30.0;
// Two bins of the analyzer's spectrum: 8192 bins up to half of 48000 Hz.
const float PITCH_TOLERANCE = 2.0f * 24000.0f / 8192.0f;

// Without a stored calibration "Configure Soundcard" lies in slot 3, "Pitch" in slot 1.
const int CONFIGURE_SLOT = 3;
const int PITCH_SLOT = 1;
// On a driver screen the last driver lies right above "back".
const int LAST_DRIVER_SLOT = 2;
const int BACK_SLOT = 3;
const int NO_SOUND_SLOT = 2;

std::string Config(int outputType, int playbackDriver)
{
    return "<config><playerType>0</playerType><soundOutputType>" + std::to_string(outputType) +
           "</soundOutputType><soundOutputDriverNo>" + std::to_string(playbackDriver) +
           "</soundOutputDriverNo><soundRecordDriverNo>0</soundRecordDriverNo></config>";
}

enum WayBack
{
    RecordToPlaybackScreen,
    PlaybackToOutputTypeScreen
};

struct ChoiceAgain
{
    const char* what;
    int outputSlot;
    int outputWidth;
    int outputType;
    WayBack wayBack;
};

void PrintTo(const ChoiceAgain& c, std::ostream* out)
{
    *out << c.what;
}
}

class SoundCardChoiceAgainEndToEnd : public testing::TestWithParam<ChoiceAgain>
{
};

TEST_P(SoundCardChoiceAgainEndToEnd, applies_after_going_back_and_the_microphone_still_steers_a_calibration)
{
    const ChoiceAgain& c = GetParam();
    OwnWindowAside aside;
    GameDriver game(VELMORA_GAME_BINARY);
    ASSERT_TRUE(game.HasDisplay() && game.HasMicrophone()) << "needs tools/headless.sh";
    ASSERT_TRUE(game.WaitForWindow(TIMEOUT_SECONDS)) << game.Output();
    ASSERT_TRUE(game.WaitForScreen(InfoLineShown(START_INFO), TIMEOUT_SECONDS)) << "the calibration comes first";
    // Pointer moves made right after the first picture are missed: the game settles first.
    GameDriver::Pause(2.0);

    ASSERT_TRUE(SlideCalibrationSlotUntil(game, CONFIGURE_SLOT, 200, OUTPUT_TYPE_INFO));
    ASSERT_TRUE(SlideCalibrationSlotUntil(game, c.outputSlot, c.outputWidth, PLAYBACK_INFO));
    if (c.wayBack == PlaybackToOutputTypeScreen)
    {
        ASSERT_TRUE(SlideCalibrationSlotUntil(game, BACK_SLOT, 200, OUTPUT_TYPE_INFO));
        ASSERT_TRUE(SlideCalibrationSlotUntil(game, c.outputSlot, c.outputWidth, PLAYBACK_INFO)) << game.Output();
    }
    ASSERT_TRUE(SlideCalibrationSlotUntil(game, LAST_DRIVER_SLOT, DRIVER_BUTTON_WIDTH, RECORD_INFO)) << game.Output();
    if (c.wayBack == RecordToPlaybackScreen)
    {
        ASSERT_TRUE(SlideCalibrationSlotUntil(game, BACK_SLOT, 200, PLAYBACK_INFO));
        ASSERT_TRUE(SlideCalibrationSlotUntil(game, LAST_DRIVER_SLOT, DRIVER_BUTTON_WIDTH, RECORD_INFO))
            << game.Output();
    }
    ASSERT_TRUE(SlideCalibrationSlotUntil(game, LAST_DRIVER_SLOT, DRIVER_BUTTON_WIDTH, START_INFO)) << game.Output();

    // A pitch calibration by voice: the capture runs on the chosen record driver.
    ASSERT_TRUE(SlideUntil(game, [&] { SlideCalibrationSlot(game, PITCH_SLOT); }, ShowsGauges)) << game.Output();
    // Pitches on the raw gauge's 0 to 16000 Hz.
    const VoiceTone low{300.0f, 0.5f, 300.0f / 16000.0f, 3.0f};
    const VoiceTone high{900.0f, 0.5f, 900.0f / 16000.0f, 3.0f};
    ASSERT_EQ("", CalibrateByVoice(game, low, high)) << game.Output();

    const PreferencesFile::Entries stored = PreferencesFile::Read(game.Folder().File("config.xml"));
    EXPECT_EQ(c.outputType, stored.soundOutputType) << game.Folder().Read("config.xml");
    EXPECT_EQ(0, stored.soundOutputDriverNo) << "the one playback driver of the output type";
    ASSERT_TRUE(stored.calibratedReaderType.has_value()) << game.Folder().Read("config.xml");
    EXPECT_NEAR(300.0f, static_cast<float>(*stored.calibratedReaderLower), PITCH_TOLERANCE);
    EXPECT_NEAR(900.0f, static_cast<float>(*stored.calibratedReaderUpper), PITCH_TOLERANCE);
    game.RequestClose();
    EXPECT_EQ(0, game.WaitForExit(TIMEOUT_SECONDS)) << game.Output();
}

INSTANTIATE_TEST_SUITE_P(
    WaysBack, SoundCardChoiceAgainEndToEnd,
    testing::Values(
        ChoiceAgain{"no_sound_back_from_the_record_driver", NO_SOUND_SLOT, 200, 2, RecordToPlaybackScreen},
        // The sound server's one playback device, in the wide bar of slot 1.
        ChoiceAgain{"pulseaudio_back_to_the_output_type", 1, WIDE_OUTPUT_BUTTON_WIDTH, 14,
                    PlaybackToOutputTypeScreen}),
    [](const testing::TestParamInfo<ChoiceAgain>& test) { return std::string(test.param.what); });

namespace
{
struct ShortcutCase
{
    const char* what;
    // Choices made before the S key: none, the output type, or it and the playback driver.
    int choicesMade;
    int savedOutputType;
    int savedPlaybackDriver;
};

void PrintTo(const ShortcutCase& c, std::ostream* out)
{
    *out << c.what;
}

// ALSA's second playback device ("pulse" under the test sound server), which "No sound" lacks.
const int START_OUTPUT_TYPE = 12;
const int START_PLAYBACK_DRIVER = 1;
}

class SoundCardShortcutEndToEnd : public testing::TestWithParam<ShortcutCase>
{
};

TEST_P(SoundCardShortcutEndToEnd, s_key_saves_a_file_with_which_the_next_start_opens_the_menu)
{
    const ShortcutCase& c = GetParam();
    OwnWindowAside aside;
    std::string config;
    {
        GameDriver game(VELMORA_GAME_BINARY, Config(START_OUTPUT_TYPE, START_PLAYBACK_DRIVER));
        ASSERT_TRUE(game.HasDisplay()) << "needs tools/headless.sh";
        ASSERT_TRUE(game.WaitForWindow(TIMEOUT_SECONDS)) << game.Output();
        ASSERT_TRUE(game.WaitForScreen(InfoLineShown(START_INFO), TIMEOUT_SECONDS)) << game.Output();
        GameDriver::Pause(2.0);
        ASSERT_TRUE(SlideCalibrationSlotUntil(game, CONFIGURE_SLOT, 200, OUTPUT_TYPE_INFO));
        if (c.choicesMade >= 1)
        {
            ASSERT_TRUE(SlideCalibrationSlotUntil(game, NO_SOUND_SLOT, 200, PLAYBACK_INFO));
        }
        if (c.choicesMade >= 2)
        {
            ASSERT_TRUE(SlideCalibrationSlotUntil(game, LAST_DRIVER_SLOT, DRIVER_BUTTON_WIDTH, RECORD_INFO));
        }

        game.PressKey("s");
        ASSERT_TRUE(game.WaitForScreen(IsMenuScreen, TIMEOUT_SECONDS)) << game.Output();
        config = game.Folder().Read("config.xml");
        const PreferencesFile::Entries stored = PreferencesFile::Read(game.Folder().File("config.xml"));
        EXPECT_EQ(c.savedOutputType, stored.soundOutputType) << config;
        EXPECT_EQ(c.savedPlaybackDriver, stored.soundOutputDriverNo) << config;
        EXPECT_EQ(524, stored.calibratedReaderLower) << config;
        EXPECT_EQ(958, stored.calibratedReaderUpper) << config;
        game.RequestClose();
        EXPECT_EQ(0, game.WaitForExit(TIMEOUT_SECONDS)) << game.Output();
    }

    GameDriver again(VELMORA_GAME_BINARY, config);
    ASSERT_TRUE(again.WaitForWindow(TIMEOUT_SECONDS)) << again.Output();
    EXPECT_TRUE(again.WaitForScreen(IsMenuScreen, TIMEOUT_SECONDS)) << config << again.Output();
    again.RequestClose();
    EXPECT_EQ(0, again.WaitForExit(TIMEOUT_SECONDS)) << again.Output();
}

INSTANTIATE_TEST_SUITE_P(
    Screens, SoundCardShortcutEndToEnd,
    testing::Values(ShortcutCase{"on_the_output_type_screen", 0, START_OUTPUT_TYPE, START_PLAYBACK_DRIVER},
                    ShortcutCase{"on_the_playback_driver_screen", 1, 2, 0},
                    ShortcutCase{"on_the_record_driver_screen", 2, 2, 0}),
    [](const testing::TestParamInfo<ShortcutCase>& test) { return std::string(test.param.what); });
