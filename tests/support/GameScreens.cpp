#include "support/GameScreens.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cmath>
#include <stdexcept>

namespace
{
const int CAP_HALF = GameDriver::BUTTON_CAP_HALF;
const sf::Color DRAGON_ORANGE(214, 81, 42);
const sf::Color PANEL_CREAM(250, 240, 210);
// The info field lies 10 pixels into the screen's canvas, in the standard font at size 24.
const int INFO_LEFT = GameScreens::SCREEN_INNER_X + 10;
const sf::IntRect INFO_LINE(GameScreens::SCREEN_INNER_X, GameScreens::INNER_Y + 10, GameScreens::INNER_WIDTH, 30);
const unsigned INFO_SIZE = 24;
const int INFO_END_TOLERANCE = 3;
const int DARK_TOLERANCE = 90;
// The raw gauge: 100 by 400 pixels at the gauge panel's inner canvas; its
// marker is a black line across it, three pixels thick. Read inside its sides.
const sf::IntRect RAW_GAUGE(614, 144, 100, 400);
const int MARKER_READ_MARGIN = 6;
const int MARKER_SPAN = 3;
const double TONE_HELD_SECONDS = 15.0;
const double STILL_HELD_SECONDS = 0.3;
const int SET_IT_SLOT = 2;
const int FINISH_SLOT = 1;

const sf::Font& StandardFont()
{
    static sf::Font font;
    static bool loaded = false;
    if (!loaded && !font.loadFromFile(VELMORA_SOURCE_DIR "/data/fonts/Loyal.ttf"))
        throw std::runtime_error("cannot load the standard font");
    loaded = true;
    return font;
}

// The rightmost column of the area that holds a dark pixel; -1 for none.
int LastDarkColumn(sf::Image const& shot, sf::IntRect const& area)
{
    for (int x = area.left + area.width - 1; x >= area.left; --x)
        if (CountColour(shot, sf::IntRect(x, area.top, 1, area.height), sf::Color::Black, DARK_TOLERANCE) > 0)
            return x;
    return -1;
}

// The middle height of the topmost black line across the raw gauge, below
// the gauge's own top edge; -1 for none. The gauge's bottom edge is black too:
// the marker of a silent voice lies over it.
float RawMarkerY(sf::Image const& shot)
{
    const int width = RAW_GAUGE.width - 2 * MARKER_READ_MARGIN;
    int first = -1;
    int last = -1;
    for (int y = RAW_GAUGE.top; y <= RAW_GAUGE.top + RAW_GAUGE.height + MARKER_SPAN; ++y)
    {
        const sf::IntRect row(RAW_GAUGE.left + MARKER_READ_MARGIN, y, width, 1);
        const bool crossed = CountColour(shot, row, sf::Color::Black, DARK_TOLERANCE) > width * 3 / 4;
        if (crossed && first < 0)
            first = y;
        if (crossed)
            last = y;
        if (!crossed && first >= 0)
            break;
    }
    return first < 0 ? -1.0f : static_cast<float>(first + last) / 2.0f;
}

// Holds the tone until the gauge shows it, and a moment more, then slides
// "Set it" until the screen with the info follows.
std::string SetLimitByVoice(GameDriver& game, GameScreens::VoiceTone const& tone, const char* nextInfo)
{
    game.SetTone(tone.hz, tone.amplitude);
    auto heard = [&tone](sf::Image const& shot) {
        return GameScreens::ShowsRawValue(shot, tone.gaugeShare, tone.tolerancePixels);
    };
    sf::Image last;
    if (!game.WaitForScreen(heard, TONE_HELD_SECONDS, &last))
        return "the gauge did not show " + std::to_string(tone.hz) + " Hz; its marker at " +
               std::to_string(RawMarkerY(last));
    GameDriver::Pause(STILL_HELD_SECONDS);
    if (!GameScreens::SlideCalibrationSlotUntil(game, SET_IT_SLOT, 200, nextInfo))
        return std::string("\"Set it\" did not lead to \"") + nextInfo + "\"";
    return "";
}
}

