#pragma once

#include "support/ChildProcess.h"
#include "support/MicFeeder.h"
#include "support/ScratchFolder.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

// Xlib's types, without its macros in every test.
typedef struct _XDisplay Display;

// Drives a built game program the way a player does, under the X server and
// the sound server of tools/headless.sh: starts it in a scratch folder of its
// own, finds its window, sings into the virtual microphone, moves the pointer
// and presses keys (xdotool), reads the window's pixels and closes it as the
// window's close button would. Timeouts are safety nets, not measurements.
class GameDriver
{
public:
    static const char* const WINDOW_TITLE;
    // Half the side of a mouse-only button's square caps, from the game's
    // image; its knob rests at the start cap's centre.
    static int ButtonCapHalf();

    // The folder holds a link to the game's data/ and, unless configXml is
    // empty, a config.xml with that text. The program starts at once.
    GameDriver(std::string const& program, std::string const& configXml = "");
    ~GameDriver();
    GameDriver(GameDriver const&) = delete;
    GameDriver& operator=(GameDriver const&) = delete;

    bool HasDisplay() const;
    bool HasMicrophone() const;

    // Waits until the program's window exists and places it at the top-left
    // corner of the screen, all of it on screen; false when the program ended
    // or no window came before the timeout.
    bool WaitForWindow(double timeoutSeconds = 30.0);
    Display* GetDisplay() const;
    unsigned long GetWindow() const;

    // A sine into the virtual microphone, or silence.
    void SetTone(float hz, float amplitude = 0.5f);
    void Silence();

    // Window coordinates.
    void MovePointer(int x, int y);
    // An X key name, e.g. "Escape".
    void PressKey(std::string const& key);

    // Slides the mouse-only button whose top-left corner is at (x, y), made
    // with the width argument, as a player's hand does: rests on the knob,
    // pushes it to the end cap in steps shorter than half the knob, leaves.
    void SlideButton(int x, int y, int widthArgument);
    // Drags the vertical knob that rests at (x, y) down by the distance, then
    // leaves it sideways, so it snaps to the option it is nearest.
    void DragKnobDown(int x, int y, int distance);
    // Slides until the screen shows the slide's effect, up to three times,
    // again only while the screen the slide started from still shows: a game
    // slowed by load can see the pointer only after it has left the knob, as
    // a player's too quick hand would. Any other screen fails at once; the
    // failure says which screen shows, as named by screenName.
    testing::AssertionResult SlideUntil(std::function<void()> const& slide,
                                        std::function<bool(sf::Image const&)> const& shows,
                                        std::function<std::string(sf::Image const&)> const& screenName);

    // The window's current picture.
    sf::Image Screenshot() const;
    // Takes screenshots until the condition holds for one (true) or the
    // timeout passes (false); last receives the last screenshot taken.
    bool WaitForScreen(std::function<bool(sf::Image const&)> const& condition, double timeoutSeconds,
                       sf::Image* last = nullptr) const;
    // Waits for the given time of play, without looking.
    static void Pause(double seconds);

    // What the window manager sends when the close button is pressed.
    void RequestClose();
    // The exit code, or a negative number (see ChildProcess::Wait).
    int WaitForExit(double timeoutSeconds = 30.0);

    ScratchFolder const& Folder() const;
    bool IsRunning();
    // Standard output and standard error so far, for failure messages.
    std::string Output() const;
    std::string Stdout() const;

private:
    void PlaceAtOrigin();
    void RunTool(std::string const& command) const;

    ScratchFolder m_folder;
    Display* m_display;
    MicFeeder m_mic;
    std::unique_ptr<ChildProcess> m_game;
    unsigned long m_window;
    std::set<unsigned long> m_windowsBefore;
};

// Whether two pictures of the same size agree in every pixel of the area.
bool SameArea(sf::Image const& a, sf::Image const& b, sf::IntRect const& area);
// Number of pixels of the area within the tolerance of the colour (per channel).
int CountColour(sf::Image const& image, sf::IntRect const& area, sf::Color colour, int tolerance);
