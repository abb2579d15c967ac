#include "support/GameScreens.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Text.hpp>

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

namespace
{
const sf::Color DRAGON_ORANGE(214, 81, 42);
const sf::Color PANEL_CREAM(250, 240, 210);
// The info field lies 10 pixels into the screen's canvas, in the standard font at size 24.
const int INFO_LEFT = GameScreens::SCREEN_INNER_X + 10;
const int INFO_TOP = GameScreens::INNER_Y + 10;
const sf::IntRect INFO_LINE(GameScreens::SCREEN_INNER_X, INFO_TOP, GameScreens::INNER_WIDTH, 30);
const unsigned INFO_SIZE = 24;
// Ink a glyph's edge may or may not show, and ink that must show.
const int FAINT_INK = 100;
const int SOLID_INK = 200;
// Of the pixels that must show, the share that may be missed or added (a
// slightly other rasterisation); another line of text misses far more.
const double INFO_MISMATCH_ALLOWED = 0.05;
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

// Coverage of the first info line's glyphs over INFO_LINE, 0 to 255, as the
// game's text draws them: each glyph's picture from the font's texture at
// the glyph's place on the line's baseline.
const std::vector<int>& InfoLineInk(std::string const& firstLine)
{
    static std::map<std::string, std::vector<int>> known;
    auto found = known.find(firstLine);
    if (found != known.end())
        return found->second;
    const sf::Font& font = StandardFont();
    const sf::Text text(firstLine, font, INFO_SIZE);
    std::vector<int> ink(static_cast<std::size_t>(INFO_LINE.width * INFO_LINE.height), 0);
    std::vector<std::pair<sf::Glyph, sf::Vector2f>> placed;
    for (std::size_t i = 0; i < firstLine.size(); ++i)
        placed.emplace_back(font.getGlyph(static_cast<sf::Uint8>(firstLine[i]), INFO_SIZE, false),
                            text.findCharacterPos(i));
    // Read once all glyphs are in the texture: a new one may grow it.
    const sf::Image glyphs = font.getTexture(INFO_SIZE).copyToImage();
    for (auto const& [glyph, at] : placed)
    {
        const int left = INFO_LEFT - INFO_LINE.left + static_cast<int>(std::lround(at.x + glyph.bounds.left));
        const int top = INFO_TOP - INFO_LINE.top + static_cast<int>(INFO_SIZE) +
                        static_cast<int>(std::lround(glyph.bounds.top));
        for (int v = 0; v < glyph.textureRect.height; ++v)
            for (int u = 0; u < glyph.textureRect.width; ++u)
            {
                const int x = left + u;
                const int y = top + v;
                if (x < 0 || y < 0 || x >= INFO_LINE.width || y >= INFO_LINE.height)
                    continue;
                const sf::Color texel = glyphs.getPixel(static_cast<unsigned>(glyph.textureRect.left + u),
                                                        static_cast<unsigned>(glyph.textureRect.top + v));
                int& cell = ink[static_cast<std::size_t>(y * INFO_LINE.width + x)];
                cell = std::max(cell, static_cast<int>(texel.a));
            }
    }
    return known[firstLine] = std::move(ink);
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
    const testing::AssertionResult set = GameScreens::SlideCalibrationSlotUntil(game, SET_IT_SLOT, 200, nextInfo);
    if (!set)
        return std::string("\"Set it\" did not lead to \"") + nextInfo + "\": " + set.message();
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
    return canvasX + (INNER_WIDTH - (widthArgument + 4 * GameDriver::ButtonCapHalf())) / 2;
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

InfoLineMatch MatchInfoLine(sf::Image const& shot, std::string const& firstLine)
{
    const std::vector<int>& ink = InfoLineInk(firstLine);
    auto dark = [&shot](int x, int y) {
        return CountColour(shot, sf::IntRect(INFO_LINE.left + x, INFO_LINE.top + y, 1, 1), sf::Color::Black,
                           DARK_TOLERANCE) == 1;
    };
    InfoLineMatch best;
    best.mismatched = -1;
    // The text may lie a pixel off as a whole; its pixels then all move alike.
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
        {
            InfoLineMatch match;
            for (int y = 1; y < INFO_LINE.height - 1; ++y)
                for (int x = 1; x < INFO_LINE.width - 1; ++x)
                {
                    const int level = ink[static_cast<std::size_t>(y * INFO_LINE.width + x)];
                    if (level >= SOLID_INK)
                        ++match.solid;
                    if ((level >= SOLID_INK && !dark(x + dx, y + dy)) || (level < FAINT_INK && dark(x + dx, y + dy)))
                        ++match.mismatched;
                }
            if (best.mismatched < 0 || match.mismatched < best.mismatched)
                best = match;
        }
    return best;
}

bool ShowsInfoLine(sf::Image const& shot, std::string const& firstLine)
{
    if (shot.getSize().x == 0 || !IsCalibrationScreen(shot))
        return false;
    const InfoLineMatch match = MatchInfoLine(shot, firstLine);
    return match.solid > 0 && match.mismatched <= static_cast<int>(match.solid * INFO_MISMATCH_ALLOWED);
}

sf::Image CalibrationScreenWithInfoLine(std::string const& firstLine, sf::Vector2i offset)
{
    sf::Image shot;
    shot.create(1024, 600, sf::Color::Black);
    for (unsigned y = 110; y < 470; ++y)
        for (unsigned x = 60; x < 530; ++x)
            shot.setPixel(x, y, PANEL_CREAM);
    const std::vector<int>& ink = InfoLineInk(firstLine);
    for (int y = 0; y < INFO_LINE.height; ++y)
        for (int x = 0; x < INFO_LINE.width; ++x)
        {
            // Black text over the panel's cream.
            const int a = ink[static_cast<std::size_t>(y * INFO_LINE.width + x)];
            auto mix = [a](sf::Uint8 c) { return static_cast<sf::Uint8>(c * (255 - a) / 255); };
            shot.setPixel(static_cast<unsigned>(INFO_LINE.left + offset.x + x),
                          static_cast<unsigned>(INFO_LINE.top + offset.y + y),
                          sf::Color(mix(PANEL_CREAM.r), mix(PANEL_CREAM.g), mix(PANEL_CREAM.b)));
        }
    return shot;
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
    if (failure.empty())
    {
        const testing::AssertionResult finished =
            SlideUntil(game, [&game] { SlideCalibrationSlot(game, FINISH_SLOT); }, IsMenuScreen);
        if (!finished)
            failure = std::string("\"Finish\" did not lead to the menu: ") + finished.message();
    }
    return failure;
}

void SlideCalibrationSlot(GameDriver& game, int slot, int widthArgument)
{
    game.SlideButton(CentredButtonX(SCREEN_INNER_X, widthArgument), SlotY(slot), widthArgument);
}

testing::AssertionResult SlideCalibrationSlotUntil(GameDriver& game, int slot, int widthArgument,
                                                   std::string const& nextInfo)
{
    return SlideUntil(game, [&] { SlideCalibrationSlot(game, slot, widthArgument); }, InfoLineShown(nextInfo));
}

std::string ScreenShown(sf::Image const& shot)
{
    if (IsMenuScreen(shot))
        return "the menu";
    if (IsCalibrationScreen(shot))
    {
        for (const char* line : INFO_LINES)
            if (ShowsInfoLine(shot, line))
                return std::string("the calibration screen \"") + line + "\"";
        return "a calibration screen with an info line not known";
    }
    if (IsPlayScreen(shot))
        return "the play screen";
    return "a screen not known";
}

testing::AssertionResult SlideUntil(GameDriver& game, std::function<void()> const& slide,
                                    std::function<bool(sf::Image const&)> const& shows)
{
    return game.SlideUntil(slide, shows, ScreenShown);
}

void ChooseSteering(GameDriver& game, int options)
{
    const int x = MENU_INNER_X + (INNER_WIDTH - (200 + 2 * GameDriver::ButtonCapHalf())) / 2 + GameDriver::ButtonCapHalf();
    game.DragKnobDown(x, INNER_Y + 120 + GameDriver::ButtonCapHalf(), options * 45);
}

void StartGame(GameDriver& game)
{
    game.SlideButton(CentredButtonX(MENU_INNER_X, 200), INNER_Y, 200);
}
}