namespace GameScreens
{
int SlotY(int slot)
{
    return INNER_Y + 170 + 55 * slot;
}

int CentredButtonX(int canvasX, int widthArgument)
{
    return canvasX + (INNER_WIDTH - (widthArgument + 4 * CAP_HALF)) / 2;
}

bool IsCalibrationScreen(sf::Image const& shot)
{
    // Black left of the screen panel and below the title.
    return CountColour(shot, sf::IntRect(0, 120, 40, 460), sf::Color::Black, 8) == 40 * 460;
}

bool ShowsGauges(sf::Image const& shot)
{
    return CountColour(shot, sf::IntRect(620, 160, 80, 300), sf::Color::Blue, 8) > 100 * 40;
}

bool IsMenuScreen(sf::Image const& shot)
{
    // The menu picture left of the panel, and the panel's cream inside it, which the play screen lacks.
    return CountColour(shot, sf::IntRect(0, 120, 40, 460), sf::Color::Black, 8) == 0 &&
           CountColour(shot, sf::IntRect(320, 420, 40, 20), PANEL_CREAM, 30) > 700;
}

float DragonY(sf::Image const& shot)
{
    int count = 0;
    long sum = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 200; ++x)
            if (CountColour(shot, sf::IntRect(x, y, 1, 1), DRAGON_ORANGE, 20) == 1)
            {
                ++count;
                sum += y;
            }
    return count < 30 ? -1.0f : static_cast<float>(sum) / static_cast<float>(count);
}

bool IsPlayScreen(sf::Image const& shot)
{
    return !IsMenuScreen(shot) && !IsCalibrationScreen(shot) && DragonY(shot) >= 0.0f;
}

bool ShowsInfoLine(sf::Image const& shot, std::string const& firstLine)
{
    if (!IsCalibrationScreen(shot))
        return false;
    const sf::FloatRect bounds = sf::Text(firstLine, StandardFont(), INFO_SIZE).getLocalBounds();
    const int end = INFO_LEFT + static_cast<int>(bounds.left + bounds.width);
    const int seen = LastDarkColumn(shot, INFO_LINE);
    return seen >= end - INFO_END_TOLERANCE && seen <= end + INFO_END_TOLERANCE;
}

bool ShowsRawValue(sf::Image const& shot, float share, float tolerancePixels)
{
    const float expected = static_cast<float>(RAW_GAUGE.top) + static_cast<float>(RAW_GAUGE.height) * (1.0f - share);
    const float seen = RawMarkerY(shot);
    return seen >= 0.0f && std::fabs(seen - expected) <= tolerancePixels;
}

std::function<bool(sf::Image const&)> InfoLineShown(std::string const& firstLine)
{
    return [firstLine](sf::Image const& shot) { return ShowsInfoLine(shot, firstLine); };
}

std::string CalibrateByVoice(GameDriver& game, VoiceTone const& low, VoiceTone const& high)
{
    sf::Image shot = game.Screenshot();
    const bool volume = ShowsInfoLine(shot, VOLUME_LOWER_INFO);
    if (!volume && !ShowsInfoLine(shot, PITCH_LOWER_INFO))
        return "not on a lower-limit screen";
    std::string failure = SetLimitByVoice(game, low, volume ? VOLUME_UPPER_INFO : PITCH_UPPER_INFO);
    if (failure.empty())
        failure = SetLimitByVoice(game, high, FINISHED_INFO);
    game.Silence();
    if (failure.empty() && !game.SlideUntil([&game] { SlideCalibrationSlot(game, FINISH_SLOT); }, IsMenuScreen))
        failure = "\"Finish\" did not lead to the menu";
    return failure;
}

void SlideCalibrationSlot(GameDriver& game, int slot, int widthArgument)
{
    game.SlideButton(CentredButtonX(SCREEN_INNER_X, widthArgument), SlotY(slot), widthArgument);
}

bool SlideCalibrationSlotUntil(GameDriver& game, int slot, int widthArgument, std::string const& nextInfo)
{
    return game.SlideUntil([&] { SlideCalibrationSlot(game, slot, widthArgument); }, InfoLineShown(nextInfo));
}

void ChooseSteering(GameDriver& game, int options)
{
    const int x = MENU_INNER_X + (INNER_WIDTH - (200 + 2 * CAP_HALF)) / 2 + CAP_HALF;
    game.DragKnobDown(x, INNER_Y + 120 + CAP_HALF, options * 45);
}

void StartGame(GameDriver& game)
{
    game.SlideButton(CentredButtonX(MENU_INNER_X, 200), INNER_Y, 200);
}
}
