// Needs the X server and the sound server of tools/headless.sh.
#include "ModeScreens.h"

#include "gamemode/CalibrationMode.h"
#include "gui/GuiCanvasDecorated.h"
#include "manager/PreferencesFile.h"
#include "sound/SoundMicrophoneAnalyzerCalibratedReader.h"
#include "support/RecordingMode.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
typedef CalibrationMode Mode;

const int BUTTON_WIDTH = 200;

struct Voice
{
    float hz;
    float volume;
};

// Voices that the player holds while sliding "Set it": pitches on whole bins
// of the analyzer, so that they read exactly.
const Voice LOW_VOICE{106 * VOICE_HZ_PER_BIN, 0.5f};
const Voice HIGH_VOICE{236 * VOICE_HZ_PER_BIN, 0.5f};
const Voice QUIET_VOICE{440.0f, 0.125f};
const Voice LOUD_VOICE{440.0f, 0.75f};

// Outlives every mode of this file, which the game manager may keep.
std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

// The calibration, over a next mode of the type, switched in by the game
// manager as the game does it; it stays the game's current mode.
Mode* SwitchedIn(GameMode* next)
{
    GameManager* manager = GameForModes();
    auto* mode = new Mode(next);
    manager->SetNextGameMode(mode);
    manager->Process();
    return mode;
}

// Slides the button in the slot of the screen now shown.
void Slide(Mode& mode, int slot)
{
    SlideButton(mode, SlotPlace(*mode.GetCurrentCanvas(), slot, BUTTON_WIDTH), ButtonWidth(BUTTON_WIDTH));
}

// One frame of the game reads the voice, then the player slides "Set it".
void SetIt(Mode& mode, const Voice& voice)
{
    HoldVoice(voice.hz, voice.volume);
    GameManager::Instance()->Process();
    Slide(mode, 2);
}

// From screen 0 with a stored calibration to the screen of the state, by the
// buttons alone.
void ReachByButtons(Mode& mode, Mode::CalibrationState state)
{
    switch (state)
    {
    case Mode::CalibrationStatePitchLower:
        Slide(mode, 0);
        break;
    case Mode::CalibrationStateVolumeLower:
        Slide(mode, 1);
        break;
    case Mode::CalibrationStatePitchUpper:
    case Mode::CalibrationStateVolumeUpper:
        ASSERT_NO_FATAL_FAILURE(ReachByButtons(mode, static_cast<Mode::CalibrationState>(state - 1)));
        SetIt(mode, state == Mode::CalibrationStatePitchUpper ? LOW_VOICE : QUIET_VOICE);
        break;
    case Mode::CalibrationStatePitchFinished:
    case Mode::CalibrationStateVolumeFinished:
        ASSERT_NO_FATAL_FAILURE(ReachByButtons(mode, static_cast<Mode::CalibrationState>(state - 1)));
        SetIt(mode, state == Mode::CalibrationStatePitchFinished ? HIGH_VOICE : LOUD_VOICE);
        break;
    default:
        break;
    }
    ASSERT_EQ(state, mode.GetState());
}

struct Limits
{
    bool exists;
    CalibratedReaderType type;
    float lower;
    float upper;
};

const Limits NO_READER{false, CalibratedReaderTypePitch, 0.0f, 0.0f};
const Limits PITCH_DEFAULTS{true, CalibratedReaderTypePitch, 100.0f, 2000.0f};
const Limits PITCH_LOWER_SET{true, CalibratedReaderTypePitch, LOW_VOICE.hz, 2000.0f};
const Limits PITCH_SET{true, CalibratedReaderTypePitch, LOW_VOICE.hz, HIGH_VOICE.hz};
const Limits VOLUME_DEFAULTS{true, CalibratedReaderTypeVolume, 0.0f, 1.0f};
const Limits VOLUME_LOWER_SET{true, CalibratedReaderTypeVolume, QUIET_VOICE.volume, 1.0f};
const Limits VOLUME_SET{true, CalibratedReaderTypeVolume, QUIET_VOICE.volume, LOUD_VOICE.volume};

