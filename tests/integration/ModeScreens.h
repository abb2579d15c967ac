#pragma once

// Helpers for the tests of the menu and calibration screens: the game as the
// modes need it, and a player's pointer that slides the mouse-only buttons.
#include "GuiPointer.h"

#include "gamemode/GameMode.h"
#include "gui/GuiCanvas.h"
#include "gui/GuiElement.h"
#include "gui/GuiEvent.h"
#include "gui/GuiKeylessButton.h"
#include "gui/GuiManager.h"
#include "main/LoadContent.h"
#include "manager/GameManager.h"
#include "support/ScratchFolder.h"
#include "utility/ContentNotLoadedException.h"

#include <SFML/Graphics/ConvexShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Puts the game's window at the screen's top-left corner, all of it on the
// screen, so the pointer reaches every pixel of it; the X server moves it in
// its own time.
inline void WindowAtOrigin()
{
    sf::RenderWindow& window = *GameManager::Instance()->GetRenderWindow();
    if (window.getPosition() == sf::Vector2i(0, 0))
        return;
    window.setPosition(sf::Vector2i(0, 0));
    for (int wait = 0; wait < 200 && window.getPosition() != sf::Vector2i(0, 0); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

// The game manager with an open window, its preferences loaded (the sound
// system configured and the capture running) and the start-up content, once
// per test process; a window that a test closed is opened again.
inline GameManager* GameForModes()
{
    GameManager* manager = GameWithWindow();
    if (!manager->GetRenderWindow()->isOpen())
        manager->CreateRenderWindow(sf::VideoMode(1024, 600, 32), "SFML Graphics", sf::Style::Close,
                                    sf::ContextSettings(24, 8, 0, 2, 0));
    WindowAtOrigin();
    // Other tests may have started a game manager afresh, or stopped its capture.
    bool contentLoaded = true;
    try
    {
        manager->GetContentManager().GetComposedStretchableDrawableConstructor("gui/canvas_dragon");
    }
    catch (const ContentNotLoadedException&)
    {
        contentLoaded = false;
    }
    if (!contentLoaded || !manager->GetSoundMicrophoneAnalyzer().IsRunning())
    {
        ScratchFolder folder(true);
        if (::symlink(VELMORA_SOURCE_DIR "/data", folder.File("data").c_str()) == 0)
        {
            if (!manager->GetSoundMicrophoneAnalyzer().IsRunning())
                manager->GetPreferences().Load();
            if (!contentLoaded)
                LoadContent();
        }
    }
    return manager;
}

// Where a mouse-only button of the given width argument, added at a canvas
// position, lies in the window.
struct ButtonPlace
{
    sf::Vector2<float> topLeft;
    float width;
};

// Width of a mouse-only button made with the given width argument: the caps are added.
inline float ButtonWidth(int widthArgument)
{
    ContentManager& content = GameManager::Instance()->GetContentManager();
    return static_cast<float>(content.GetTexture("gui/button_drop_start").getSize().x + widthArgument +
                              content.GetTexture("gui/button_drop_end").getSize().x);
}

// Slides a mouse-only button as a player does: the pointer rests on the knob
// at the start cap, then pushes it in small steps to the end cap; every move
// is delivered as a window event. The pointer then leaves to the top-left
// corner, away from the track's end, so the knob cannot fire twice.
inline void SlideButton(const std::function<void(const sf::Event&)>& deliver, const sf::Vector2<float>& topLeft,
                        float width)
{
    ContentManager& content = GameManager::Instance()->GetContentManager();
    const sf::Vector2u cap = content.GetTexture("gui/button_drop_start").getSize();
    const sf::Vector2u endCap = content.GetTexture("gui/button_drop_end").getSize();
    const int y = static_cast<int>(topLeft.y) + static_cast<int>(cap.y / 2);
    const int start = static_cast<int>(topLeft.x) + static_cast<int>(cap.x / 2);
    const int end = static_cast<int>(topLeft.x + width) - static_cast<int>(endCap.x) + static_cast<int>(endCap.x / 2);
    for (int x = start;; x = std::min(x + 6, end))
    {
        PointerAtPixel(x, y);
        deliver(MouseMoved());
        if (x == end)
            break;
    }
    PointerAtPixel(1, 1);
    deliver(MouseMoved());
}

inline void SlideButton(GameMode& mode, const sf::Vector2<float>& topLeft, float width)
{
    SlideButton([&mode](const sf::Event& event) { mode.HandleEvent(event); }, topLeft, width);
}

// Names of the elements whose clicks reached a GUI manager's handler.
struct ClickSpy
{
    GuiEventCallback Handler()
    {
        return [this](GuiEvent const& event) {
            if (event.type == GuiButtonClicked)
                clicked.push_back(event.source->GetName());
        };
    }
    std::vector<std::string> clicked;
};

inline sf::Event KeyPress(sf::Keyboard::Key code)
{
    sf::Event event{};
    event.type = sf::Event::KeyPressed;
    event.key.code = code;
    return event;
}

// The window place of a button that the calibration put into a slot of one of its screens.
inline sf::Vector2<float> SlotPlace(const GuiCanvas& screen, int slot, int widthArgument)
{
    const float x = std::trunc(screen.GetWidth() / 2.0f - ButtonWidth(widthArgument) / 2.0f);
    return screen.GetAbsolutePosition() + sf::Vector2<float>(x, 170.0f + 55.0f * static_cast<float>(slot));
}

// The ends of a line that the calibration draws as a quad, where the line's middle runs.
inline sf::Vector2<float> QuadStart(const sf::ConvexShape& line)
{
    return (line.getPoint(0) + line.getPoint(3)) / 2.0f + line.getPosition();
}

inline sf::Vector2<float> QuadEnd(const sf::ConvexShape& line)
{
    return (line.getPoint(1) + line.getPoint(2)) / 2.0f + line.getPosition();
}

// The analyzer's spectrum of the game: 8192 values up to half of 48000 Hz.
const int VOICE_SPECTRUM_SIZE = 8192;
const float VOICE_HZ_PER_BIN = 24000.0f / 8192.0f;

// Holds a voice of known pitch and loudness, as the game's analyzer reads it:
// the capture stops, so that no frame reads the microphone meanwhile, and the
// analyzer is given a spectrum that peaks in the bin of hz (none for 0) and a
// wave that peaks at volume. GameForModes starts the capture again.
inline void HoldVoice(float hz, float volume)
{
    SoundMicrophoneAnalyzer& analyzer = GameManager::Instance()->GetSoundMicrophoneAnalyzer();
    analyzer.Stop();
    std::vector<float> spectrum(VOICE_SPECTRUM_SIZE, 0.0f);
    std::vector<float> wave(VOICE_SPECTRUM_SIZE, 0.0f);
    spectrum[static_cast<std::size_t>(std::lround(hz / VOICE_HZ_PER_BIN))] = 1.0f;
    spectrum[0] = 0.0f;
    wave[0] = volume;
    analyzer.Evaluate(spectrum.data(), wave.data());
}

// Stores a pitch calibration of 200 to 800 Hz in the preferences, which write
// it to config.xml in the working directory; or clears the calibration.
inline void StoreReader(bool stored)
{
    GamePreferences& preferences = GameForModes()->GetPreferences();
    if (!stored)
    {
        preferences.SetSoundMicrophoneAnalyzerCalibratedReader(nullptr);
        return;
    }
    preferences.SetSoundMicrophoneAnalyzerCalibratedReader(
        preferences.CreateSoundMicrophoneAnalyzerCalibratedReader(CalibratedReaderTypePitch, 200, 800));
}

// What a GUI shows, over white, with its cursor out of the way.
inline sf::Image GuiShot(GuiManager& gui)
{
    PointerAtPixel(1020, 590);
    gui.Process();
    return Shot([&gui] { gui.Draw(); });
}

// Pixels that differ from white in the window area when a GUI is drawn over
// white with the pointer on the given window pixel.
inline int GuiInkWithPointerAt(GuiManager& gui, const sf::Vector2i& pointer, const sf::IntRect& area)
{
    PointerAtPixel(pointer.x, pointer.y);
    gui.Process();
    const sf::Image shot = Shot([&gui] { gui.Draw(); });
    int ink = 0;
    for (int y = area.top; y < area.top + area.height; ++y)
        for (int x = area.left; x < area.left + area.width; ++x)
            if (shot.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)) != sf::Color::White)
                ++ink;
    return ink;
}

