#include "gamemode/CalibrationMode.h"

#include "entity/CalibrationGauge.h"
#include "gamemode/GuiEventClickedButtonSoundOutputDriverNo.h"
#include "gamemode/GuiEventClickedButtonSoundOutputType.h"
#include "gamemode/GuiEventClickedButtonSoundRecordDriverNo.h"
#include "gui/GuiCanvas.h"
#include "gui/GuiCanvasDecorated.h"
#include "gui/GuiDrawEntity.h"
#include "gui/GuiDrawable.h"
#include "gui/GuiEvent.h"
#include "gui/GuiKeylessButton.h"
#include "manager/GameManager.h"
#include "sound/SoundMicrophoneAnalyzer.h"
#include "sound/SoundMicrophoneAnalyzerCalibratedReaderPitch.h"
#include "sound/SoundMicrophoneAnalyzerCalibratedReaderVolume.h"
#include "sound/SoundSystem.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cmath>
#include <utility>

namespace
{
const unsigned TITLE_SIZE = 64;
const unsigned TEXT_SIZE = 24;
const float PANEL_TOP = 100.0f;
const float PANEL_MARGIN = 50.0f;
const unsigned GAUGE_PANEL_INNER_WIDTH = 300;
const unsigned SCREEN_INNER_WIDTH = 400;
const unsigned PANEL_INNER_HEIGHT = 380;
const int BUTTON_WIDTH = 200;
const float FIRST_SLOT_Y = 170.0f;
const float SLOT_HEIGHT = 55.0f;
const sf::Vector2<float> INFO_POSITION(10.0f, 10.0f);

const float GAUGE_WIDTH = 100.0f;
const float GAUGE_HEIGHT = 400.0f;
const float LINE_THICKNESS = 3.0f;
const float PITCH_GAUGE_MAXIMUM = 16000.0f;
const float PITCH_DEFAULT_LOWER = 100.0f;
const float PITCH_DEFAULT_UPPER = 2000.0f;
const float VOLUME_GAUGE_MAXIMUM = 1.0f;
const float VOLUME_DEFAULT_LOWER = 0.0f;
const float VOLUME_DEFAULT_UPPER = 1.0f;
const float SHORTCUT_PITCH_LOWER = 524.0f;
const float SHORTCUT_PITCH_UPPER = 958.0f;

// On a page of drivers: the drivers from the top slot down, the page buttons
// in the slot above "back".
const int FIRST_PAGE_SLOT = -2;
const int PAGE_BUTTONS_SLOT = 2;
const int BACK_SLOT = 3;
const int PAGE_BUTTON_WIDTH = 110;
const float PAGE_BUTTONS_GAP = 10.0f;
// A shortened driver name keeps this much room to the caps on either side.
const float LABEL_MARGIN = 10.0f;

struct OutputTypeChoice
{
    int slot;
    int width;
    const char* label;
    FMOD_OUTPUTTYPE value;
};

const OutputTypeChoice OUTPUT_TYPE_CHOICES[] = {
    {0, 200, "ALSA", FMOD_OUTPUTTYPE_ALSA},
    {1, 305, "PulseAudio", FMOD_OUTPUTTYPE_PULSEAUDIO},
    {2, 200, "No sound", FMOD_OUTPUTTYPE_NOSOUND},
    {3, 200, "Auto detect", FMOD_OUTPUTTYPE_AUTODETECT},
};

// The library's lines are filled quads of the thickness, centred on the segment.
void SetLine(sf::ConvexShape& shape, sf::Vector2<float> from, sf::Vector2<float> to, sf::Color color)
{
    const sf::Vector2<float> along = to - from;
    const float length = std::sqrt(along.x * along.x + along.y * along.y);
    sf::Vector2<float> normal(0.0f, LINE_THICKNESS / 2.0f);
    if (length > 0.0f)
        normal = sf::Vector2<float>(-along.y, along.x) * (LINE_THICKNESS / 2.0f / length);
    shape.setPointCount(4);
    shape.setPoint(0, from + normal);
    shape.setPoint(1, to + normal);
    shape.setPoint(2, to - normal);
    shape.setPoint(3, from - normal);
    shape.setFillColor(color);
    shape.setOutlineThickness(0.0f);
    shape.setOutlineColor(sf::Color::White);
}

// Where a UTF-8 text may be cut: not inside a character.
std::size_t PreviousCharacterStart(const std::string& text, std::size_t end)
{
    std::size_t at = end;
    while (at > 0)
    {
        --at;
        if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80)
            break;
    }
    return at;
}

