#pragma once

#include "platform/SoundLibrary.h"
#include "sound/SoundMicrophoneAnalyzerCalibratedReader.h"

#include <memory>

// The settings that survive a restart: steering variant, sound output type,
// playback and record driver, and the calibrated reader. Load reads
// "config.xml" and applies it to the sound system and the analyzer; the file
// is written again when the steering variant or the calibration changes.
class GamePreferences
{
public:
    // Fixed underlying type: a stored number outside the list stays a valid value.
    enum PlayerType : int
    {
        PlayerDirectionHeightType = 0,
        PlayerTargetDirectionType = 1,
        PlayerTargetHeightType = 2
    };

    static const char* const FILE_NAME;

    GamePreferences();
    virtual ~GamePreferences();

    void Load();
    void Save();
    bool IsSaveable() const { return !m_loading; }

    PlayerType GetPlayerType() const { return m_playerType; }
    void SetPlayerType(PlayerType type);

    FMOD_OUTPUTTYPE GetSoundOutputType() const { return m_soundOutputType; }
    int GetSoundOutputDriverNo() const { return m_soundOutputDriverNo; }
    int GetSoundRecordDriverNo() const { return m_soundRecordDriverNo; }
    // In this order: the output type leaves the system created but not
    // initialised until the playback driver is set; the record driver needs
    // an initialised system. A playback driver set again on an initialised
    // system recreates it first, as the output type does, so the capture
    // stops until the record driver is set again.
    void SetSoundOutputType(FMOD_OUTPUTTYPE type);
    void SetSoundOutputDriverNo(int driverNo);
    void SetSoundRecordDriverNo(int driverNo);

    // The limits as the file holds them: Hz for pitch, 16-bit sample values
    // (the analyzer's 0..1 volume x 32767) for volume.
    std::shared_ptr<SoundMicrophoneAnalyzerCalibratedReader>
    CreateSoundMicrophoneAnalyzerCalibratedReader(CalibratedReaderType type, int lower, int upper);
    std::shared_ptr<SoundMicrophoneAnalyzerCalibratedReader> GetSoundMicrophoneAnalyzerCalibratedReader();
    bool HasSoundMicrophoneAnalyzerCalibratedReader() const { return m_calibratedReader != nullptr; }
    // Saves when a reader is given; an empty one clears the stored calibration without saving.
    void SetSoundMicrophoneAnalyzerCalibratedReader(
        std::shared_ptr<SoundMicrophoneAnalyzerCalibratedReader> reader);

private:
    void ApplySoundOutputType();
    void ApplySoundOutputDriverNo();
    void ApplySoundRecordDriverNo();

    std::shared_ptr<SoundMicrophoneAnalyzerCalibratedReader> m_calibratedReader;
    PlayerType m_playerType;
    FMOD_OUTPUTTYPE m_soundOutputType;
    int m_soundOutputDriverNo;
    int m_soundRecordDriverNo;
    CalibratedReaderType m_calibratedReaderType;
    int m_calibratedReaderLower;
    int m_calibratedReaderUpper;
    bool m_loading;
};