void ExpectReader(const Limits& expected, const SoundMicrophoneAnalyzerCalibratedReader* reader,
                  const std::string& row)
{
    ASSERT_EQ(expected.exists, reader != nullptr) << row;
    if (!expected.exists)
        return;
    EXPECT_EQ(expected.type, reader->GetType()) << row;
    EXPECT_EQ(expected.lower, reader->GetCalibrationLower()) << row;
    EXPECT_EQ(expected.upper, reader->GetCalibrationUpper()) << row;
}

// Only the screen of the state shows, and the gauges while a reader is calibrated;
// on the sound-card screens no screen of the map shows.
void ExpectScreenOf(const Mode& mode, Mode::CalibrationState state, const std::string& row)
{
    const bool measuring = state >= Mode::CalibrationStatePitchLower && state <= Mode::CalibrationStateVolumeFinished;
    EXPECT_EQ(measuring, mode.GetGaugePanel()->IsVisible()) << row;
    ASSERT_NE(nullptr, mode.GetCurrentCanvas()) << row;
    EXPECT_TRUE(mode.GetCurrentCanvas()->IsVisible()) << row;
    for (int id = Mode::ScreenStart; id <= Mode::ScreenVolumeFinished; ++id)
    {
        const GuiCanvas* screen = mode.GetScreen(static_cast<Mode::ScreenId>(id));
        EXPECT_EQ(id == state, screen->IsVisible()) << row << ", screen " << id;
        EXPECT_EQ(id == state, screen == mode.GetCurrentCanvas()) << row << ", screen " << id;
    }
}
}

