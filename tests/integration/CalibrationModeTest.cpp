// Needs the X server and the sound server of tools/headless.sh.
#include "ModeScreens.h"

#include "gamemode/CalibrationMode.h"
#include "gui/GuiCanvas.h"
#include "gui/ComposedStretchableDrawableConstructor.h"
#include "gui/GuiCanvasDecorated.h"
#include "gui/GuiKeylessButton.h"
#include "manager/PreferencesFile.h"
#include "sound/SoundMicrophoneAnalyzerCalibratedReaderPitch.h"
#include "support/GameDriver.h"
#include "support/RecordingMode.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Text.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace
{
typedef CalibrationMode Mode;

const int BUTTON_WIDTH = 200;

// Outlives every mode of this file, which the game manager may keep.
std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

std::vector<std::string> Names(int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back("Device " + std::to_string(i));
    return names;
}

// A calibration mode over a next mode of the given type, initialised, with
// the given driver lists on its sound-card screens.
std::unique_ptr<Mode> Initialised(GameMode::ModeType nextType = GameMode::MenuModeType, int drivers = 1)
{
    GameForModes();
    auto mode = std::make_unique<Mode>(new RecordingMode("next", Log(), nextType));
    mode->SetDriverListersForTesting([drivers] { return Names(drivers); }, [drivers] { return Names(drivers); });
    mode->Initialize();
    return mode;
}

// Brings a fresh mode into the state along the way a player takes.
void Reach(Mode& mode, Mode::CalibrationState state)
{
    switch (state)
    {
    case Mode::CalibrationStateStart:
        break;
    case Mode::CalibrationStatePitchLower:
    case Mode::CalibrationStateVolumeLower:
        mode.Prepare(state, true);
        break;
    case Mode::CalibrationStatePitchUpper:
    case Mode::CalibrationStatePitchFinished:
        Reach(mode, static_cast<Mode::CalibrationState>(state - 1));
        mode.SetRawValueForTesting(state == Mode::CalibrationStatePitchUpper ? 200.0f : 800.0f);
        mode.Next();
        break;
    case Mode::CalibrationStateVolumeUpper:
    case Mode::CalibrationStateVolumeFinished:
        Reach(mode, static_cast<Mode::CalibrationState>(state - 1));
        mode.SetRawValueForTesting(state == Mode::CalibrationStateVolumeUpper ? 0.1f : 0.6f);
        mode.Next();
        break;
    case Mode::CalibrationStateSoundOutputType:
        mode.Prepare(state, true);
        break;
    case Mode::CalibrationStateSoundOutputDriver:
    case Mode::CalibrationStateSoundRecordDriver:
        Reach(mode, static_cast<Mode::CalibrationState>(state - 1));
        mode.Next();
        break;
    }
    ASSERT_EQ(state, mode.GetState());
}

// What each slot's button reports when a player slides it, with the mode's
// own handler replaced by a spy: "" for a slot without a button.
std::vector<std::string> ClickedBySlot(Mode& mode, const GuiCanvas& screen)
{
    std::vector<std::string> names;
    for (int slot = 0; slot <= 3; ++slot)
    {
        ClickSpy spy;
        mode.GetGuiManager()->SetGuiEventHandler(spy.Handler());
        SlideButton(mode, SlotPlace(screen, slot, BUTTON_WIDTH), ButtonWidth(BUTTON_WIDTH));
        names.push_back(spy.clicked.empty() ? "" : spy.clicked.front());
        EXPECT_LE(spy.clicked.size(), 1u);
    }
    return names;
}
}

