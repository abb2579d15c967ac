#include "support/ChildProcess.h"
#include "support/GameDriver.h"

#include <gtest/gtest.h>

#include <string>

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
}

TEST(GameEntry, game_window_opens_at_1024x600_and_closes_on_the_close_event)
{
    // The game's own content, and no preferences file.
    GameDriver game(VELMORA_GAME_BINARY);
    ASSERT_TRUE(game.HasDisplay()) << "needs the headless X server";
    ASSERT_TRUE(game.WaitForWindow(START_TIMEOUT_SECONDS)) << "no window; " << game.Output();
    Display* display = game.GetDisplay();
    Window window = game.GetWindow();

    XWindowAttributes attributes;
    ASSERT_NE(XGetWindowAttributes(display, window, &attributes), 0);
    EXPECT_EQ(attributes.width, 1024);
    EXPECT_EQ(attributes.height, 600);

    // Not resizable: the size hints pin the window to its size.
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_NE(XGetWMNormalHints(display, window, &hints, &supplied), 0);
    EXPECT_TRUE((hints.flags & PMinSize) && (hints.flags & PMaxSize));
    EXPECT_EQ(hints.min_width, 1024);
    EXPECT_EQ(hints.max_width, 1024);
    EXPECT_EQ(hints.min_height, 600);
    EXPECT_EQ(hints.max_height, 600);

    game.RequestClose();
    EXPECT_EQ(game.WaitForExit(START_TIMEOUT_SECONDS), 0) << game.Output();
    EXPECT_EQ(game.Stdout().find("[Exception]"), std::string::npos) << game.Stdout();
    EXPECT_EQ(1, game.Folder().CountEntries()) << "nothing written beside data/";
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
