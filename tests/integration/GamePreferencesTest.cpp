#include "manager/GamePreferences.h"

#include "manager/GameManager.h"
#include "manager/PreferencesFile.h"
#include "sound/SoundMicrophoneAnalyzer.h"
#include "sound/SoundSystem.h"
#include "sound/SoundMicrophoneAnalyzerCalibratedReaderPitch.h"
#include "sound/SoundMicrophoneAnalyzerCalibratedReaderVolume.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

// These tests configure the real sound system (through the test sound server)
// in a scratch working directory of their own.
namespace
{
const std::optional<int> none;

struct Expected
{
    int playerType;
    int outputType;
    std::optional<int> readerType;
    float lower;
    float upper;
};

void ExpectLoaded(GamePreferences& preferences, const Expected& expected, const char* what)
{
    EXPECT_EQ(expected.playerType, preferences.GetPlayerType()) << what;
    EXPECT_EQ(expected.outputType, preferences.GetSoundOutputType()) << what;
    EXPECT_EQ(0, preferences.GetSoundOutputDriverNo()) << what;
    EXPECT_EQ(0, preferences.GetSoundRecordDriverNo()) << what;
    ASSERT_EQ(expected.readerType.has_value(),
              preferences.HasSoundMicrophoneAnalyzerCalibratedReader())
        << what;
    if (expected.readerType)
    {
        auto reader = preferences.GetSoundMicrophoneAnalyzerCalibratedReader();
        EXPECT_EQ(*expected.readerType, reader->GetType()) << what;
        EXPECT_EQ(expected.lower, reader->GetCalibrationLower()) << what;
        EXPECT_EQ(expected.upper, reader->GetCalibrationUpper()) << what;
    }
}

std::string Config(const std::string& children)
{
    return "<config>" + children + "</config>";
}
}

TEST(GamePreferences, first_run_takes_the_defaults_and_writes_nothing)
{
    ScratchFolder folder(true);
    GamePreferences preferences;
    preferences.Load();
    ExpectLoaded(preferences, {0, 6, none, 0, 0}, "no file");
    EXPECT_TRUE(preferences.IsSaveable());
    EXPECT_EQ(0, folder.CountEntries());
}

TEST(GamePreferences, file_cases_load_as_the_values_they_hold)
{
    const struct
    {
        const char* what;
        std::string text;
        Expected expected;
    } cases[] = {
        {"only the player type", Config("<playerType>2</playerType>"), {2, 6, none, 0, 0}},
        {"output type abc", Config("<soundOutputType>abc</soundOutputType>"), {0, 6, none, 0, 0}},
        {"output type 7x", Config("<soundOutputType>7x</soundOutputType>"), {0, 7, none, 0, 0}},
        {"output type after a space", Config("<soundOutputType> 10</soundOutputType>"),
         {0, 10, none, 0, 0}},
        {"no upper limit",
         Config("<calibratedReaderType>0</calibratedReaderType>"
                "<calibratedReaderLower>100</calibratedReaderLower>"),
         {0, 6, none, 0, 0}},
        {"unparsable lower limit",
         Config("<calibratedReaderType>0</calibratedReaderType><calibratedReaderLower>x"
                "</calibratedReaderLower><calibratedReaderUpper>300</calibratedReaderUpper>"),
         {0, 6, none, 0, 0}},
        {"unknown reader type is pitch",
         Config("<calibratedReaderType>5</calibratedReaderType><calibratedReaderLower>100"
                "</calibratedReaderLower><calibratedReaderUpper>300</calibratedReaderUpper>"),
         {0, 6, CalibratedReaderTypePitch, 100, 300}},
        {"volume reader, any order, other root",
         "<prefs><calibratedReaderUpper>1</calibratedReaderUpper><playerType>1</playerType>"
         "<calibratedReaderLower>0</calibratedReaderLower><calibratedReaderType>1"
         "</calibratedReaderType></prefs>",
         {1, 6, CalibratedReaderTypeVolume, 0, 1.0f / 32767}},
        {"player type out of range is kept", Config("<playerType>-7</playerType>"),
         {-7, 6, none, 0, 0}},
        {"truncated", "<config><playerType>2</playerType><soundOutputType>12", {0, 6, none, 0, 0}},
    };
    for (const auto& c : cases)
    {
        ScratchFolder folder(true);
        folder.Write("config.xml", c.text);
        GamePreferences preferences;
        preferences.Load();
        ExpectLoaded(preferences, c.expected, c.what);
        EXPECT_EQ(c.text, folder.Read("config.xml")) << c.what << ": Load must not write";
    }
}