TEST(CalibrationMode, next_and_back_follow_the_state_table_from_every_state)
{
    ScratchFolder folder(true);
    StoreReader(false);
    const struct
    {
        Mode::CalibrationState from;
        Mode::CalibrationState next;
        Mode::CalibrationState back;
    } table[] = {
        {Mode::CalibrationStateStart, Mode::CalibrationStateStart, Mode::CalibrationStateStart},
        {Mode::CalibrationStatePitchLower, Mode::CalibrationStatePitchUpper, Mode::CalibrationStateStart},
        {Mode::CalibrationStatePitchUpper, Mode::CalibrationStatePitchFinished, Mode::CalibrationStatePitchLower},
        {Mode::CalibrationStatePitchFinished, Mode::CalibrationStatePitchFinished, Mode::CalibrationStatePitchUpper},
        {Mode::CalibrationStateVolumeLower, Mode::CalibrationStateVolumeUpper, Mode::CalibrationStateStart},
        {Mode::CalibrationStateVolumeUpper, Mode::CalibrationStateVolumeFinished, Mode::CalibrationStateVolumeLower},
        {Mode::CalibrationStateVolumeFinished, Mode::CalibrationStateVolumeFinished,
         Mode::CalibrationStateVolumeUpper},
        {Mode::CalibrationStateSoundOutputType, Mode::CalibrationStateSoundOutputDriver,
         Mode::CalibrationStateSoundOutputType},
        {Mode::CalibrationStateSoundOutputDriver, Mode::CalibrationStateSoundRecordDriver,
         Mode::CalibrationStateSoundOutputType},
        {Mode::CalibrationStateSoundRecordDriver, Mode::CalibrationStateStart,
         Mode::CalibrationStateSoundOutputDriver},
    };
    for (const auto& row : table)
    {
        for (bool forwards : {true, false})
        {
            auto mode = Initialised();
            Reach(*mode, row.from);
            // A value above every lower limit met on the way, so that no forward step is refused.
            mode->SetRawValueForTesting(row.from <= Mode::CalibrationStatePitchFinished ? 1000.0f : 0.9f);
            forwards ? mode->Next() : mode->Back();
            EXPECT_EQ(forwards ? row.next : row.back, mode->GetState())
                << (forwards ? "Next" : "Back") << " from " << row.from;
            // A reader exists exactly in the measuring states, and the gauges show then.
            const bool measuring = mode->GetState() >= Mode::CalibrationStatePitchLower &&
                                   mode->GetState() <= Mode::CalibrationStateVolumeFinished;
            EXPECT_EQ(measuring, mode->GetCandidateReader() != nullptr) << row.from;
            EXPECT_EQ(measuring, mode->GetGaugePanel()->IsVisible()) << row.from;
        }
    }
    EXPECT_EQ(0, folder.CountEntries()) << "moving between the screens stores nothing";
}

TEST(CalibrationMode, shows_the_gui_cursor_where_the_pointer_is)
{
    ScratchFolder folder(true);
    auto mode = Initialised();
    // Left of the screen panel, below the title: the calibration draws nothing else there.
    const sf::IntRect area(10, 300, 16, 16);
    ExpectCursorDrawnAtPointer(*mode->GetGuiManager(), area);
}

TEST(CalibrationMode, going_back_to_a_lower_limit_screen_starts_a_new_reader_and_forgets_the_limit)
{
    ScratchFolder folder(true);
    auto mode = Initialised();
    Reach(*mode, Mode::CalibrationStatePitchUpper);
    const auto first = mode->GetCandidateReader();
    EXPECT_EQ(200.0f, first->GetCalibrationLower());
    mode->Back();
    EXPECT_NE(first, mode->GetCandidateReader());
    EXPECT_EQ(100.0f, mode->GetCandidateReader()->GetCalibrationLower());
    EXPECT_EQ(0.0f, mode->GetRawValue());
}

TEST(CalibrationMode, screen_0_offers_its_buttons_by_the_stored_reader_and_the_next_mode)
{
    ScratchFolder folder(true);
    const std::vector<std::string> withReader = {"begin_pitch", "begin_volume", "configure_soundcard",
                                                 "back_to_next_mode"};
    const std::vector<std::string> withoutWayBack = {"", "begin_pitch", "begin_volume", "configure_soundcard"};
    const struct
    {
        bool stored;
        GameMode::ModeType next;
        std::vector<std::string> slots;
    } cases[] = {
        {true, GameMode::MenuModeType, withReader},
        {true, GameMode::PlayModeType, withReader},
        {true, GameMode::CalibrationModeType, {"begin_pitch", "begin_volume", "configure_soundcard", ""}},
        {false, GameMode::MenuModeType, withoutWayBack},
        {false, GameMode::PlayModeType, withoutWayBack},
    };
    for (const auto& c : cases)
    {
        StoreReader(c.stored);
        auto mode = Initialised(c.next);
        EXPECT_EQ(c.slots, ClickedBySlot(*mode, *mode->GetScreen(Mode::ScreenStart)))
            << "stored " << c.stored << ", next mode type " << c.next;
    }
}

TEST(CalibrationMode, after_the_sound_card_screens_screen_0_has_no_way_back)
{
    ScratchFolder folder(true);
    StoreReader(true);
    auto mode = Initialised(GameMode::MenuModeType);
    Reach(*mode, Mode::CalibrationStateSoundRecordDriver);
    mode->Next();
    ASSERT_EQ(Mode::CalibrationStateStart, mode->GetState());
    GuiCanvas* rebuilt = mode->GetScreen(Mode::ScreenStart);
    EXPECT_EQ(rebuilt, mode->GetCurrentCanvas());
    EXPECT_TRUE(rebuilt->IsVisible());
    mode->GetGuiManager()->Process();
    EXPECT_EQ(std::vector<std::string>({"", "begin_pitch", "begin_volume", "configure_soundcard"}),
              ClickedBySlot(*mode, *rebuilt));
}