float TextWidth(const std::string& text, const sf::Font& font, unsigned size)
{
    // Measured as the button's label is made.
    return sf::Text(text, font, size).getLocalBounds().width;
}
}

CalibrationMode::CalibrationMode(GameMode* next)
    : GameMode(CalibrationModeType), m_nextMode(next), m_nextModeHandedOver(false), m_entities(), m_guiManager(),
      m_soundSystem(&m_gameManager->GetSoundSystem()), m_analyzer(&m_gameManager->GetSoundMicrophoneAnalyzer()),
      m_reader(), m_rawValue(0.0f), m_state(CalibrationStateStart), m_rawGauge(), m_calibratedGauge(),
      m_lowerLimitMark(), m_upperLimitMark(), m_rawMarker(), m_calibratedMarker(), m_lowerMappingLine(),
      m_upperMappingLine(), m_screenCanvas(nullptr), m_screens(), m_currentCanvas(nullptr), m_gaugePanel(nullptr),
      m_lowerMappingLineDrawable(nullptr), m_upperMappingLineDrawable(nullptr),
      m_listPlaybackDrivers([this] { return m_soundSystem->EnlistDrivers(); }),
      m_listRecordDrivers([this] { return m_soundSystem->EnlistRecordDrivers(); }), m_driverPages(),
      m_soundCardChoicesMissing(MissingNone)
{
}

CalibrationMode::~CalibrationMode()
{
    // Once handed over the game manager owns it; a mode that ends without
    // leaving (the window closed) would otherwise leak it.
    if (!m_nextModeHandedOver)
        delete m_nextMode;
}

void CalibrationMode::Initialize()
{
    m_guiManager.SetGuiEventHandler([this](GuiEvent const& event) { HandleGuiEvent(event); });
    m_guiManager.AddCursor("standard", "cursor_normal");
    m_guiManager.SetCursor("standard", true);

    const int width = static_cast<int>(m_gameManager->GetCurrentViewWidth());
    ContentManager& content = m_gameManager->GetContentManager();
    auto title = std::make_shared<sf::Text>("Calibration", content.GetFont("header"), TITLE_SIZE);
    title->setFillColor(sf::Color::White);
    const float titleX = static_cast<float>(static_cast<int>(width / 2 - title->getLocalBounds().width / 2.0f));
    m_guiManager.AddElement(new GuiDrawable(sf::Vector2<float>(titleX, 0.0f), title, ""));

    const ComposedStretchableDrawableConstructor& frame =
        content.GetComposedStretchableDrawableConstructor("gui/canvas_dragon");
    const unsigned left = frame.GetLeftBorder();
    const unsigned right = frame.GetRightBorder();
    const unsigned top = frame.GetTopBorder();
    const unsigned bottom = frame.GetBottomBorder();
    const sf::Vector2<float> innerShift(0.0f, -10.0f);

    const unsigned gaugeWidth = frame.GetPossibleWidth(left + right + GAUGE_PANEL_INNER_WIDTH);
    const unsigned gaugeHeight = frame.GetPossibleHeight(top + bottom + PANEL_INNER_HEIGHT);
    m_gaugePanel = GuiCanvasDecorated::CreateFramed(
        frame,
        sf::Vector2<float>(static_cast<float>(width) - PANEL_MARGIN - static_cast<float>(gaugeWidth), PANEL_TOP),
        gaugeWidth, gaugeHeight, innerShift);
    m_guiManager.AddElement(m_gaugePanel);
    BuildGaugePanel();

    const unsigned screenWidth = frame.GetPossibleWidth(left + right + SCREEN_INNER_WIDTH);
    const unsigned screenHeight = frame.GetPossibleHeight(top + bottom + PANEL_INNER_HEIGHT);
    m_screenCanvas = GuiCanvasDecorated::CreateFramed(frame, sf::Vector2<float>(PANEL_MARGIN, PANEL_TOP),
                                                      screenWidth, screenHeight, innerShift);
    m_guiManager.AddElement(m_screenCanvas);

    BuildScreens();
    Prepare(CalibrationStateStart, true);
}

