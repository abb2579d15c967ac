#pragma once

#include "entity/EntityList.h"
#include "gamemode/GameMode.h"
#include "gui/GuiManager.h"

#include <SFML/Graphics/ConvexShape.hpp>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sf
{
class Font;
}
class CalibrationGauge;
class GuiCanvas;
class GuiCanvasDecorated;
class GuiDrawable;
class GuiEvent;
class GuiKeylessButton;
class SoundMicrophoneAnalyzer;
class SoundMicrophoneAnalyzerCalibratedReader;
class SoundSystem;

// The calibration screens: the player chooses pitch or volume, sets the lower
// and the upper limit while holding a sound, tests the result on two gauges
// and may configure the sound card. The reader is handed to the preferences
// only by "Finish" or the S key; then the next mode follows.
class CalibrationMode : public GameMode
{
public:
    enum CalibrationState
    {
        CalibrationStateStart = 0,
        CalibrationStatePitchLower = 1,
        CalibrationStatePitchUpper = 2,
        CalibrationStatePitchFinished = 3,
        CalibrationStateVolumeLower = 4,
        CalibrationStateVolumeUpper = 5,
        CalibrationStateVolumeFinished = 6,
        CalibrationStateSoundOutputType = 7,
        CalibrationStateSoundOutputDriver = 8,
        CalibrationStateSoundRecordDriver = 9
    };

    enum ScreenId
    {
        ScreenStart = 0,
        ScreenPitchLower = 1,
        ScreenPitchUpper = 2,
        ScreenPitchFinished = 3,
        ScreenVolumeLower = 4,
        ScreenVolumeUpper = 5,
        ScreenVolumeFinished = 6
    };

    typedef std::function<std::vector<std::string>()> DriverLister;

    // One page of driver buttons; up to three drivers fill the driver screen
    // itself, without page buttons.
    struct DriverPage
    {
        GuiCanvas* canvas;
        std::vector<GuiKeylessButton*> drivers;
        GuiKeylessButton* previous;
        GuiKeylessButton* next;
    };

    // More playback or record drivers than the part's three slots are shown
    // on pages of this many, with buttons to the neighbouring pages.
    static const int DRIVERS_PER_PAGE = 4;
    static const int DRIVER_BUTTON_WIDTH = 350;

    // Takes the next mode; it is deleted here only if it was never handed over.
    explicit CalibrationMode(GameMode* next);
    ~CalibrationMode() override;

    void Initialize() override;
    void TearDown() override;
    void Process() override;
    void HandleEvent(const sf::Event& event) override;
    void Draw() override;

    void HandleGuiEvent(GuiEvent const& event);

    bool Prepare(CalibrationState state, bool withAftercare);
    void Next();
    void Back();
    void Begin();
    bool Aftercare();
    void UpdateCalibrationValues();
    void ShowScreen(ScreenId id);
    GuiCanvas* CreateCanvas();
    GuiCanvas* CreateCanvas(ScreenId id);
    GuiKeylessButton* CreateButton(GuiCanvas* canvas, std::string text, std::string name, int slot, int width);
    void CreateInfoField(GuiCanvas* canvas, std::string text);
    GuiManager* GetGuiManager();

    // The text itself when it fits maxWidth at the size in the font, else as
    // much of it as fits followed by "...".
    static std::string FitLabel(const std::string& text, const sf::Font& font, unsigned size, float maxWidth);

    CalibrationState GetState() const { return m_state; }
    float GetRawValue() const { return m_rawValue; }
    std::shared_ptr<SoundMicrophoneAnalyzerCalibratedReader> GetCandidateReader() const { return m_reader; }
    GuiCanvas* GetCurrentCanvas() const { return m_currentCanvas; }
    GuiCanvas* GetScreen(ScreenId id) const;
    GuiCanvasDecorated* GetGaugePanel() const { return m_gaugePanel; }
    const sf::ConvexShape& GetLowerLimitMark() const { return m_lowerLimitMark; }
    const sf::ConvexShape& GetUpperLimitMark() const { return m_upperLimitMark; }
    const sf::ConvexShape& GetLowerMappingLine() const { return m_lowerMappingLine; }
    const sf::ConvexShape& GetUpperMappingLine() const { return m_upperMappingLine; }
    const sf::ConvexShape& GetRawMarker() const { return m_rawMarker; }
    const sf::ConvexShape& GetCalibratedMarker() const { return m_calibratedMarker; }

    // Test seams: the raw value that the next "Set it" takes, and the driver
    // lists that the sound-card screens show.
    void SetRawValueForTesting(float value) { m_rawValue = value; }
    void SetDriverListersForTesting(DriverLister playback, DriverLister record);
    // The pages of the driver screen now shown; empty on other screens.
    const std::vector<DriverPage>& GetDriverPagesForTesting() const { return m_driverPages; }

private:
    void HandOverNextMode();
    void CompleteSoundCardChoices();
    void SetUpReader(CalibrationState state);
    void BuildScreens();
    void BuildGaugePanel();
    void RebuildStartScreen();
    void BuildSoundOutputTypeCanvas();
    void BuildDriverCanvas(const std::vector<std::string>& names, const std::string& info, bool record);
    GuiKeylessButton* CreatePageButton(GuiCanvas* page, const std::string& text, float side, GuiCanvas* target);
    GuiKeylessButton* CreateDriverButton(GuiCanvas* canvas, const std::string& name, int slot, int value,
                                         bool record);

    GameMode* m_nextMode;
    bool m_nextModeHandedOver;
    EntityList m_entities;
    GuiManager m_guiManager;
    SoundSystem* m_soundSystem;
    SoundMicrophoneAnalyzer* m_analyzer;
    std::shared_ptr<SoundMicrophoneAnalyzerCalibratedReader> m_reader;
    float m_rawValue;
    CalibrationState m_state;
    std::shared_ptr<CalibrationGauge> m_rawGauge;
    std::shared_ptr<CalibrationGauge> m_calibratedGauge;
    sf::ConvexShape m_lowerLimitMark;
    sf::ConvexShape m_upperLimitMark;
    sf::ConvexShape m_rawMarker;
    sf::ConvexShape m_calibratedMarker;
    sf::ConvexShape m_lowerMappingLine;
    sf::ConvexShape m_upperMappingLine;
    GuiCanvasDecorated* m_screenCanvas;
    std::map<ScreenId, GuiCanvas*> m_screens;
    GuiCanvas* m_currentCanvas;
    GuiCanvasDecorated* m_gaugePanel;
    GuiDrawable* m_lowerMappingLineDrawable;
    GuiDrawable* m_upperMappingLineDrawable;
    DriverLister m_listPlaybackDrivers;
    DriverLister m_listRecordDrivers;
    std::vector<DriverPage> m_driverPages;
    // What the sound-card screens have yet to apply, should the mode be left meanwhile.
    enum SoundCardChoicesMissing
    {
        MissingNone,
        MissingPlaybackAndRecordDriver,
        MissingRecordDriver
    } m_soundCardChoicesMissing;
};