TEST(CalibrationMode, entering_the_lower_limit_screens_places_marks_and_mapping_lines)
{
    ScratchFolder folder(true);
    const struct
    {
        Mode::CalibrationState state;
        float lowerY;
        float upperY;
    } cases[] = {
        // 100 and 2000 Hz on the 0 to 16000 gauge of 400 pixels.
        {Mode::CalibrationStatePitchLower, 397.5f, 350.0f},
        {Mode::CalibrationStateVolumeLower, 400.0f, 0.0f},
    };
    for (const auto& c : cases)
    {
        auto mode = Initialised();
        mode->Prepare(c.state, true);
        EXPECT_FLOAT_EQ(c.lowerY, mode->GetLowerLimitMark().getPosition().y);
        EXPECT_FLOAT_EQ(c.upperY, mode->GetUpperLimitMark().getPosition().y);
        EXPECT_EQ(0.0f, mode->GetUpperLimitMark().getPosition().x);
        EXPECT_EQ(sf::Vector2<float>(100.0f, c.lowerY), QuadStart(mode->GetLowerMappingLine()));
        EXPECT_EQ(sf::Vector2<float>(200.0f, 400.0f), QuadEnd(mode->GetLowerMappingLine()));
        EXPECT_EQ(sf::Vector2<float>(100.0f, c.upperY), QuadStart(mode->GetUpperMappingLine()));
        EXPECT_EQ(sf::Vector2<float>(200.0f, 0.0f), QuadEnd(mode->GetUpperMappingLine()));
    }
}

TEST(CalibrationMode, set_it_on_the_upper_limit_screen_needs_a_value_above_the_lower_limit)
{
    ScratchFolder folder(true);
    const struct
    {
        Mode::CalibrationState lowerState;
        float lower;
        float justAbove;
    } cases[] = {
        {Mode::CalibrationStatePitchLower, 300.0f, 300.5f},
        // Silence is a valid lower limit.
        {Mode::CalibrationStateVolumeLower, 0.0f, 0.01f},
    };
    for (const auto& c : cases)
    {
        auto mode = Initialised();
        mode->Prepare(c.lowerState, true);
        mode->SetRawValueForTesting(c.lower);
        mode->Next();
        const auto upperState = static_cast<Mode::CalibrationState>(c.lowerState + 1);
        ASSERT_EQ(upperState, mode->GetState());
        const float defaultUpper = mode->GetCandidateReader()->GetCalibrationUpper();
        const float upperMark = mode->GetUpperLimitMark().getPosition().y;

        mode->Next();
        EXPECT_EQ(upperState, mode->GetState()) << "refused at the lower limit itself";
        EXPECT_EQ(defaultUpper, mode->GetCandidateReader()->GetCalibrationUpper());
        EXPECT_EQ(upperMark, mode->GetUpperLimitMark().getPosition().y);

        mode->SetRawValueForTesting(c.justAbove);
        mode->Next();
        EXPECT_EQ(upperState + 1, mode->GetState());
        EXPECT_EQ(c.justAbove, mode->GetCandidateReader()->GetCalibrationUpper());
        EXPECT_LT(mode->GetUpperLimitMark().getPosition().y, mode->GetLowerLimitMark().getPosition().y);
        EXPECT_EQ(mode->GetUpperLimitMark().getPosition().y, QuadStart(mode->GetUpperMappingLine()).y);
    }
}

TEST(CalibrationMode, finish_stores_the_measured_reader_and_hands_over)
{
    ScratchFolder folder(true);
    StoreReader(false);
    GameManager* manager = GameForModes();
    auto* mode = new Mode(new RecordingMode("next", Log(), GameMode::MenuModeType));
    manager->SetNextGameMode(mode);
    manager->Process();
    Log().clear();
    Reach(*mode, Mode::CalibrationStatePitchFinished);
    manager->Process();
    // "Finish", slot 1 of screen 3.
    SlideButton(*mode, SlotPlace(*mode->GetCurrentCanvas(), 1, BUTTON_WIDTH), ButtonWidth(BUTTON_WIDTH));
    manager->Process();
    EXPECT_EQ(std::vector<std::string>({"next init", "next process"}), Log());
    const PreferencesFile::Entries written = PreferencesFile::Read("config.xml");
    EXPECT_EQ(0, written.calibratedReaderType);
    EXPECT_EQ(200, written.calibratedReaderLower);
    EXPECT_EQ(800, written.calibratedReaderUpper);
}