void CalibrationMode::BuildGaugePanel()
{
    sf::Drawable* const noTarget = nullptr;
    m_lowerMappingLineDrawable = new GuiDrawable(sf::Vector2<float>(0.0f, 0.0f), noTarget, "");
    m_upperMappingLineDrawable = new GuiDrawable(sf::Vector2<float>(0.0f, 0.0f), noTarget, "");

    m_rawGauge = std::make_shared<CalibrationGauge>(sf::Vector2<float>(0.0f, 0.0f), GAUGE_WIDTH, GAUGE_HEIGHT, 0.0f,
                                                    1.0f, sf::Color::Blue);
    m_calibratedGauge = std::make_shared<CalibrationGauge>(sf::Vector2<float>(2.0f * GAUGE_WIDTH, 0.0f), GAUGE_WIDTH,
                                                           GAUGE_HEIGHT, 0.0f, 1.0f, sf::Color::Green);

    SetLine(m_lowerLimitMark, {0.0f, 0.0f}, {GAUGE_WIDTH, 0.0f}, sf::Color::White);
    SetLine(m_upperLimitMark, {0.0f, 0.0f}, {GAUGE_WIDTH, 0.0f}, sf::Color::White);
    SetLine(m_rawMarker, {0.0f, 0.0f}, {GAUGE_WIDTH, 0.0f}, sf::Color::Black);
    SetLine(m_calibratedMarker, {2.0f * GAUGE_WIDTH, 0.0f}, {3.0f * GAUGE_WIDTH, 0.0f}, sf::Color::Black);

    GuiCanvas* inner = m_gaugePanel->GetInnerCanvas();
    const sf::Vector2<float> origin(0.0f, 0.0f);
    inner->AddElement(new GuiDrawEntity(origin, std::shared_ptr<IEntity>(m_rawGauge), ""));
    inner->AddElement(new GuiDrawEntity(origin, std::shared_ptr<IEntity>(m_calibratedGauge), ""));
    inner->AddElement(new GuiDrawable(origin, &m_lowerLimitMark, ""));
    inner->AddElement(new GuiDrawable(origin, &m_upperLimitMark, ""));
    inner->AddElement(new GuiDrawable(origin, &m_rawMarker, ""));
    inner->AddElement(new GuiDrawable(origin, &m_calibratedMarker, ""));
    inner->AddElement(m_lowerMappingLineDrawable);
    inner->AddElement(m_upperMappingLineDrawable);
}