TEST(CalibrationScreens, each_button_slid_by_the_pointer_does_its_work_in_the_calibration)
{
    enum Outcome
    {
        Stays,
        LeavesKeepingTheStoredCalibration,
        LeavesStoringTheMeasuredOne
    };
    const struct
    {
        bool stored;
        GameMode::ModeType next;
        Mode::CalibrationState screen;
        int slot;
        const char* label;
        const Voice* held;
        Mode::CalibrationState state;
        Limits reader;
        Outcome outcome;
    } rows[] = {
        {true, GameMode::MenuModeType, Mode::CalibrationStateStart, 0, "Pitch", nullptr,
         Mode::CalibrationStatePitchLower, PITCH_DEFAULTS, Stays},
        {true, GameMode::MenuModeType, Mode::CalibrationStateStart, 1, "Volume", nullptr,
         Mode::CalibrationStateVolumeLower, VOLUME_DEFAULTS, Stays},
        {true, GameMode::MenuModeType, Mode::CalibrationStateStart, 2, "Configure Soundcard", nullptr,
         Mode::CalibrationStateSoundOutputType, NO_READER, Stays},
        {true, GameMode::MenuModeType, Mode::CalibrationStateStart, 3, "Back to Menu", nullptr,
         Mode::CalibrationStateStart, NO_READER, LeavesKeepingTheStoredCalibration},
        {true, GameMode::PlayModeType, Mode::CalibrationStateStart, 3, "Back to Game", nullptr,
         Mode::CalibrationStateStart, NO_READER, LeavesKeepingTheStoredCalibration},
        // The first start: no calibration stored, no way back.
        {false, GameMode::MenuModeType, Mode::CalibrationStateStart, 1, "Pitch", nullptr,
         Mode::CalibrationStatePitchLower, PITCH_DEFAULTS, Stays},
        {false, GameMode::MenuModeType, Mode::CalibrationStateStart, 2, "Volume", nullptr,
         Mode::CalibrationStateVolumeLower, VOLUME_DEFAULTS, Stays},
        {false, GameMode::MenuModeType, Mode::CalibrationStateStart, 3, "Configure Soundcard", nullptr,
         Mode::CalibrationStateSoundOutputType, NO_READER, Stays},

        {true, GameMode::MenuModeType, Mode::CalibrationStatePitchLower, 2, "Set it", &LOW_VOICE,
         Mode::CalibrationStatePitchUpper, PITCH_LOWER_SET, Stays},
        {true, GameMode::MenuModeType, Mode::CalibrationStatePitchLower, 3, "Back", nullptr,
         Mode::CalibrationStateStart, NO_READER, Stays},
        {true, GameMode::MenuModeType, Mode::CalibrationStatePitchUpper, 2, "Set it", &HIGH_VOICE,
         Mode::CalibrationStatePitchFinished, PITCH_SET, Stays},
        // A new reader: the lower limit set before is lost.
        {true, GameMode::MenuModeType, Mode::CalibrationStatePitchUpper, 3, "Back", nullptr,
         Mode::CalibrationStatePitchLower, PITCH_DEFAULTS, Stays},
        {true, GameMode::MenuModeType, Mode::CalibrationStatePitchFinished, 1, "Finish", nullptr,
         Mode::CalibrationStatePitchFinished, PITCH_SET, LeavesStoringTheMeasuredOne},
        {true, GameMode::PlayModeType, Mode::CalibrationStatePitchFinished, 2, "Start calibration again", nullptr,
         Mode::CalibrationStateStart, NO_READER, Stays},
        {true, GameMode::MenuModeType, Mode::CalibrationStatePitchFinished, 3, "Back", nullptr,
         Mode::CalibrationStatePitchUpper, PITCH_SET, Stays},

        {true, GameMode::MenuModeType, Mode::CalibrationStateVolumeLower, 2, "Set it", &QUIET_VOICE,
         Mode::CalibrationStateVolumeUpper, VOLUME_LOWER_SET, Stays},
        {true, GameMode::MenuModeType, Mode::CalibrationStateVolumeLower, 3, "Back", nullptr,
         Mode::CalibrationStateStart, NO_READER, Stays},
        {true, GameMode::MenuModeType, Mode::CalibrationStateVolumeUpper, 2, "Set it", &LOUD_VOICE,
         Mode::CalibrationStateVolumeFinished, VOLUME_SET, Stays},
        {true, GameMode::MenuModeType, Mode::CalibrationStateVolumeUpper, 3, "Back", nullptr,
         Mode::CalibrationStateVolumeLower, VOLUME_DEFAULTS, Stays},
        {true, GameMode::PlayModeType, Mode::CalibrationStateVolumeFinished, 1, "Finish", nullptr,
         Mode::CalibrationStateVolumeFinished, VOLUME_SET, LeavesStoringTheMeasuredOne},
        {true, GameMode::MenuModeType, Mode::CalibrationStateVolumeFinished, 2, "Start calibration again", nullptr,
         Mode::CalibrationStateStart, NO_READER, Stays},
        {true, GameMode::MenuModeType, Mode::CalibrationStateVolumeFinished, 3, "Back", nullptr,
         Mode::CalibrationStateVolumeUpper, VOLUME_SET, Stays},
    };
    GameManager* manager = GameForModes();
    GamePreferences& preferences = manager->GetPreferences();
    for (const auto& row : rows)
    {
        const std::string name = std::string(row.label) + " on screen " + std::to_string(row.screen) +
                                 (row.stored ? "" : " at the first start");
        ScratchFolder folder(true);
        StoreReader(row.stored);
        const auto storedBefore = preferences.GetSoundMicrophoneAnalyzerCalibratedReader();
        auto* next = new RecordingMode("next", Log(), row.next);
        Mode* mode = SwitchedIn(next);
        ASSERT_NO_FATAL_FAILURE(ReachByButtons(*mode, row.screen)) << name;
        folder.Remove("config.xml");
        const sf::Vector2<float> place = SlotPlace(*mode->GetCurrentCanvas(), row.slot, BUTTON_WIDTH);
        EXPECT_EQ(0, LabelMismatch(GuiShot(*mode->GetGuiManager()), place, BUTTON_WIDTH, row.label)) << name;
        if (row.held != nullptr)
        {
            HoldVoice(row.held->hz, row.held->volume);
            manager->Process();
        }

        SlideButton(*mode, place, ButtonWidth(BUTTON_WIDTH));
        EXPECT_EQ(row.state, mode->GetState()) << name;
        ExpectScreenOf(*mode, row.state, name);
        ExpectReader(row.reader, mode->GetCandidateReader().get(), name);
        const auto storedAfter = preferences.GetSoundMicrophoneAnalyzerCalibratedReader();
        const bool stores = row.outcome == LeavesStoringTheMeasuredOne;
        EXPECT_EQ(stores ? mode->GetCandidateReader().get() : storedBefore.get(), storedAfter.get()) << name;
        ASSERT_EQ(stores, folder.Has("config.xml")) << name;
        if (stores)
        {
            // What the next start reads back: whole hertz, or the volume in fine steps.
            const PreferencesFile::Entries written = PreferencesFile::Read("config.xml");
            ASSERT_TRUE(written.calibratedReaderType && written.calibratedReaderLower && written.calibratedReaderUpper)
                << name;
            const auto readBack = preferences.CreateSoundMicrophoneAnalyzerCalibratedReader(
                static_cast<CalibratedReaderType>(*written.calibratedReaderType), *written.calibratedReaderLower,
                *written.calibratedReaderUpper);
            const float step = row.reader.type == CalibratedReaderTypePitch ? 1.0f : 0.001f;
            EXPECT_EQ(row.reader.type, readBack->GetType()) << name;
            EXPECT_NEAR(row.reader.lower, readBack->GetCalibrationLower(), step) << name;
            EXPECT_NEAR(row.reader.upper, readBack->GetCalibrationUpper(), step) << name;
        }
        const bool leaves = row.outcome != Stays;
        EXPECT_EQ(leaves ? next : nullptr, manager->GetNextGameModeForTesting()) << name;
        if (leaves)
            manager->Process();
    }
}