TEST(CalibrationMode, a_next_mode_never_handed_over_goes_with_the_calibration)
{
    ScratchFolder folder(true);
    GameForModes();
    Log().clear();
    {
        Mode mode(new RecordingMode("next", Log(), GameMode::MenuModeType));
        mode.Initialize();
    }
    EXPECT_EQ(std::vector<std::string>({"next dtor"}), Log());
}

TEST(CalibrationMode, s_key_stores_a_pitch_calibration_of_524_to_958_and_hands_over_from_any_state)
{
    GameManager* manager = GameForModes();
    for (auto state : {Mode::CalibrationStateStart, Mode::CalibrationStateVolumeUpper,
                       Mode::CalibrationStateSoundOutputType})
    {
        ScratchFolder folder(true);
        StoreReader(false);
        auto* mode = new Mode(new RecordingMode("next", Log(), GameMode::MenuModeType));
        mode->SetDriverListersForTesting([] { return Names(1); }, [] { return Names(1); });
        manager->SetNextGameMode(mode);
        manager->Process();
        Log().clear();
        Reach(*mode, state);
        ClickSpy spy;
        mode->GetGuiManager()->SetGuiEventHandler(spy.Handler());

        mode->HandleEvent(KeyPress(sf::Keyboard::S));
        auto reader = manager->GetPreferences().GetSoundMicrophoneAnalyzerCalibratedReader();
        ASSERT_TRUE(reader) << state;
        EXPECT_EQ(CalibratedReaderTypePitch, reader->GetType());
        EXPECT_EQ(524.0f, reader->GetCalibrationLower());
        EXPECT_EQ(958.0f, reader->GetCalibrationUpper());
        EXPECT_EQ(524, PreferencesFile::Read("config.xml").calibratedReaderLower);
        EXPECT_EQ(958, PreferencesFile::Read("config.xml").calibratedReaderUpper);

        manager->Process();
        EXPECT_EQ(std::vector<std::string>({"next init", "next process"}), Log()) << state;
    }
}

TEST(CalibrationMode, s_key_between_the_sound_card_screens_leaves_the_sound_system_working)
{
    GameManager* manager = GameForModes();
    GamePreferences& preferences = manager->GetPreferences();
    for (int choicesMade : {1, 2})
    {
        ScratchFolder folder(true);
        auto mode = Initialised(GameMode::MenuModeType, 1);
        mode->Prepare(Mode::CalibrationStateSoundOutputType, true);
        mode->GetGuiManager()->Process();
        // "No sound", then the one playback driver.
        SlideButton(*mode, SlotPlace(*mode->GetCurrentCanvas(), 2, 200), ButtonWidth(200));
        mode->GetGuiManager()->Process();
        if (choicesMade == 2)
        {
            SlideButton(*mode, SlotPlace(*mode->GetCurrentCanvas(), 2, Mode::DRIVER_BUTTON_WIDTH),
                        ButtonWidth(Mode::DRIVER_BUTTON_WIDTH));
            mode->GetGuiManager()->Process();
        }
        ASSERT_EQ(Mode::CalibrationStateSoundOutputType + choicesMade, mode->GetState());
        ASSERT_FALSE(manager->GetSoundMicrophoneAnalyzer().IsRunning());

        mode->HandleEvent(KeyPress(sf::Keyboard::S));
        EXPECT_TRUE(manager->GetSoundMicrophoneAnalyzer().IsRunning()) << choicesMade;
        EXPECT_EQ(0, preferences.GetSoundOutputDriverNo());
        // An initialised system updates; one without a playback driver would end the process.
        manager->GetSoundSystem().Update();
        manager->GetSoundMicrophoneAnalyzer().Update();
    }
    ScratchFolder fresh(true);
    preferences.Load();
}