// A GUI draws its cursor at the pointer: with the pointer away, a small area
// that the GUI leaves white stays white; with the pointer on it, the cursor's
// ink shows there.
inline void ExpectCursorDrawnAtPointer(GuiManager& gui, const sf::IntRect& area)
{
    EXPECT_EQ(0, GuiInkWithPointerAt(gui, sf::Vector2i(1020, 590), area));
    EXPECT_GT(GuiInkWithPointerAt(gui, sf::Vector2i(area.left, area.top), area), 30);
}

// Pixels of a mouse-only button's middle, where its label lies, that differ
// from those of a fresh button with the label at the same place: 0 when the
// shot shows a button with that label there. The middle is opaque, so what
// lies below the button does not count.
inline int LabelMismatch(const sf::Image& shot, const sf::Vector2<float>& topLeft, int widthArgument,
                         const std::string& label)
{
    GuiKeylessButton reference(topLeft, widthArgument, label, "");
    const sf::Image expected = Shot([&reference] { reference.Draw(); });
    ContentManager& content = GameManager::Instance()->GetContentManager();
    // Clear of the middle's rounded ends and its top and bottom edges.
    const int margin = 8;
    const unsigned startCap = content.GetTexture("gui/button_drop_start").getSize().x;
    const int left = static_cast<int>(topLeft.x) + static_cast<int>(startCap);
    const int top = static_cast<int>(topLeft.y);
    int mismatches = 0;
    for (int y = top + 2; y < top + static_cast<int>(reference.GetHeight()) - 2; ++y)
        for (int x = left + margin; x < left + widthArgument - margin; ++x)
            if (shot.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)) !=
                expected.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)))
                ++mismatches;
    return mismatches;
}