TEST(GamePreferences, an_unknown_reader_type_is_saved_as_pitch)
{
    ScratchFolder folder(true);
    folder.Write("config.xml",
                 Config("<calibratedReaderType>5</calibratedReaderType><calibratedReaderLower>100"
                        "</calibratedReaderLower><calibratedReaderUpper>300</calibratedReaderUpper>"));
    GamePreferences preferences;
    preferences.Load();
    preferences.SetPlayerType(GamePreferences::PlayerTargetHeightType);
    const PreferencesFile::Entries written = PreferencesFile::Read("config.xml");
    EXPECT_EQ(2, written.playerType);
    EXPECT_EQ(0, written.calibratedReaderType);
    EXPECT_EQ(100, written.calibratedReaderLower);
    EXPECT_EQ(300, written.calibratedReaderUpper);
}

TEST(GamePreferences, calibration_round_trip_truncates_the_limits)
{
    const struct
    {
        CalibratedReaderType type;
        float lower;
        float upper;
        int storedLower;
        int storedUpper;
        float readLower;
        float readUpper;
    } cases[] = {
        {CalibratedReaderTypePitch, 180.7f, 440.2f, 180, 440, 180.0f, 440.0f},
        // Volume limits are stored as 16-bit sample values, so they stay apart.
        {CalibratedReaderTypeVolume, 0.1f, 0.6f, 3276, 19660, 3276.0f / 32767, 19660.0f / 32767},
        {CalibratedReaderTypeVolume, 0.0f, 1.0f, 0, 32767, 0.0f, 1.0f},
    };
    for (const auto& c : cases)
    {
        ScratchFolder folder(true);
        {
            GamePreferences preferences;
            preferences.Load();
            const SoundMicrophoneAnalyzer& analyzer = GameManager::Instance()->GetSoundMicrophoneAnalyzer();
            std::shared_ptr<SoundMicrophoneAnalyzerCalibratedReader> reader;
            if (c.type == CalibratedReaderTypeVolume)
                reader = std::make_shared<SoundMicrophoneAnalyzerCalibratedReaderVolume>(analyzer);
            else
                reader = std::make_shared<SoundMicrophoneAnalyzerCalibratedReaderPitch>(analyzer);
            reader->SetCalibrationLower(c.lower);
            reader->SetCalibrationUpper(c.upper);
            preferences.SetSoundMicrophoneAnalyzerCalibratedReader(reader);
        }
        const PreferencesFile::Entries written = PreferencesFile::Read("config.xml");
        EXPECT_EQ(0, written.playerType);
        EXPECT_EQ(6, written.soundOutputType);
        EXPECT_EQ(static_cast<int>(c.type), written.calibratedReaderType);
        EXPECT_EQ(c.storedLower, written.calibratedReaderLower);
        EXPECT_EQ(c.storedUpper, written.calibratedReaderUpper);

        GamePreferences again;
        again.Load();
        ExpectLoaded(again, {0, 6, c.type, c.readLower, c.readUpper}, "read back");
    }
}

TEST(GamePreferences, a_stored_volume_calibration_of_0_and_0_reads_as_equal_limits)
{
    ScratchFolder folder(true);
    folder.Write("config.xml",
                 Config("<calibratedReaderType>1</calibratedReaderType><calibratedReaderLower>0"
                        "</calibratedReaderLower><calibratedReaderUpper>0</calibratedReaderUpper>"));
    GamePreferences preferences;
    preferences.Load();
    auto reader = preferences.GetSoundMicrophoneAnalyzerCalibratedReader();
    ASSERT_TRUE(reader);
    EXPECT_EQ(0.0f, reader->GetCalibrationLower());
    EXPECT_EQ(0.0f, reader->GetCalibrationUpper());
    EXPECT_EQ(0.5f, reader->GetCalibratedValue());
}

TEST(GamePreferences, saving_follows_player_type_and_calibration)
{
    ScratchFolder folder(true);
    GamePreferences preferences;
    preferences.Load();

    preferences.SetSoundMicrophoneAnalyzerCalibratedReader(nullptr);
    EXPECT_EQ(0, folder.CountEntries()) << "an empty reader saves nothing";

    preferences.SetPlayerType(GamePreferences::PlayerTargetDirectionType);
    PreferencesFile::Entries written = PreferencesFile::Read("config.xml");
    EXPECT_EQ(1, written.playerType);
    EXPECT_EQ(0, written.soundRecordDriverNo);
    EXPECT_FALSE(written.calibratedReaderType.has_value()) << "four elements without a reader";

    preferences.SetSoundMicrophoneAnalyzerCalibratedReader(
        preferences.CreateSoundMicrophoneAnalyzerCalibratedReader(CalibratedReaderTypePitch, 120, 360));
    written = PreferencesFile::Read("config.xml");
    EXPECT_EQ(120, written.calibratedReaderLower);
    EXPECT_EQ(360, written.calibratedReaderUpper);

    // Saves write the limits taken when the reader was handed over, not its current ones.
    preferences.GetSoundMicrophoneAnalyzerCalibratedReader()->SetCalibrationLower(200.0f);
    preferences.SetPlayerType(GamePreferences::PlayerTargetHeightType);
    written = PreferencesFile::Read("config.xml");
    EXPECT_EQ(2, written.playerType);
    EXPECT_EQ(120, written.calibratedReaderLower);

    // Clearing the reader is not saved; the next save leaves the calibration out.
    preferences.SetSoundMicrophoneAnalyzerCalibratedReader(nullptr);
    EXPECT_EQ(120, PreferencesFile::Read("config.xml").calibratedReaderLower);
    preferences.SetPlayerType(GamePreferences::PlayerDirectionHeightType);
    written = PreferencesFile::Read("config.xml");
    EXPECT_EQ(0, written.playerType);
    EXPECT_FALSE(written.calibratedReaderType.has_value());
    EXPECT_EQ(1, folder.CountEntries());
}

