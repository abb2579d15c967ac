#include "support/GameDriver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <set>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace
{
const std::chrono::milliseconds POLL_INTERVAL(50);
const int SLIDE_ATTEMPTS = 3;
// A tool that hangs (a stuck X server) fails its command instead of the test's run.
const int TOOL_SECONDS = 10;
const double SLIDE_EFFECT_SECONDS = 8.0;

// Every window below the parent that bears the name.
void FindWindowsNamed(Display* display, Window parent, std::string const& name, std::set<unsigned long>& found)
{
    char* title = nullptr;
    if (XFetchName(display, parent, &title) != 0 && title != nullptr)
    {
        if (name == title)
            found.insert(parent);
        XFree(title);
    }
    Window root;
    Window up;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, parent, &root, &up, &children, &count) != 0)
    {
        for (unsigned int i = 0; i < count; ++i)
            FindWindowsNamed(display, children[i], name, found);
        if (children != nullptr)
            XFree(children);
    }
}

std::set<unsigned long> WindowsNamed(Display* display, std::string const& name)
{
    std::set<unsigned long> found;
    if (display != nullptr)
        FindWindowsNamed(display, DefaultRootWindow(display), name, found);
    return found;
}

// Position of a colour channel within a pixel value, from its mask.
int Shift(unsigned long mask)
{
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0)
    {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// A game that ends takes its window with it while the driver may still be
// looking at it; Xlib's own handler would then end the test process. The
// handler is the process's: it is set while any driver lives.
int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}

int g_drivers = 0;
XErrorHandler g_previousXErrorHandler = nullptr;

void IgnoreXErrorsWhileDriving()
{
    if (g_drivers++ == 0)
        g_previousXErrorHandler = XSetErrorHandler(IgnoreXError);
}

void StopIgnoringXErrors()
{
    if (--g_drivers == 0)
        XSetErrorHandler(g_previousXErrorHandler);
}

bool Viewable(Display* display, Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable;
}
}

const char* const GameDriver::WINDOW_TITLE = "SFML Graphics";

int GameDriver::ButtonCapHalf()
{
    static const int half = [] {
        sf::Image cap;
        if (!cap.loadFromFile(VELMORA_SOURCE_DIR "/data/images/gui/button_drop_start.png"))
            throw std::runtime_error("cannot read the button's cap image");
        return static_cast<int>(cap.getSize().x / 2);
    }();
    return half;
}

GameDriver::GameDriver(std::string const& program, std::string const& configXml)
    : m_folder(), m_display(XOpenDisplay(nullptr)), m_mic(), m_game(), m_window(0)
{
    IgnoreXErrorsWhileDriving();
    // The test process's own windows bear the same title; only a new one is the game's.
    m_windowsBefore = WindowsNamed(m_display, WINDOW_TITLE);
    if (::symlink(VELMORA_SOURCE_DIR "/data", m_folder.File("data").c_str()) != 0)
        throw std::runtime_error("cannot link data/ into the scratch folder");
    if (!configXml.empty())
        m_folder.Write("config.xml", configXml);
    m_game = std::make_unique<ChildProcess>(program, m_folder.Path());
}

GameDriver::~GameDriver()
{
    if (m_game && m_game->IsRunning() && m_window != 0)
    {
        RequestClose();
        m_game->Wait(10.0);
    }
    // A game still running is killed by its ChildProcess.
    m_game.reset();
    if (m_display != nullptr)
        XCloseDisplay(m_display);
    StopIgnoringXErrors();
}

bool GameDriver::HasDisplay() const
{
    return m_display != nullptr;
}

bool GameDriver::HasMicrophone() const
{
    return m_mic.IsOpen();
}

bool GameDriver::WaitForWindow(double timeoutSeconds)
{
    if (m_display == nullptr)
        return false;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (m_game->IsRunning() && std::chrono::steady_clock::now() < deadline)
    {
        for (unsigned long found : WindowsNamed(m_display, WINDOW_TITLE))
        {
            if (m_windowsBefore.count(found) != 0 || !Viewable(m_display, found))
                continue;
            m_window = found;
            PlaceAtOrigin();
            return true;
        }
        std::this_thread::sleep_for(POLL_INTERVAL);
    }
    return false;
}

void GameDriver::PlaceAtOrigin()
{
    // The library centres its window on a screen size of its own, which can put
    // part of it off the headless screen; no window manager moves it back.
    XMoveWindow(m_display, m_window, 0, 0);
    XSync(m_display, False);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline)
    {
        int left = -1;
        int top = -1;
        Window child;
        XTranslateCoordinates(m_display, m_window, DefaultRootWindow(m_display), 0, 0, &left, &top, &child);
        if (left == 0 && top == 0)
            return;
        std::this_thread::sleep_for(POLL_INTERVAL);
    }
}

Display* GameDriver::GetDisplay() const
{
    return m_display;
}

unsigned long GameDriver::GetWindow() const
{
    return m_window;
}

void GameDriver::SetTone(float hz, float amplitude)
{
    m_mic.SetTone(hz, amplitude);
}

void GameDriver::Silence()
{
    m_mic.SetTone(0.0f, 0.0f);
}

void GameDriver::MovePointer(int x, int y)
{
    std::ostringstream command;
    command << "timeout " << TOOL_SECONDS << " xdotool mousemove --window " << m_window << ' ' << x << ' ' << y;
    RunTool(command.str());
}

void GameDriver::PressKey(std::string const& key)
{
    for (char c : key)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            throw std::invalid_argument("not a key name: " + key);
    std::ostringstream command;
    command << "timeout " << TOOL_SECONDS << " xdotool key --window " << m_window << ' ' << key;
    RunTool(command.str());
}