void CalibrationMode::BuildScreens()
{
    GuiCanvas* start = CreateCanvas(ScreenStart);
    CreateInfoField(start, "Choose the way you want to control the dragon\nwith.");
    if (m_preferences->HasSoundMicrophoneAnalyzerCalibratedReader())
    {
        CreateButton(start, "Pitch", "begin_pitch", 0, BUTTON_WIDTH);
        CreateButton(start, "Volume", "begin_volume", 1, BUTTON_WIDTH);
        CreateButton(start, "Configure Soundcard", "configure_soundcard", 2, BUTTON_WIDTH);
        if (m_nextMode->GetModeType() == MenuModeType)
            CreateButton(start, "Back to Menu", "back_to_next_mode", 3, BUTTON_WIDTH);
        else if (m_nextMode->GetModeType() == PlayModeType)
            CreateButton(start, "Back to Game", "back_to_next_mode", 3, BUTTON_WIDTH);
    }
    else
    {
        CreateButton(start, "Pitch", "begin_pitch", 1, BUTTON_WIDTH);
        CreateButton(start, "Volume", "begin_volume", 2, BUTTON_WIDTH);
        CreateButton(start, "Configure Soundcard", "configure_soundcard", 3, BUTTON_WIDTH);
    }

    const struct
    {
        ScreenId id;
        const char* info;
    } limitScreens[] = {
        {ScreenPitchLower, "Make lower limit sound.\nUse the button 'Set it' while you hold it."},
        {ScreenPitchUpper, "Make upper limit sound.\nUse the button 'Set it' while you hold it."},
        {ScreenVolumeLower, "Make no sound do determine the lower limit.\nUse the button 'Set it' while you are as "
                            "quiet\nas possible."},
        {ScreenVolumeUpper, "Be as loud as you want to be in the game to\ndetermine the upper limit.\nUse the button "
                            "'Set it' while you hold it."},
    };
    const struct
    {
        ScreenId id;
        const char* info;
    } finishedScreens[] = {
        {ScreenPitchFinished, "Calibration finished.\n\nThe right gauge is the calibrated spectrum. Test\nit by making "
                              "low and high sounds. You should be\nable to make the entire calibrated spectrum."},
        {ScreenVolumeFinished, "Calibration finished.\n\nThe right gauge is the calibrated spectrum. Test\nit by "
                               "making quiet and loud sounds. You should\nbe able to make the entire calibrated "
                               "spectrum."},
    };
    // Built in screen order, so the map and the inner canvas list them alike.
    for (int id = ScreenPitchLower; id <= ScreenVolumeFinished; ++id)
    {
        GuiCanvas* canvas = CreateCanvas(static_cast<ScreenId>(id));
        bool finished = false;
        for (const auto& screen : finishedScreens)
        {
            if (screen.id != id)
                continue;
            finished = true;
            CreateInfoField(canvas, screen.info);
            CreateButton(canvas, "Finish", "go_on", 1, BUTTON_WIDTH);
            CreateButton(canvas, "Start calibration again", "back_to_start", 2, BUTTON_WIDTH);
            CreateButton(canvas, "Back", "back", 3, BUTTON_WIDTH);
        }
        if (finished)
            continue;
        for (const auto& screen : limitScreens)
        {
            if (screen.id != id)
                continue;
            CreateInfoField(canvas, screen.info);
            CreateButton(canvas, "Set it", "next", 2, BUTTON_WIDTH);
            CreateButton(canvas, "Back", "back", 3, BUTTON_WIDTH);
        }
    }
}

void CalibrationMode::TearDown()
{
}

void CalibrationMode::Process()
{
    m_entities.Process();
    m_guiManager.Process();
    // The analyzer and the sound system run only while a reader is calibrated.
    if (!m_reader)
        return;
    m_analyzer->Update();
    m_rawValue = m_reader->GetRealValue();
    const float calibrated = m_reader->GetCalibratedValue();
    m_rawMarker.setPosition(m_rawMarker.getPosition().x, m_rawGauge->GetHeightOfValue(m_rawValue));
    m_calibratedMarker.setPosition(m_calibratedMarker.getPosition().x,
                                   m_calibratedGauge->GetHeightOfValue(calibrated));
    m_soundSystem->Update();
}

void CalibrationMode::HandleEvent(const sf::Event& event)
{
    if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::S)
    {
        // A fixed pitch calibration, stored and left at once, in any state.
        m_reader = std::make_shared<SoundMicrophoneAnalyzerCalibratedReaderPitch>(*m_analyzer);
        m_reader->SetCalibrationLower(SHORTCUT_PITCH_LOWER);
        m_reader->SetCalibrationUpper(SHORTCUT_PITCH_UPPER);
        // Completed first, so that the file saved with the reader pairs the
        // output type with a playback driver it has.
        CompleteSoundCardChoices();
        m_preferences->SetSoundMicrophoneAnalyzerCalibratedReader(m_reader);
        HandOverNextMode();
        return;
    }
    m_guiManager.HandleEvent(event);
}

void CalibrationMode::Draw()
{
    m_renderWindow->clear(sf::Color(0, 0, 0, 255));
    m_entities.Draw();
    m_guiManager.Draw();
    m_renderWindow->display();
}

void CalibrationMode::HandleGuiEvent(GuiEvent const& event)
{
    if (event.type != GuiButtonClicked)
        return;
    const std::string& name = event.source->GetName();
    if (name == "next")
    {
        Next();
    }
    else if (name == "back")
    {
        Back();
    }
    else if (name == "back_with_aftercare")
    {
        Aftercare();
        Back();
    }
    else if (name == "back_to_start")
    {
        Prepare(CalibrationStateStart, false);
    }
    else if (name == "begin_pitch")
    {
        Prepare(CalibrationStatePitchLower, true);
    }
    else if (name == "begin_volume")
    {
        Prepare(CalibrationStateVolumeLower, true);
    }
    else if (name == "go_on")
    {
        Aftercare();
        HandOverNextMode();
    }
    else if (name == "configure_soundcard")
    {
        Prepare(CalibrationStateSoundOutputType, true);
    }
    else if (name == "back_to_next_mode")
    {
        HandOverNextMode();
    }
}