TEST(CalibrationMode, sound_card_choices_reach_only_their_own_handlers_and_apply_in_order)
{
    ScratchFolder folder(true);
    StoreReader(true);
    GamePreferences& preferences = GameForModes()->GetPreferences();
    auto mode = Initialised(GameMode::MenuModeType, 1);
    ClickSpy spy;
    mode->GetGuiManager()->SetGuiEventHandler(spy.Handler());

    // "Configure Soundcard", slot 2 with a stored reader.
    SlideButton(*mode, SlotPlace(*mode->GetScreen(Mode::ScreenStart), 2, BUTTON_WIDTH), ButtonWidth(BUTTON_WIDTH));
    ASSERT_EQ(std::vector<std::string>({"configure_soundcard"}), spy.clicked);
    mode->Prepare(Mode::CalibrationStateSoundOutputType, true);
    mode->GetGuiManager()->Process();
    spy.clicked.clear();

    // "No sound" in slot 2.
    SlideButton(*mode, SlotPlace(*mode->GetCurrentCanvas(), 2, 200), ButtonWidth(200));
    EXPECT_EQ(Mode::CalibrationStateSoundOutputDriver, mode->GetState());
    EXPECT_EQ(FMOD_OUTPUTTYPE_NOSOUND, preferences.GetSoundOutputType());
    mode->GetGuiManager()->Process();

    // The one playback driver lies in slot 2, right above "back".
    SlideButton(*mode, SlotPlace(*mode->GetCurrentCanvas(), 2, Mode::DRIVER_BUTTON_WIDTH),
                ButtonWidth(Mode::DRIVER_BUTTON_WIDTH));
    EXPECT_EQ(Mode::CalibrationStateSoundRecordDriver, mode->GetState());
    EXPECT_EQ(0, preferences.GetSoundOutputDriverNo());
    mode->GetGuiManager()->Process();

    SlideButton(*mode, SlotPlace(*mode->GetCurrentCanvas(), 2, Mode::DRIVER_BUTTON_WIDTH),
                ButtonWidth(Mode::DRIVER_BUTTON_WIDTH));
    EXPECT_EQ(Mode::CalibrationStateStart, mode->GetState());
    EXPECT_EQ(0, preferences.GetSoundRecordDriverNo());
    // The three choices left a working sound system behind: the capture runs again.
    EXPECT_TRUE(GameManager::Instance()->GetSoundMicrophoneAnalyzer().IsRunning());
    EXPECT_TRUE(spy.clicked.empty()) << spy.clicked.front();

    // Later tests expect the sound system of a first start.
    mode.reset();
    ScratchFolder fresh(true);
    preferences.Load();
}

TEST(CalibrationMode, output_type_buttons_lie_in_their_slots_with_their_widths_and_values)
{
    const struct
    {
        int slot;
        int width;
        FMOD_OUTPUTTYPE value;
    } choices[] = {
        {0, 200, FMOD_OUTPUTTYPE_ALSA},
        // The wide bar of the second slot.
        {1, 305, FMOD_OUTPUTTYPE_PULSEAUDIO},
        {2, 200, FMOD_OUTPUTTYPE_NOSOUND},
        {3, 200, FMOD_OUTPUTTYPE_AUTODETECT},
    };
    GamePreferences& preferences = GameForModes()->GetPreferences();
    const float endCap =
        static_cast<float>(GameManager::Instance()->GetContentManager().GetTexture("gui/button_drop_end").getSize().x);
    // The middle of a bar's end cap in the window.
    auto endCapMiddle = [endCap](const GuiCanvas& screen, int slot, int width) {
        const sf::Vector2<float> place = SlotPlace(screen, slot, width);
        return sf::Vector2u(static_cast<unsigned>(place.x + ButtonWidth(width) - endCap / 2.0f),
                            static_cast<unsigned>(place.y + endCap / 2.0f));
    };
    for (const auto& choice : choices)
    {
        ScratchFolder folder(true);
        auto mode = Initialised(GameMode::MenuModeType, 1);
        mode->Prepare(Mode::CalibrationStateSoundOutputType, true);
        mode->GetGuiManager()->Process();

        // Each bar ends where its width puts it: its end cap looks as that of the 200 px bar in slot 3.
        PointerAtPixel(1020, 590);
        mode->Process();
        const sf::Image shot = Shot([&] { mode->GetGuiManager()->Draw(); });
        const sf::Vector2u reference = endCapMiddle(*mode->GetCurrentCanvas(), 3, 200);
        const sf::Vector2u end = endCapMiddle(*mode->GetCurrentCanvas(), choice.slot, choice.width);
        EXPECT_EQ(shot.getPixel(reference.x, reference.y).toInteger(), shot.getPixel(end.x, end.y).toInteger())
            << "slot " << choice.slot;

        SlideButton(*mode, SlotPlace(*mode->GetCurrentCanvas(), choice.slot, choice.width), ButtonWidth(choice.width));
        EXPECT_EQ(Mode::CalibrationStateSoundOutputDriver, mode->GetState()) << "slot " << choice.slot;
        EXPECT_EQ(choice.value, preferences.GetSoundOutputType()) << "slot " << choice.slot;
        // Later tests expect the sound system of a first start.
        mode.reset();
        ScratchFolder fresh(true);
        preferences.Load();
    }
}

