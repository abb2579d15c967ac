#include "manager/GamePreferences.h"

#include "manager/GameManager.h"
#include "manager/PreferencesFile.h"
#include "sound/SoundErrorContext.h"
#include "sound/SoundMicrophoneAnalyzer.h"
#include "sound/SoundMicrophoneAnalyzerCalibratedReaderPitch.h"
#include "sound/SoundMicrophoneAnalyzerCalibratedReaderVolume.h"
#include "sound/SoundSystem.h"

#include <climits>
#include <cmath>
#include <string>
#include <utility>

namespace
{
const GamePreferences::PlayerType DEFAULT_PLAYER_TYPE = GamePreferences::PlayerDirectionHeightType;
const FMOD_OUTPUTTYPE DEFAULT_OUTPUT_TYPE = FMOD_OUTPUTTYPE_DSOUND;
const int DEFAULT_DRIVER_NO = 0;

const int SAMPLE_RATE = 48000;
const int OUTPUT_CHANNELS = 1;
const int MAX_INPUT_CHANNELS = 0;
const int MAX_CHANNELS = 32;

// The analyzer's volume runs from 0 to 1, the file holds whole numbers: volume
// limits are stored as 16-bit sample values, so that they survive the round trip.
const double VOLUME_LIMIT_SCALE = 32767.0;

SoundSystem& GetSoundSystem()
{
    return GameManager::Instance()->GetSoundSystem();
}

// Truncation toward zero; a limit beyond the int range is held at its end
// rather than turned into an undefined number.
int TruncateLimit(double limit)
{
    if (std::isnan(limit))
        return 0;
    if (limit >= 2147483648.0)
        return INT_MAX;
    if (limit <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(limit);
}

int StoredLimit(CalibratedReaderType type, float limit)
{
    if (type == CalibratedReaderTypeVolume)
        return TruncateLimit(static_cast<double>(limit) * VOLUME_LIMIT_SCALE);
    return TruncateLimit(limit);
}

float LimitFromStored(CalibratedReaderType type, int stored)
{
    if (type == CalibratedReaderTypeVolume)
        return static_cast<float>(stored / VOLUME_LIMIT_SCALE);
    return static_cast<float>(stored);
}

// Clears the loading flag however Load is left.
class LoadingScope
{
public:
    explicit LoadingScope(bool& flag) : m_loading(flag) { m_loading = true; }
    ~LoadingScope() { m_loading = false; }
    LoadingScope(const LoadingScope&) = delete;
    LoadingScope& operator=(const LoadingScope&) = delete;

private:
    bool& m_loading;
};
}

const char* const GamePreferences::FILE_NAME = "config.xml";

GamePreferences::GamePreferences()
    : m_calibratedReader(), m_playerType(DEFAULT_PLAYER_TYPE), m_soundOutputType(DEFAULT_OUTPUT_TYPE),
      m_soundOutputDriverNo(DEFAULT_DRIVER_NO), m_soundRecordDriverNo(DEFAULT_DRIVER_NO),
      m_calibratedReaderType(CalibratedReaderTypePitch), m_calibratedReaderLower(0),
      m_calibratedReaderUpper(0), m_loading(false)
{
}

GamePreferences::~GamePreferences() = default;

void GamePreferences::Load()
{
    LoadingScope scope(m_loading);
    const PreferencesFile::Entries entries = PreferencesFile::Read(FILE_NAME);

    m_soundOutputType = static_cast<FMOD_OUTPUTTYPE>(entries.soundOutputType.value_or(DEFAULT_OUTPUT_TYPE));
    m_soundOutputDriverNo = entries.soundOutputDriverNo.value_or(DEFAULT_DRIVER_NO);
    m_soundRecordDriverNo = entries.soundRecordDriverNo.value_or(DEFAULT_DRIVER_NO);
    const PlayerType type = static_cast<PlayerType>(entries.playerType.value_or(DEFAULT_PLAYER_TYPE));

    std::shared_ptr<SoundMicrophoneAnalyzerCalibratedReader> reader;
    if (entries.calibratedReaderType && entries.calibratedReaderLower && entries.calibratedReaderUpper)
    {
        reader = CreateSoundMicrophoneAnalyzerCalibratedReader(
            static_cast<CalibratedReaderType>(*entries.calibratedReaderType),
            *entries.calibratedReaderLower, *entries.calibratedReaderUpper);
    }

    ApplySoundOutputType();
    ApplySoundOutputDriverNo();
    ApplySoundRecordDriverNo();
    SetPlayerType(type);
    SetSoundMicrophoneAnalyzerCalibratedReader(reader);
}

void GamePreferences::Save()
{
    if (m_loading)
        return;
    PreferencesFile::Entries entries;
    entries.playerType = m_playerType;
    entries.soundOutputType = m_soundOutputType;
    entries.soundOutputDriverNo = m_soundOutputDriverNo;
    entries.soundRecordDriverNo = m_soundRecordDriverNo;
    if (m_calibratedReader)
    {
        entries.calibratedReaderType = m_calibratedReaderType;
        entries.calibratedReaderLower = m_calibratedReaderLower;
        entries.calibratedReaderUpper = m_calibratedReaderUpper;
    }
    // A failed write keeps the settings in memory and the old file on disk.
    PreferencesFile::Write(FILE_NAME, entries);
}

void GamePreferences::SetPlayerType(PlayerType type)
{
    m_playerType = type;
    Save();
}

void GamePreferences::SetSoundOutputType(FMOD_OUTPUTTYPE type)
{
    m_soundOutputType = type;
    ApplySoundOutputType();
}

void GamePreferences::SetSoundOutputDriverNo(int driverNo)
{
    m_soundOutputDriverNo = driverNo;
    // Chosen again, after going back a screen, the driver finds the system
    // initialised, which takes no driver: the output type applied again
    // recreates it.
    if (GetSoundSystem().IsInitialised())
        ApplySoundOutputType();
    ApplySoundOutputDriverNo();
}

void GamePreferences::SetSoundRecordDriverNo(int driverNo)
{
    m_soundRecordDriverNo = driverNo;
    ApplySoundRecordDriverNo();
}

void GamePreferences::ApplySoundOutputType()
{
    SoundErrorContext context("setting the sound output type " + std::to_string(m_soundOutputType));
    GameManager* gameManager = GameManager::Instance();
    // Capture runs on the old system's sounds, so it stops before the system goes.
    gameManager->GetSoundMicrophoneAnalyzer().Stop();
    // So do the stored sounds: a handle left over from the old system would
    // end the process when it is released or reloaded later.
    gameManager->GetContentManager().ReleaseSounds();
    GetSoundSystem().ReleaseAndRecreate();
    GetSoundSystem().SetOutputFormat(m_soundOutputType);
}

void GamePreferences::ApplySoundOutputDriverNo()
{
    SoundErrorContext context("setting the playback driver " + std::to_string(m_soundOutputDriverNo));
    SoundSystem& system = GetSoundSystem();
    system.SetDriver(m_soundOutputDriverNo);
    system.SetSoftwareFormat(SAMPLE_RATE, FMOD_SOUND_FORMAT_PCM16, OUTPUT_CHANNELS,
                             MAX_INPUT_CHANNELS, FMOD_DSP_RESAMPLER_LINEAR);
    system.Init(MAX_CHANNELS, FMOD_INIT_NORMAL, nullptr);
}

void GamePreferences::ApplySoundRecordDriverNo()
{
    SoundErrorContext context("setting the record driver " + std::to_string(m_soundRecordDriverNo));
    GameManager::Instance()->GetSoundMicrophoneAnalyzer().Start(m_soundRecordDriverNo);
}

std::shared_ptr<SoundMicrophoneAnalyzerCalibratedReader>
GamePreferences::CreateSoundMicrophoneAnalyzerCalibratedReader(CalibratedReaderType type, int lower,
                                                               int upper)
{
    const SoundMicrophoneAnalyzer& analyzer = GameManager::Instance()->GetSoundMicrophoneAnalyzer();
    std::shared_ptr<SoundMicrophoneAnalyzerCalibratedReader> reader;
    if (type == CalibratedReaderTypeVolume)
        reader = std::make_shared<SoundMicrophoneAnalyzerCalibratedReaderVolume>(analyzer);
    else
        reader = std::make_shared<SoundMicrophoneAnalyzerCalibratedReaderPitch>(analyzer);
    reader->SetCalibrationLower(LimitFromStored(reader->GetType(), lower));
    reader->SetCalibrationUpper(LimitFromStored(reader->GetType(), upper));
    return reader;
}

std::shared_ptr<SoundMicrophoneAnalyzerCalibratedReader>
GamePreferences::GetSoundMicrophoneAnalyzerCalibratedReader()
{
    return m_calibratedReader;
}

void GamePreferences::SetSoundMicrophoneAnalyzerCalibratedReader(
    std::shared_ptr<SoundMicrophoneAnalyzerCalibratedReader> reader)
{
    m_calibratedReader = std::move(reader);
    if (!m_calibratedReader)
    {
        m_calibratedReaderType = CalibratedReaderTypePitch;
        m_calibratedReaderLower = 0;
        m_calibratedReaderUpper = 0;
        return;
    }
    m_calibratedReaderType = m_calibratedReader->GetType();
    m_calibratedReaderLower = StoredLimit(m_calibratedReaderType, m_calibratedReader->GetCalibrationLower());
    m_calibratedReaderUpper = StoredLimit(m_calibratedReaderType, m_calibratedReader->GetCalibrationUpper());
    Save();
}