void CalibrationMode::CompleteSoundCardChoices()
{
    // Left between the sound-card screens, the sound system would stay without
    // a playback driver (after the output type) or without its capture (after
    // the playback driver): the choices not made take the default playback
    // device and the record driver stored before.
    if (m_soundCardChoicesMissing == MissingPlaybackAndRecordDriver)
        m_preferences->SetSoundOutputDriverNo(0);
    if (m_soundCardChoicesMissing != MissingNone)
        m_preferences->SetSoundRecordDriverNo(m_preferences->GetSoundRecordDriverNo());
    m_soundCardChoicesMissing = MissingNone;
}

void CalibrationMode::HandOverNextMode()
{
    // Handing the same mode again is harmless: the manager keeps it.
    m_nextModeHandedOver = true;
    m_gameManager->SetNextGameMode(m_nextMode);
}

bool CalibrationMode::Prepare(CalibrationState state, bool withAftercare)
{
    const CalibrationState oldState = m_state;
    if (withAftercare && !Aftercare())
        return false;
    m_state = state;
    switch (state)
    {
    case CalibrationStateStart:
        m_rawValue = 0.0f;
        m_reader.reset();
        ShowScreen(ScreenStart);
        m_gaugePanel->SetVisible(false);
        break;
    case CalibrationStatePitchLower:
        SetUpReader(state);
        ShowScreen(ScreenPitchLower);
        m_gaugePanel->SetVisible(true);
        break;
    case CalibrationStateVolumeLower:
        SetUpReader(state);
        ShowScreen(ScreenVolumeLower);
        m_gaugePanel->SetVisible(true);
        break;
    case CalibrationStatePitchUpper:
    case CalibrationStatePitchFinished:
    case CalibrationStateVolumeUpper:
    case CalibrationStateVolumeFinished:
        ShowScreen(static_cast<ScreenId>(state));
        break;
    case CalibrationStateSoundOutputType:
        if (oldState == CalibrationStateStart)
            RebuildStartScreen();
        if (m_currentCanvas != nullptr)
            m_currentCanvas->SetVisible(false);
        BuildSoundOutputTypeCanvas();
        break;
    case CalibrationStateSoundOutputDriver:
        // Forwards only by the output type's handler: the system now waits for its drivers.
        if (oldState == CalibrationStateSoundOutputType && withAftercare)
            m_soundCardChoicesMissing = MissingPlaybackAndRecordDriver;
        BuildDriverCanvas(m_listPlaybackDrivers(), "Select playback driver", false);
        break;
    case CalibrationStateSoundRecordDriver:
        m_soundCardChoicesMissing = MissingRecordDriver;
        BuildDriverCanvas(m_listRecordDrivers(), "Select record driver", true);
        break;
    }
    if (state == CalibrationStateStart && oldState == CalibrationStateSoundRecordDriver)
        m_soundCardChoicesMissing = MissingNone;
    UpdateCalibrationValues();
    return true;
}

void CalibrationMode::SetUpReader(CalibrationState state)
{
    m_rawValue = 0.0f;
    if (state == CalibrationStatePitchLower)
    {
        m_reader = std::make_shared<SoundMicrophoneAnalyzerCalibratedReaderPitch>(*m_analyzer);
        m_rawGauge->SetRange(0.0f, PITCH_GAUGE_MAXIMUM);
        m_reader->SetCalibrationLower(PITCH_DEFAULT_LOWER);
        m_reader->SetCalibrationUpper(PITCH_DEFAULT_UPPER);
    }
    else
    {
        m_reader = std::make_shared<SoundMicrophoneAnalyzerCalibratedReaderVolume>(*m_analyzer);
        m_rawGauge->SetRange(0.0f, VOLUME_GAUGE_MAXIMUM);
        m_reader->SetCalibrationLower(VOLUME_DEFAULT_LOWER);
        m_reader->SetCalibrationUpper(VOLUME_DEFAULT_UPPER);
    }
}