TEST(CalibrationMode, back_on_a_driver_screen_reaches_the_mode_and_returns_one_screen)
{
    ScratchFolder folder(true);
    auto mode = Initialised(GameMode::MenuModeType, 2);
    Reach(*mode, Mode::CalibrationStateSoundRecordDriver);
    mode->GetGuiManager()->Process();
    GuiCanvas* recordScreen = mode->GetCurrentCanvas();
    SlideButton(*mode, SlotPlace(*recordScreen, 3, BUTTON_WIDTH), ButtonWidth(BUTTON_WIDTH));
    EXPECT_EQ(Mode::CalibrationStateSoundOutputDriver, mode->GetState());
    EXPECT_NE(recordScreen, mode->GetCurrentCanvas());
    ASSERT_EQ(1u, mode->GetDriverPagesForTesting().size());
    EXPECT_EQ(2u, mode->GetDriverPagesForTesting().front().drivers.size());
}

TEST(CalibrationMode, driver_buttons_stay_on_the_panel_for_any_number_of_drivers)
{
    ScratchFolder folder(true);
    for (int count : {1, 3, 7, 20})
    {
        auto mode = Initialised(GameMode::MenuModeType, count);
        Reach(*mode, Mode::CalibrationStateSoundOutputDriver);
        mode->GetGuiManager()->Process();
        const GuiCanvas* screen = mode->GetCurrentCanvas();
        const ComposedStretchableDrawableConstructor& frame =
            GameManager::Instance()->GetContentManager().GetComposedStretchableDrawableConstructor("gui/canvas_dragon");
        const float panelLeft = screen->GetAbsolutePosition().x - static_cast<float>(frame.GetLeftBorder());
        const float panelRight =
            screen->GetAbsolutePosition().x + screen->GetWidth() + static_cast<float>(frame.GetRightBorder());
        // The info field's line, then "back" in the bottom slot.
        const float top = screen->GetAbsolutePosition().y + 50.0f;
        const float backTop = screen->GetAbsolutePosition().y + 170.0f + 55.0f * 3.0f;

        std::vector<GuiKeylessButton*> all;
        const auto& pages = mode->GetDriverPagesForTesting();
        for (std::size_t page = 0; page < pages.size(); ++page)
        {
            std::vector<GuiKeylessButton*> onPage = pages[page].drivers;
            all.insert(all.end(), onPage.begin(), onPage.end());
            if (pages[page].previous != nullptr)
                onPage.push_back(pages[page].previous);
            if (pages[page].next != nullptr)
                onPage.push_back(pages[page].next);
            EXPECT_EQ(page > 0, pages[page].previous != nullptr) << count;
            EXPECT_EQ(page + 1 < pages.size(), pages[page].next != nullptr) << count;
            for (std::size_t i = 0; i < onPage.size(); ++i)
            {
                const sf::FloatRect box(onPage[i]->GetAbsolutePosition(),
                                        {onPage[i]->GetWidth(), onPage[i]->GetHeight()});
                // The driver bars reach into the panel's frame, as in the three-slot layout.
                EXPECT_GE(box.left, panelLeft) << count;
                EXPECT_LE(box.left + box.width, panelRight) << count;
                EXPECT_GE(box.top, top) << count << " drivers, page " << page << ", button " << i;
                EXPECT_LE(box.top + box.height, backTop) << count << " drivers, page " << page << ", button " << i;
                for (std::size_t j = 0; j < i; ++j)
                {
                    const sf::FloatRect other(onPage[j]->GetAbsolutePosition(),
                                              {onPage[j]->GetWidth(), onPage[j]->GetHeight()});
                    EXPECT_FALSE(box.intersects(other)) << count << " drivers, page " << page;
                }
            }
        }
        ASSERT_EQ(static_cast<std::size_t>(count), all.size());

        // Every page can be reached with the slide buttons alone, and back.
        for (std::size_t page = 0; page < pages.size(); ++page)
        {
            for (std::size_t other = 0; other < pages.size(); ++other)
                EXPECT_EQ(other == page, pages[other].canvas->IsVisible()) << count << " drivers, page " << page;
            if (pages[page].next == nullptr)
                break;
            SlideButton(*mode, pages[page].next->GetAbsolutePosition(), pages[page].next->GetWidth());
            mode->GetGuiManager()->Process();
        }
        for (std::size_t page = pages.size(); page-- > 1;)
        {
            SlideButton(*mode, pages[page].previous->GetAbsolutePosition(), pages[page].previous->GetWidth());
            mode->GetGuiManager()->Process();
        }
        EXPECT_TRUE(pages.front().canvas->IsVisible()) << count;
        EXPECT_EQ(Mode::CalibrationStateSoundOutputDriver, mode->GetState()) << "turning pages chooses nothing";
    }
}

