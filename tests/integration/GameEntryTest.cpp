#include "support/ChildProcess.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace
{
constexpr double START_TIMEOUT_SECONDS = 30.0;

std::string GameDirectory()
{
    std::string binary = VELMORA_GAME_BINARY;
    return binary.substr(0, binary.find_last_of('/'));
}

Window FindWindowNamed(Display* display, Window parent, std::string const& name)
{
    char* title = nullptr;
    if (XFetchName(display, parent, &title) != 0 && title != nullptr)
    {
        bool match = name == title;
        XFree(title);
        if (match)
            return parent;
    }
    Window root;
    Window up;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display, parent, &root, &up, &children, &count) != 0)
    {
        for (unsigned int i = 0; i < count && found == 0; ++i)
            found = FindWindowNamed(display, children[i], name);
        if (children != nullptr)
            XFree(children);
    }
    return found;
}

// What a window manager sends when the close button is pressed.
void RequestClose(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

class Connection
{
public:
    Connection() : display(XOpenDisplay(nullptr)) {}
    ~Connection()
    {
        if (display != nullptr)
            XCloseDisplay(display);
    }
    Display* display;
};
}

TEST(GameEntry, game_window_opens_at_1024x600_and_closes_on_the_close_event)
{
    Connection x;
    ASSERT_NE(x.display, nullptr) << "needs the headless X server";
    // The game's own content, and no preferences file.
    ScratchFolder folder;
    ASSERT_EQ(0, ::symlink(VELMORA_SOURCE_DIR "/data", folder.File("data").c_str()));
    ChildProcess game(VELMORA_GAME_BINARY, folder.Path());

    Window window = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(START_TIMEOUT_SECONDS);
    while (window == 0 && game.IsRunning() && std::chrono::steady_clock::now() < deadline)
    {
        window = FindWindowNamed(x.display, DefaultRootWindow(x.display), "SFML Graphics");
        if (window == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_NE(window, 0u) << "no window; stdout:\n" << game.Stdout() << "\nstderr:\n" << game.Stderr();

    XWindowAttributes attributes;
    ASSERT_NE(XGetWindowAttributes(x.display, window, &attributes), 0);
    EXPECT_EQ(attributes.width, 1024);
    EXPECT_EQ(attributes.height, 600);

    // Not resizable: the size hints pin the window to its size.
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_NE(XGetWMNormalHints(x.display, window, &hints, &supplied), 0);
    EXPECT_TRUE((hints.flags & PMinSize) && (hints.flags & PMaxSize));
    EXPECT_EQ(hints.min_width, 1024);
    EXPECT_EQ(hints.max_width, 1024);
    EXPECT_EQ(hints.min_height, 600);
    EXPECT_EQ(hints.max_height, 600);

    RequestClose(x.display, window);
    EXPECT_EQ(game.Wait(START_TIMEOUT_SECONDS), 0) << game.Stderr();
    EXPECT_EQ(game.Stdout().find("[Exception]"), std::string::npos) << game.Stdout();
    EXPECT_EQ(1, folder.CountEntries()) << "nothing written beside data/";
}

TEST(GameEntry, escaping_exception_is_reported_on_standard_output_and_exits_with_0)
{
    ChildProcess entry(VELMORA_THROWING_ENTRY_BINARY, GameDirectory());
    ASSERT_EQ(entry.Wait(START_TIMEOUT_SECONDS), 0) << entry.Stderr();
    std::string report = entry.Stdout();
    EXPECT_EQ(report.rfind("[Exception]\n", 0), 0u) << report;
    for (char const* part : {"GameModeManager.cpp", "GameModeManager::GetParentMode", "ExceptionBase", "tag_message",
                             "No parent mode exists"})
        EXPECT_NE(report.find(part), std::string::npos) << part << " missing from:\n" << report;
    // Boost's text ends its own last line; the report adds no line end after it.
    ASSERT_GE(report.size(), 2u);
    EXPECT_NE(report.substr(report.size() - 2), "\n\n") << report;
}