void CalibrationMode::Next()
{
    switch (m_state)
    {
    case CalibrationStatePitchLower:
        Prepare(CalibrationStatePitchUpper, true);
        break;
    case CalibrationStatePitchUpper:
        Prepare(CalibrationStatePitchFinished, true);
        break;
    case CalibrationStateVolumeLower:
        Prepare(CalibrationStateVolumeUpper, true);
        break;
    case CalibrationStateVolumeUpper:
        Prepare(CalibrationStateVolumeFinished, true);
        break;
    case CalibrationStateSoundOutputType:
        Prepare(CalibrationStateSoundOutputDriver, true);
        break;
    case CalibrationStateSoundOutputDriver:
        Prepare(CalibrationStateSoundRecordDriver, true);
        break;
    case CalibrationStateSoundRecordDriver:
        Prepare(CalibrationStateStart, true);
        break;
    default:
        break;
    }
}

void CalibrationMode::Back()
{
    switch (m_state)
    {
    case CalibrationStatePitchLower:
    case CalibrationStateVolumeLower:
        Prepare(CalibrationStateStart, false);
        break;
    case CalibrationStatePitchUpper:
        Prepare(CalibrationStatePitchLower, false);
        break;
    case CalibrationStatePitchFinished:
        Prepare(CalibrationStatePitchUpper, false);
        break;
    case CalibrationStateVolumeUpper:
        Prepare(CalibrationStateVolumeLower, false);
        break;
    case CalibrationStateVolumeFinished:
        Prepare(CalibrationStateVolumeUpper, false);
        break;
    case CalibrationStateSoundOutputDriver:
        Prepare(CalibrationStateSoundOutputType, false);
        break;
    case CalibrationStateSoundRecordDriver:
        Prepare(CalibrationStateSoundOutputDriver, false);
        break;
    default:
        break;
    }
}

void CalibrationMode::Begin()
{
    Prepare(CalibrationStateStart, true);
}

bool CalibrationMode::Aftercare()
{
    switch (m_state)
    {
    case CalibrationStatePitchLower:
    case CalibrationStateVolumeLower:
        m_reader->SetCalibrationLower(m_rawValue);
        return true;
    case CalibrationStatePitchUpper:
    case CalibrationStateVolumeUpper:
        if (m_rawValue <= m_reader->GetCalibrationLower())
            return false;
        m_reader->SetCalibrationUpper(m_rawValue);
        return true;
    case CalibrationStatePitchFinished:
    case CalibrationStateVolumeFinished:
        m_preferences->SetSoundMicrophoneAnalyzerCalibratedReader(m_reader);
        return true;
    case CalibrationStateSoundOutputType:
    case CalibrationStateSoundOutputDriver:
    case CalibrationStateSoundRecordDriver:
        if (m_currentCanvas != nullptr)
            m_screenCanvas->GetInnerCanvas()->RemoveAndDeleteElement(m_currentCanvas);
        m_currentCanvas = nullptr;
        m_driverPages.clear();
        return true;
    default:
        return true;
    }
}

void CalibrationMode::UpdateCalibrationValues()
{
    if (!m_reader)
        return;
    const float lowerHeight = m_rawGauge->GetHeightOfValue(m_reader->GetCalibrationLower());
    const float upperHeight = m_rawGauge->GetHeightOfValue(m_reader->GetCalibrationUpper());
    m_lowerLimitMark.setPosition(m_lowerLimitMark.getPosition().x, lowerHeight);
    m_upperLimitMark.setPosition(m_lowerLimitMark.getPosition().x, upperHeight);

    const float rawRight = m_rawGauge->GetPos().x + m_rawGauge->GetWidth();
    const sf::Vector2<float> calibratedTop = m_calibratedGauge->GetPos();
    const float calibratedHeight = m_calibratedGauge->GetHeight();
    SetLine(m_lowerMappingLine, {rawRight, lowerHeight}, {calibratedTop.x, calibratedTop.y + calibratedHeight},
            sf::Color::White);
    SetLine(m_upperMappingLine, {rawRight, upperHeight}, calibratedTop, sf::Color::White);
    m_lowerMappingLineDrawable->SetTarget(&m_lowerMappingLine);
    m_upperMappingLineDrawable->SetTarget(&m_upperMappingLine);
}