TEST(CalibrationMode, long_driver_names_are_shortened_to_fit_the_bar)
{
    const sf::Font& font = GameForModes()->GetContentManager().GetFont("standard");
    const float room = static_cast<float>(Mode::DRIVER_BUTTON_WIDTH) - 20.0f;
    const std::string longName = "HDA Intel PCH: ALC293 Analog (hw:0,0) and a few more words to be sure";
    const std::string fitted = Mode::FitLabel(longName, font, 24, room);
    ASSERT_GE(fitted.size(), 4u);
    EXPECT_EQ("...", fitted.substr(fitted.size() - 3));
    EXPECT_EQ(0u, longName.find(fitted.substr(0, fitted.size() - 3)));
    EXPECT_LE(sf::Text(fitted, font, 24).getLocalBounds().width, room);
    EXPECT_EQ("pulse", Mode::FitLabel("pulse", font, 24, room));
}

namespace
{
// The test sound server's two devices through ALSA, "default" and "pulse",
// lie in slots 1 and 2 of the driver screens, above "back" in slot 3.
const int DRIVER_BACK_SLOT = 3;

// Later tests expect the sound system of a first start, whatever happens here.
struct FirstStartAfterwards
{
    ~FirstStartAfterwards()
    {
        ScratchFolder fresh(true);
        GameManager::Instance()->GetPreferences().Load();
    }
};

void SlideDriverScreenSlot(Mode& mode, int slot)
{
    const int width = slot == DRIVER_BACK_SLOT ? BUTTON_WIDTH : Mode::DRIVER_BUTTON_WIDTH;
    SlideButton(mode, SlotPlace(*mode.GetCurrentCanvas(), slot, width), ButtonWidth(width));
    mode.GetGuiManager()->Process();
}

// The text of a config.xml that chose ALSA and the two drivers.
std::string AlsaConfig(int playback, int record)
{
    return "<config><soundOutputType>12</soundOutputType><soundOutputDriverNo>" + std::to_string(playback) +
           "</soundOutputDriverNo><soundRecordDriverNo>" + std::to_string(record) +
           "</soundRecordDriverNo></config>";
}

// A calibration mode started with the config.xml text, on its output-type
// screen, with the real sound system's driver lists.
std::unique_ptr<Mode> OnOutputTypeScreen(ScratchFolder& folder, const std::string& config)
{
    folder.Write("config.xml", config);
    GameForModes()->GetPreferences().Load();
    auto mode = std::make_unique<Mode>(new RecordingMode("next", Log(), GameMode::MenuModeType));
    mode->Initialize();
    mode->Prepare(Mode::CalibrationStateSoundOutputType, true);
    mode->GetGuiManager()->Process();
    return mode;
}

// "ALSA" in slot 0 of the output-type screen.
void ChooseAlsa(Mode& mode)
{
    SlideButton(mode, SlotPlace(*mode.GetCurrentCanvas(), 0, BUTTON_WIDTH), ButtonWidth(BUTTON_WIDTH));
    mode.GetGuiManager()->Process();
    ASSERT_EQ(2u, GameManager::Instance()->GetSoundSystem().EnlistDrivers().size())
        << "the test sound server's ALSA devices are \"default\" and \"pulse\"";
}
}