void GameDriver::SlideButton(int x, int y, int widthArgument)
{
    const int capHalf = ButtonCapHalf();
    const int knobY = y + capHalf;
    const int start = x + capHalf;
    const int end = x + widthArgument + 3 * capHalf;
    // Twice onto the knob, so that a move the game has not yet taken still
    // leaves the pointer resting on it.
    MovePointer(start, knobY);
    Pause(0.3);
    MovePointer(start + 1, knobY);
    Pause(0.3);
    for (int px = start + 1; px < end;)
    {
        px = std::min(px + 10, end);
        MovePointer(px, knobY);
        Pause(0.03);
    }
    Pause(0.2);
    MovePointer(1, 1);
    Pause(0.2);
}

void GameDriver::DragKnobDown(int x, int y, int distance)
{
    MovePointer(x, y);
    Pause(0.2);
    MovePointer(x, y + 1);
    Pause(0.2);
    for (int moved = 1; moved < distance; moved += 9)
    {
        y += 9;
        MovePointer(x, y);
        Pause(0.03);
    }
    Pause(0.2);
    MovePointer(x + 60, y);
    Pause(0.2);
}

testing::AssertionResult GameDriver::SlideUntil(std::function<void()> const& slide,
                                                std::function<bool(sf::Image const&)> const& shows,
                                                std::function<std::string(sf::Image const&)> const& screenName)
{
    const sf::Image before = Screenshot();
    if (before.getSize().x == 0)
        return testing::AssertionFailure() << "no picture of the window before the slide";
    const std::string from = screenName(before);
    for (int attempt = 0; attempt < SLIDE_ATTEMPTS; ++attempt)
    {
        slide();
        if (WaitForScreen(shows, SLIDE_EFFECT_SECONDS))
            return testing::AssertionSuccess();
        // A late effect, after the last look, must not be slid again.
        const sf::Image now = Screenshot();
        if (now.getSize().x > 0 && shows(now))
            return testing::AssertionSuccess();
        const std::string shown = now.getSize().x > 0 ? screenName(now) : "no picture";
        // Sliding on would work a button of whatever screen now shows.
        if (shown != from)
            return testing::AssertionFailure() << "the slide from " << from << " led to " << shown;
    }
    return testing::AssertionFailure() << "after " << SLIDE_ATTEMPTS << " slides " << from << " still shows";
}

void GameDriver::RunTool(std::string const& command) const
{
    if (m_window == 0)
        throw std::logic_error("no window yet: " + command);
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("failed: " + command);
}

sf::Image GameDriver::Screenshot() const
{
    sf::Image picture;
    XWindowAttributes attributes;
    if (m_window == 0 || XGetWindowAttributes(m_display, m_window, &attributes) == 0)
        return picture;
    // Read from the root window: a GL window's own visual may refuse XGetImage.
    Window root = DefaultRootWindow(m_display);
    int left = 0;
    int top = 0;
    Window child;
    XTranslateCoordinates(m_display, m_window, root, 0, 0, &left, &top, &child);
    XImage* image = XGetImage(m_display, root, left, top, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr)
        return picture;
    const int red = Shift(image->red_mask);
    const int green = Shift(image->green_mask);
    const int blue = Shift(image->blue_mask);
    picture.create(static_cast<unsigned>(attributes.width), static_cast<unsigned>(attributes.height));
    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x)
        {
            const unsigned long pixel = XGetPixel(image, x, y);
            picture.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y),
                             sf::Color(static_cast<sf::Uint8>((pixel & image->red_mask) >> red),
                                       static_cast<sf::Uint8>((pixel & image->green_mask) >> green),
                                       static_cast<sf::Uint8>((pixel & image->blue_mask) >> blue)));
        }
    XDestroyImage(image);
    return picture;
}

bool GameDriver::WaitForScreen(std::function<bool(sf::Image const&)> const& condition, double timeoutSeconds,
                               sf::Image* last) const
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    for (;;)
    {
        sf::Image shot = Screenshot();
        const bool met = shot.getSize().x > 0 && condition(shot);
        if (last != nullptr)
            *last = shot;
        if (met)
            return true;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(POLL_INTERVAL);
    }
}

void GameDriver::Pause(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

void GameDriver::RequestClose()
{
    if (m_window == 0)
        return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = m_window;
    event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, m_window, False, NoEventMask, &event);
    XFlush(m_display);
}

int GameDriver::WaitForExit(double timeoutSeconds)
{
    return m_game->Wait(timeoutSeconds);
}

ScratchFolder const& GameDriver::Folder() const
{
    return m_folder;
}

bool GameDriver::IsRunning()
{
    return m_game->IsRunning();
}

std::string GameDriver::Output() const
{
    return "stdout:\n" + m_game->Stdout() + "\nstderr:\n" + m_game->Stderr();
}

std::string GameDriver::Stdout() const
{
    return m_game->Stdout();
}

bool SameArea(sf::Image const& a, sf::Image const& b, sf::IntRect const& area)
{
    if (a.getSize() != b.getSize())
        return false;
    for (int y = area.top; y < area.top + area.height; ++y)
        for (int x = area.left; x < area.left + area.width; ++x)
            if (a.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y))
                != b.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)))
                return false;
    return true;
}

int CountColour(sf::Image const& image, sf::IntRect const& area, sf::Color colour, int tolerance)
{
    int count = 0;
    for (int y = area.top; y < area.top + area.height; ++y)
        for (int x = area.left; x < area.left + area.width; ++x)
        {
            const sf::Color pixel = image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
            if (std::abs(pixel.r - colour.r) <= tolerance && std::abs(pixel.g - colour.g) <= tolerance
                && std::abs(pixel.b - colour.b) <= tolerance)
                ++count;
        }
    return count;
}