TEST(CalibrationScreens, a_frame_puts_both_markers_at_the_heights_of_the_voice)
{
    const struct
    {
        Mode::CalibrationState screen;
        Voice voice;
        float rawY;
        float calibratedY;
    } cases[] = {
        // About 999 Hz between the default limits of 100 and 2000 Hz, on the 0 to 16000 Hz gauge.
        {Mode::CalibrationStatePitchLower, {341 * VOICE_HZ_PER_BIN, 0.5f}, 375.02f, 210.73f},
        // 3000 Hz above the upper limit: the calibrated marker at the top.
        {Mode::CalibrationStatePitchLower, {1024 * VOICE_HZ_PER_BIN, 0.5f}, 325.0f, 0.0f},
        // About 59 Hz below the lower limit: at the bottom.
        {Mode::CalibrationStatePitchLower, {20 * VOICE_HZ_PER_BIN, 0.5f}, 398.54f, 400.0f},
        // Half loud over a lower limit of 0.125: 0.375 of the 0.875 span.
        {Mode::CalibrationStateVolumeUpper, {440.0f, 0.5f}, 200.0f, 228.57f},
    };
    for (const auto& c : cases)
    {
        ScratchFolder folder(true);
        StoreReader(true);
        Mode* mode = SwitchedIn(new RecordingMode("next", Log(), GameMode::MenuModeType));
        ASSERT_NO_FATAL_FAILURE(ReachByButtons(*mode, c.screen));
        HoldVoice(c.voice.hz, c.voice.volume);
        GameManager::Instance()->Process();

        const sf::ConvexShape& raw = mode->GetRawMarker();
        const sf::ConvexShape& calibrated = mode->GetCalibratedMarker();
        EXPECT_NEAR(c.rawY, QuadStart(raw).y, 0.01f) << c.voice.hz;
        EXPECT_NEAR(c.calibratedY, QuadStart(calibrated).y, 0.01f) << c.voice.hz;
        // Level lines across their own gauges.
        EXPECT_EQ(sf::Vector2<float>(0.0f, QuadStart(raw).y), QuadStart(raw));
        EXPECT_EQ(sf::Vector2<float>(100.0f, QuadStart(raw).y), QuadEnd(raw));
        EXPECT_EQ(sf::Vector2<float>(200.0f, QuadStart(calibrated).y), QuadStart(calibrated));
        EXPECT_EQ(sf::Vector2<float>(300.0f, QuadStart(calibrated).y), QuadEnd(calibrated));
    }
}