// Each button of the driver screens, slid by the pointer, reaches its own
// handler: it applies its driver and moves on, or ("back") returns one screen
// and undoes nothing. None of them writes the preferences file.
TEST(CalibrationMode, driver_screen_buttons_choose_their_driver_or_go_back_without_saving)
{
    const int back = DRIVER_BACK_SLOT;
    const struct
    {
        Mode::CalibrationState screen;
        int slot;
        int playbackBefore;
        int recordBefore;
        Mode::CalibrationState then;
        int playbackAfter;
        int recordAfter;
    } rows[] = {
        {Mode::CalibrationStateSoundOutputDriver, 1, 1, 1, Mode::CalibrationStateSoundRecordDriver, 0, 1},
        {Mode::CalibrationStateSoundOutputDriver, 2, 0, 0, Mode::CalibrationStateSoundRecordDriver, 1, 0},
        {Mode::CalibrationStateSoundOutputDriver, back, 1, 1, Mode::CalibrationStateSoundOutputType, 1, 1},
        // Reached through the playback driver in slot 2.
        {Mode::CalibrationStateSoundRecordDriver, 1, 0, 1, Mode::CalibrationStateStart, 1, 0},
        {Mode::CalibrationStateSoundRecordDriver, 2, 0, 0, Mode::CalibrationStateStart, 1, 1},
        {Mode::CalibrationStateSoundRecordDriver, back, 0, 1, Mode::CalibrationStateSoundOutputDriver, 1, 1},
    };
    GamePreferences& preferences = GameForModes()->GetPreferences();
    FirstStartAfterwards afterwards;
    for (const auto& row : rows)
    {
        ScratchFolder folder(true);
        const std::string config = AlsaConfig(row.playbackBefore, row.recordBefore);
        auto mode = OnOutputTypeScreen(folder, config);
        ASSERT_NO_FATAL_FAILURE(ChooseAlsa(*mode));
        if (row.screen == Mode::CalibrationStateSoundRecordDriver)
            SlideDriverScreenSlot(*mode, 2);
        ASSERT_EQ(row.screen, mode->GetState());

        SlideDriverScreenSlot(*mode, row.slot);
        const std::string what = "screen " + std::to_string(row.screen) + ", slot " + std::to_string(row.slot);
        EXPECT_EQ(row.then, mode->GetState()) << what;
        EXPECT_EQ(FMOD_OUTPUTTYPE_ALSA, preferences.GetSoundOutputType()) << what;
        EXPECT_EQ(row.playbackAfter, preferences.GetSoundOutputDriverNo()) << what;
        EXPECT_EQ(row.recordAfter, preferences.GetSoundRecordDriverNo()) << what;
        EXPECT_EQ(config, folder.Read("config.xml")) << what;
        EXPECT_EQ(1, folder.CountEntries()) << what;
    }
}

// "back" takes the screen it leaves away: what shows is the screen gone back
// to, as it first showed, and a button slid there is its alone, even where
// the screen left had one at the same place.
TEST(CalibrationMode, after_back_on_a_driver_screen_only_the_screen_shown_is_there_and_acts)
{
    const struct
    {
        Mode::CalibrationState screen;
        // On the screen gone back to: a slot whose button lies where the
        // screen left had one, its width, and what it leads to.
        int slot;
        int width;
        Mode::CalibrationState then;
        FMOD_OUTPUTTYPE outputAfter;
        int playbackAfter;
    } rows[] = {
        // "Auto detect" where the playback screen had "back".
        {Mode::CalibrationStateSoundOutputDriver, 3, BUTTON_WIDTH, Mode::CalibrationStateSoundOutputDriver,
         FMOD_OUTPUTTYPE_AUTODETECT, 0},
        // The playback driver "pulse" where the record screen had "pulse".
        {Mode::CalibrationStateSoundRecordDriver, 2, Mode::DRIVER_BUTTON_WIDTH,
         Mode::CalibrationStateSoundRecordDriver, FMOD_OUTPUTTYPE_ALSA, 1},
    };
    GamePreferences& preferences = GameForModes()->GetPreferences();
    FirstStartAfterwards afterwards;
    for (const auto& row : rows)
    {
        const std::string what = "back from screen " + std::to_string(row.screen);
        ScratchFolder folder(true);
        auto mode = OnOutputTypeScreen(folder, AlsaConfig(0, 0));
        sf::Image before = GuiShot(*mode->GetGuiManager());
        ASSERT_NO_FATAL_FAILURE(ChooseAlsa(*mode));
        if (row.screen == Mode::CalibrationStateSoundRecordDriver)
        {
            before = GuiShot(*mode->GetGuiManager());
            SlideDriverScreenSlot(*mode, 2);
        }
        ASSERT_EQ(row.screen, mode->GetState());

        SlideDriverScreenSlot(*mode, DRIVER_BACK_SLOT);
        ASSERT_EQ(row.screen - 1, mode->GetState()) << what;
        const sf::Image after = GuiShot(*mode->GetGuiManager());
        EXPECT_TRUE(SameArea(before, after, sf::IntRect(0, 0, 1024, 600))) << what << ": not the screen as it first showed";

        SlideButton(*mode, SlotPlace(*mode->GetCurrentCanvas(), row.slot, row.width), ButtonWidth(row.width));
        mode->GetGuiManager()->Process();
        EXPECT_EQ(row.then, mode->GetState()) << what;
        EXPECT_EQ(row.outputAfter, preferences.GetSoundOutputType()) << what;
        EXPECT_EQ(row.playbackAfter, preferences.GetSoundOutputDriverNo()) << what;
        EXPECT_EQ(0, preferences.GetSoundRecordDriverNo()) << what;
    }
}