TEST(GamePreferences, sound_card_choices_apply_without_saving)
{
    ScratchFolder folder(true);
    GamePreferences preferences;
    preferences.Load();
    preferences.SetSoundOutputType(FMOD_OUTPUTTYPE_NOSOUND);
    preferences.SetSoundOutputDriverNo(0);
    preferences.SetSoundRecordDriverNo(0);
    EXPECT_EQ(FMOD_OUTPUTTYPE_NOSOUND, preferences.GetSoundOutputType());
    EXPECT_TRUE(GameManager::Instance()->GetSoundMicrophoneAnalyzer().IsRunning());
    EXPECT_EQ(0, folder.CountEntries());

    preferences.SetPlayerType(GamePreferences::PlayerDirectionHeightType);
    EXPECT_EQ(FMOD_OUTPUTTYPE_NOSOUND, PreferencesFile::Read("config.xml").soundOutputType);
}

TEST(GamePreferences, a_refused_sound_card_choice_ends_the_game_naming_what_failed)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const struct
    {
        int playbackDriver;
        int recordDriver;
        const char* message;
    } cases[] = {
        // "No sound" lists a single playback driver.
        {5, 0, "FMOD error! \\(37\\) [^\n]*\nWhile setting the playback driver 5\\.\n"},
        {0, 99, "FMOD error! \\(37\\) [^\n]*\nWhile setting the record driver 99\\.\n"},
    };
    for (const auto& c : cases)
    {
        ScratchFolder folder(true);
        EXPECT_EXIT(
            {
                dup2(STDERR_FILENO, STDOUT_FILENO);
                GamePreferences preferences;
                preferences.Load();
                preferences.SetSoundOutputType(FMOD_OUTPUTTYPE_NOSOUND);
                preferences.SetSoundOutputDriverNo(c.playbackDriver);
                preferences.SetSoundRecordDriverNo(c.recordDriver);
            },
            testing::ExitedWithCode(255), c.message)
            << c.message;
    }
}

// The sound-card screens may be walked back: a playback driver is then chosen
// on a system that its earlier choice initialised, with or without the
// capture started on it. The system is made anew for the output type chosen,
// and the record driver set after it starts the capture.
TEST(GamePreferences, a_playback_driver_chosen_again_finds_a_fresh_system)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const struct
    {
        FMOD_OUTPUTTYPE type;
        const char* driver;
        bool capturing;
    } cases[] = {{FMOD_OUTPUTTYPE_NOSOUND, "No sound", true},
                 {FMOD_OUTPUTTYPE_NOSOUND, "No sound", false},
                 {FMOD_OUTPUTTYPE_PULSEAUDIO, "pulse", true},
                 {FMOD_OUTPUTTYPE_PULSEAUDIO, "pulse", false}};
    for (const auto& c : cases)
    {
        ScratchFolder folder(true);
        // Each case in a process of its own: it starts from its own system,
        // initialised, with the capture running or not.
        EXPECT_EXIT(
            {
                dup2(STDERR_FILENO, STDOUT_FILENO);
                GamePreferences preferences;
                preferences.Load();
                SoundSystem& system = GameManager::Instance()->GetSoundSystem();
                SoundMicrophoneAnalyzer& analyzer = GameManager::Instance()->GetSoundMicrophoneAnalyzer();
                preferences.SetSoundOutputType(c.type);
                preferences.SetSoundOutputDriverNo(0);
                if (c.capturing)
                    preferences.SetSoundRecordDriverNo(0);
                if (!system.IsInitialised() || analyzer.IsRunning() != c.capturing)
                    std::exit(2);
                preferences.SetSoundOutputDriverNo(0);
                if (analyzer.IsRunning() || system.EnlistDrivers() != std::vector<std::string>{c.driver})
                    std::exit(3);
                preferences.SetSoundRecordDriverNo(0);
                system.Update();
                analyzer.Update();
                if (!analyzer.IsRunning())
                    std::exit(4);
                std::exit(0);
            },
            testing::ExitedWithCode(0), "")
            << c.driver << (c.capturing ? ", capturing" : ", not capturing");
    }
}