void CalibrationMode::ShowScreen(ScreenId id)
{
    for (auto& screen : m_screens)
    {
        screen.second->SetVisible(screen.first == id);
        if (screen.first == id)
            m_currentCanvas = screen.second;
    }
}

GuiCanvas* CalibrationMode::CreateCanvas()
{
    GuiCanvas* inner = m_screenCanvas->GetInnerCanvas();
    auto* canvas = new GuiCanvas(sf::Vector2<float>(0.0f, 0.0f), inner->GetWidth(), inner->GetHeight(), "");
    inner->AddElement(canvas);
    return canvas;
}

GuiCanvas* CalibrationMode::CreateCanvas(ScreenId id)
{
    GuiCanvas* canvas = CreateCanvas();
    m_screens[id] = canvas;
    return canvas;
}

GuiCanvas* CalibrationMode::GetScreen(ScreenId id) const
{
    auto found = m_screens.find(id);
    return found != m_screens.end() ? found->second : nullptr;
}

GuiKeylessButton* CalibrationMode::CreateButton(GuiCanvas* canvas, std::string text, std::string name, int slot,
                                                int width)
{
    auto* button = new GuiKeylessButton(sf::Vector2<float>(0.0f, 0.0f), width, std::move(text), std::move(name));
    const float x = static_cast<float>(static_cast<int>(canvas->GetWidth() / 2.0f - button->GetWidth() / 2.0f));
    button->MoveRelativePosition(sf::Vector2<float>(x, FIRST_SLOT_Y + SLOT_HEIGHT * static_cast<float>(slot)));
    canvas->AddElement(button);
    return button;
}

void CalibrationMode::CreateInfoField(GuiCanvas* canvas, std::string text)
{
    auto info = std::make_shared<sf::Text>(text, m_gameManager->GetContentManager().GetFont("standard"), TEXT_SIZE);
    info->setFillColor(sf::Color::Black);
    canvas->AddElement(new GuiDrawable(INFO_POSITION, info, ""));
}

GuiManager* CalibrationMode::GetGuiManager()
{
    return &m_guiManager;
}

void CalibrationMode::RebuildStartScreen()
{
    GuiCanvas* old = GetScreen(ScreenStart);
    if (old != nullptr)
    {
        // The removal waits while the canvas list is walked; hidden, the old
        // screen takes no further event meanwhile.
        old->SetVisible(false);
        m_screenCanvas->GetInnerCanvas()->RemoveAndDeleteElement(old);
    }
    GuiCanvas* start = CreateCanvas(ScreenStart);
    m_currentCanvas = start;
    CreateInfoField(start, "Choose the way you want to control the dragon\nwith.");
    CreateButton(start, "Pitch", "begin_pitch", 1, BUTTON_WIDTH);
    CreateButton(start, "Volume", "begin_volume", 2, BUTTON_WIDTH);
    CreateButton(start, "Configure Soundcard", "configure_soundcard", 3, BUTTON_WIDTH);
}

void CalibrationMode::BuildSoundOutputTypeCanvas()
{
    m_currentCanvas = CreateCanvas();
    CreateInfoField(m_currentCanvas, "Select sound output mode");
    for (const OutputTypeChoice& choice : OUTPUT_TYPE_CHOICES)
    {
        GuiKeylessButton* button = CreateButton(m_currentCanvas, choice.label, "", choice.slot, choice.width);
        button->SetLocalGuiEventHandler(GuiEventClickedButtonSoundOutputType(this, choice.value), false);
    }
}

GuiKeylessButton* CalibrationMode::CreateDriverButton(GuiCanvas* canvas, const std::string& name, int slot, int value,
                                                      bool record)
{
    const sf::Font& font = m_gameManager->GetContentManager().GetFont("standard");
    const std::string label =
        FitLabel(name, font, TEXT_SIZE, static_cast<float>(DRIVER_BUTTON_WIDTH) - 2.0f * LABEL_MARGIN);
    GuiKeylessButton* button = CreateButton(canvas, label, "", slot, DRIVER_BUTTON_WIDTH);
    if (record)
        button->SetLocalGuiEventHandler(GuiEventClickedButtonSoundRecordDriverNo(this, value), false);
    else
        button->SetLocalGuiEventHandler(GuiEventClickedButtonSoundOutputDriverNo(this, value), false);
    return button;
}

