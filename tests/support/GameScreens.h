#pragma once

#include "support/GameDriver.h"

#include <SFML/Graphics/Image.hpp>

#include <functional>
#include <string>

// The screens of the built game as a player sees them on the 1024x600 window,
// and the player's moves on them, for the end-to-end tests. The layout is the
// modes' with the game's content: the calibration's screen panel at (50, 100)
// with its inner canvas 48 right and 44 down, 406 wide; the gauge panel's
// inner canvas at (614, 144); the menu's inner canvas at (304, 144), 406 wide.
// A button made with width w is w + 88 wide.
namespace GameScreens
{
const int SCREEN_INNER_X = 98;
const int INNER_Y = 144;
const int INNER_WIDTH = 406;
const int MENU_INNER_X = 304;
const int DRIVER_BUTTON_WIDTH = 350;
const int WIDE_OUTPUT_BUTTON_WIDTH = 305;

// The first lines of the calibration screens' info fields.
const char* const PITCH_LOWER_INFO = "Make lower limit sound.";
const char* const PITCH_UPPER_INFO = "Make upper limit sound.";
const char* const VOLUME_LOWER_INFO = "Make no sound do determine the lower limit.";
const char* const VOLUME_UPPER_INFO = "Be as loud as you want to be in the game to";
const char* const FINISHED_INFO = "Calibration finished.";
const char* const START_INFO = "Choose the way you want to control the dragon";
const char* const OUTPUT_TYPE_INFO = "Select sound output mode";
const char* const PLAYBACK_INFO = "Select playback driver";
const char* const RECORD_INFO = "Select record driver";
const char* const INFO_LINES[] = {PITCH_LOWER_INFO, PITCH_UPPER_INFO, VOLUME_LOWER_INFO, VOLUME_UPPER_INFO,
                                  FINISHED_INFO,    START_INFO,       OUTPUT_TYPE_INFO,  PLAYBACK_INFO,
                                  RECORD_INFO};

int SlotY(int slot);
int CentredButtonX(int canvasX, int widthArgument);

bool IsCalibrationScreen(sf::Image const& shot);
bool ShowsGauges(sf::Image const& shot);
bool IsMenuScreen(sf::Image const& shot);
bool IsPlayScreen(sf::Image const& shot);
// The mean height of the dragon's orange near the left edge; -1 when too little is seen.
float DragonY(sf::Image const& shot);
// How a shot's first info line compares with a text as the game draws it:
// the pixels the text must darken, and how many of those the shot leaves
// light or the shot darkens where the text has none, with the whole text
// allowed one pixel off.
struct InfoLineMatch
{
    int solid = 0;
    int mismatched = 0;
};
InfoLineMatch MatchInfoLine(sf::Image const& shot, std::string const& firstLine);
// The calibration screen panel's first info line is the text's, within a
// small share of mismatched pixels.
bool ShowsInfoLine(sf::Image const& shot, std::string const& firstLine);
std::function<bool(sf::Image const&)> InfoLineShown(std::string const& firstLine);
// A calibration screen's picture that shows only the line, drawn as the game
// draws it and moved by the offset, for checking the measures above.
sf::Image CalibrationScreenWithInfoLine(std::string const& firstLine, sf::Vector2i offset = {0, 0});

// The raw gauge's marker shows the share of the gauge's range (0 at its
// bottom, 1 at its top), within the tolerance in pixels.
bool ShowsRawValue(sf::Image const& shot, float share, float tolerancePixels);

// A sound to calibrate with, and where the raw gauge then shows it.
struct VoiceTone
{
    float hz;
    float amplitude;
    float gaugeShare;
    float tolerancePixels;
};

// On a lower-limit screen of a calibration begun: holds each tone until the
// raw gauge shows it and sets the limit with it, then finishes, until the menu
// shows. An empty text when it went so, else what did not happen.
std::string CalibrateByVoice(GameDriver& game, VoiceTone const& low, VoiceTone const& high);

// The button in a slot of the calibration screen panel.
void SlideCalibrationSlot(GameDriver& game, int slot, int widthArgument = 200);
// Slides it until the screen whose info field begins with the line follows.
testing::AssertionResult SlideCalibrationSlotUntil(GameDriver& game, int slot, int widthArgument,
                                                   std::string const& nextInfo);
// The screen a shot shows, as a player would name it.
std::string ScreenShown(sf::Image const& shot);
// The game's SlideUntil, with the screens named so.
testing::AssertionResult SlideUntil(GameDriver& game, std::function<void()> const& slide,
                                    std::function<bool(sf::Image const&)> const& shows);
// Drags the menu's steering-mode knob from the first option down by options.
void ChooseSteering(GameDriver& game, int options);
void StartGame(GameDriver& game);
}