void CalibrationMode::BuildDriverCanvas(const std::vector<std::string>& names, const std::string& info, bool record)
{
    m_currentCanvas = CreateCanvas();
    CreateInfoField(m_currentCanvas, info);
    m_driverPages.clear();
    const int count = static_cast<int>(names.size());
    if (count <= 3)
    {
        // The last driver lies right above "back".
        DriverPage page{m_currentCanvas, {}, nullptr, nullptr};
        const int firstSlot = 3 - count;
        for (int i = 0; i < count; ++i)
            page.drivers.push_back(
                CreateDriverButton(m_currentCanvas, names[static_cast<std::size_t>(i)], firstSlot + i, i, record));
        m_driverPages.push_back(page);
    }
    else
    {
        // Pages of drivers, one shown at a time, each with slide buttons to its
        // neighbours, so that every button stays on the canvas.
        const int pageCount = (count + DRIVERS_PER_PAGE - 1) / DRIVERS_PER_PAGE;
        for (int page = 0; page < pageCount; ++page)
        {
            auto* canvas = new GuiCanvas(sf::Vector2<float>(0.0f, 0.0f), m_currentCanvas->GetWidth(),
                                         m_currentCanvas->GetHeight(), "");
            m_currentCanvas->AddElement(canvas);
            canvas->SetVisible(page == 0);
            m_driverPages.push_back(DriverPage{canvas, {}, nullptr, nullptr});
        }
        for (int page = 0; page < pageCount; ++page)
        {
            DriverPage& current = m_driverPages[static_cast<std::size_t>(page)];
            const int first = page * DRIVERS_PER_PAGE;
            for (int i = first; i < count && i < first + DRIVERS_PER_PAGE; ++i)
                current.drivers.push_back(CreateDriverButton(current.canvas, names[static_cast<std::size_t>(i)],
                                                             FIRST_PAGE_SLOT + i - first, i, record));
            if (page > 0)
                current.previous = CreatePageButton(current.canvas, "Previous", -1.0f,
                                                    m_driverPages[static_cast<std::size_t>(page - 1)].canvas);
            if (page + 1 < pageCount)
                current.next = CreatePageButton(current.canvas, "Next", 1.0f,
                                                m_driverPages[static_cast<std::size_t>(page + 1)].canvas);
        }
    }
    CreateButton(m_currentCanvas, "back", "back_with_aftercare", BACK_SLOT, BUTTON_WIDTH);
}

GuiKeylessButton* CalibrationMode::CreatePageButton(GuiCanvas* page, const std::string& text, float side,
                                                    GuiCanvas* target)
{
    GuiKeylessButton* button = CreateButton(page, text, "", PAGE_BUTTONS_SLOT, PAGE_BUTTON_WIDTH);
    // The two page buttons share a row, left and right of the middle.
    const float shift = side * (button->GetWidth() + PAGE_BUTTONS_GAP) / 2.0f;
    button->MoveRelativePosition(sf::Vector2<float>(static_cast<float>(static_cast<int>(shift)), 0.0f));
    // Turning the page is the canvas's own business: the mode never sees it.
    button->SetLocalGuiEventHandler(
        [page, target](GuiEvent const&) {
            page->SetVisible(false);
            target->SetVisible(true);
        },
        false);
    return button;
}

void CalibrationMode::SetDriverListersForTesting(DriverLister playback, DriverLister record)
{
    m_listPlaybackDrivers = std::move(playback);
    m_listRecordDrivers = std::move(record);
}

std::string CalibrationMode::FitLabel(const std::string& text, const sf::Font& font, unsigned size, float maxWidth)
{
    if (TextWidth(text, font, size) <= maxWidth)
        return text;
    std::size_t end = text.size();
    while (end > 0)
    {
        end = PreviousCharacterStart(text, end);
        while (end > 0 && text[end - 1] == ' ')
            --end;
        std::string candidate = text.substr(0, end) + "...";
        if (TextWidth(candidate, font, size) <= maxWidth)
            return candidate;
    }
    return "...";
}
