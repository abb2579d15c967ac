#include "manager/GameManager.h"
#include "manager/GameModeManager.h"
#include "support/EventQueue.h"
#include "support/RecordingMode.h"
#include "support/ThrownRecord.h"
#include "utility/ExceptionBase.h"

#include <boost/ptr_container/exception.hpp>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
typedef std::vector<std::string> Log;

struct SwitchCase
{
    char const* name;
    // Installs the behaviour of the current mode A.
    std::function<void(RecordingMode& a, Log& log)> arrange;
    Log firstFrame;
    Log secondFrame;
};

void PrintTo(SwitchCase const& c, std::ostream* out)
{
    *out << c.name;
}

GameManager* Manager()
{
    return GameManager::Instance();
}

class ModeSwitchTimeline : public testing::TestWithParam<SwitchCase>
{
protected:
    void SetUp() override { GameManager::ResetForTesting(); }
    void TearDown() override { GameManager::ResetForTesting(); }

    // Two events per frame, as from the window.
    Log RunFrameWithTwoEvents()
    {
        log.clear();
        EventQueue events;
        events.Push(sf::Event::MouseMoved).Push(sf::Event::MouseMoved);
        EXPECT_TRUE(Manager()->RunFrame(events.Poller()));
        return log;
    }

    Log log;
};
}

TEST_P(ModeSwitchTimeline, switches_only_at_the_processing_step)
{
    SwitchCase const& c = GetParam();
    RecordingMode* a = new RecordingMode("A", log);
    Manager()->SetNextGameMode(a);
    RunFrameWithTwoEvents();
    c.arrange(*a, log);
    EXPECT_EQ(RunFrameWithTwoEvents(), c.firstFrame);
    EXPECT_EQ(RunFrameWithTwoEvents(), c.secondFrame);
}

INSTANTIATE_TEST_SUITE_P(
    GameModeManager, ModeSwitchTimeline,
    testing::Values(
        SwitchCase{"request_in_event_pass",
                   [](RecordingMode& a, Log& log) {
                       a.onEvent = [&log](int n) {
                           if (n == 1)
                               Manager()->SetNextGameMode(new RecordingMode("B", log));
                       };
                   },
                   {"A event", "A event", "A teardown", "A dtor", "B init", "B process", "B draw"},
                   {"B event", "B event", "B process", "B draw"}},
        SwitchCase{"request_in_processing",
                   [](RecordingMode& a, Log& log) {
                       a.onProcess = [&log, done = false]() mutable {
                           if (!done)
                               Manager()->SetNextGameMode(new RecordingMode("B", log));
                           done = true;
                       };
                   },
                   {"A event", "A event", "A process", "A draw"},
                   {"A event", "A event", "A teardown", "A dtor", "B init", "B process", "B draw"}},
        SwitchCase{"two_requests_only_the_later_is_switched_in",
                   [](RecordingMode& a, Log& log) {
                       a.onEvent = [&log](int n) {
                           if (n == 1 || n == 2)
                               Manager()->SetNextGameMode(new RecordingMode(n == 1 ? "B" : "C", log));
                       };
                   },
                   // The replaced request is deleted at the switch, not when it is replaced.
                   {"A event", "A event", "A teardown", "A dtor", "C init", "B dtor", "C process", "C draw"},
                   {"C event", "C event", "C process", "C draw"}},
        SwitchCase{"mode_replaced_then_handed_over_again_is_switched_in_alive",
                   [](RecordingMode& a, Log& log) {
                       a.onEvent = [&log](int n) {
                           if (n != 1)
                               return;
                           RecordingMode* b = new RecordingMode("B", log);
                           Manager()->SetNextGameMode(b);
                           Manager()->SetNextGameMode(new RecordingMode("C", log));
                           Manager()->SetNextGameMode(b);
                       };
                   },
                   {"A event", "A event", "A teardown", "A dtor", "B init", "C dtor", "B process", "B draw"},
                   {"B event", "B event", "B process", "B draw"}},
        SwitchCase{"current_mode_handing_itself_over_then_another_is_deleted_once",
                   [](RecordingMode& a, Log& log) {
                       a.onEvent = [&a, &log](int n) {
                           if (n != 1)
                               return;
                           Manager()->SetNextGameMode(&a);
                           Manager()->SetNextGameMode(new RecordingMode("B", log));
                       };
                   },
                   {"A event", "A event", "A teardown", "B init", "A dtor", "B process", "B draw"},
                   {"B event", "B event", "B process", "B draw"}},
        SwitchCase{"request_in_initialisation_is_switched_in_the_same_step",
                   [](RecordingMode& a, Log& log) {
                       a.onEvent = [&log](int n) {
                           if (n != 1)
                               return;
                           RecordingMode* b = new RecordingMode("B", log);
                           b->onInitialize = [&log] { Manager()->SetNextGameMode(new RecordingMode("C", log)); };
                           Manager()->SetNextGameMode(b);
                       };
                   },
                   {"A event", "A event", "A teardown", "A dtor", "B init", "B teardown", "B dtor", "C init",
                    "C process", "C draw"},
                   {"C event", "C event", "C process", "C draw"}},
        SwitchCase{"same_mode_handed_over_twice_survives",
                   [](RecordingMode& a, Log& log) {
                       RecordingMode* next = new RecordingMode("B", log);
                       a.onEvent = [next](int n) {
                           if (n <= 2)
                               Manager()->SetNextGameMode(next);
                       };
                   },
                   {"A event", "A event", "A teardown", "A dtor", "B init", "B process", "B draw"},
                   {"B event", "B event", "B process", "B draw"}},
        SwitchCase{"mode_handing_itself_over_is_not_deleted",
                   [](RecordingMode& a, Log&) {
                       a.onEvent = [&a](int n) {
                           if (n == 1)
                               Manager()->SetNextGameMode(&a);
                       };
                   },
                   {"A event", "A event", "A teardown", "A init", "A process", "A draw"},
                   {"A event", "A event", "A process", "A draw"}},
        SwitchCase{"sub_mode_in_event_pass_takes_later_events_and_skips_the_frame",
                   [](RecordingMode& a, Log& log) {
                       a.onEvent = [&log](int n) {
                           if (n == 1)
                               Manager()->GoToSubMode(new RecordingMode("S", log));
                       };
                   },
                   {"A event", "S init", "S event"},
                   {"S event", "S event", "S process", "S draw"}},
        SwitchCase{"parent_without_parent_in_processing_skips_the_draw",
                   [](RecordingMode& a, Log&) {
                       a.onProcess = [done = false]() mutable {
                           if (!done)
                               Manager()->GoToParentMode();
                           done = true;
                       };
                   },
                   {"A event", "A event", "A process"},
                   {"A event", "A event", "A process", "A draw"}},
        SwitchCase{"parent_without_parent_in_event_pass_skips_the_frame",
                   [](RecordingMode& a, Log&) {
                       a.onEvent = [](int n) {
                           if (n == 1)
                               Manager()->GoToParentMode();
                       };
                   },
                   {"A event", "A event"},
                   {"A event", "A event", "A process", "A draw"}}),
    [](testing::TestParamInfo<SwitchCase> const& param) { return std::string(param.param.name); });

TEST(GameModeManager, first_process_switches_in_initialises_and_processes)
{
    GameManager::ResetForTesting();
    Log log;
    {
        GameModeManager manager;
        EXPECT_FALSE(manager.Process());
        manager.SetNextGameMode(new RecordingMode("A", log));
        EXPECT_TRUE(manager.Process());
        EXPECT_EQ(log, (Log{"A init", "A process"}));
        log.clear();
    }
    // The stack is deleted without tear-down.
    EXPECT_EQ(log, (Log{"A dtor"}));
    GameManager::ResetForTesting();
}

TEST(GameModeManager, sub_modes_and_their_parent)
{
    GameManager::ResetForTesting();
    Log log;
    {
        GameModeManager manager;
        RecordingMode* a = new RecordingMode("A", log);
        manager.SetGameMode(a);
        EXPECT_THROW(manager.GetParentMode(), ExceptionBase);
        manager.GoToSubMode(new RecordingMode("S", log));
        EXPECT_EQ(manager.GetParentMode(), a);

        // Replacing the top replaces only the sub-mode.
        manager.SetGameMode(new RecordingMode("C", log));
        EXPECT_EQ(manager.GetParentMode(), a);

        // Back to the parent, which is not initialised again.
        log.clear();
        manager.GoToParentMode();
        EXPECT_FALSE(manager.Process());
        EXPECT_TRUE(manager.Process());
        EXPECT_EQ(log, (Log{"C teardown", "C dtor", "A process"}));
        log.clear();
    }
    EXPECT_EQ(log, (Log{"A dtor"}));
    GameManager::ResetForTesting();
}

TEST(GameModeManager, missing_parent_and_empty_modes_are_refused)
{
    GameManager::ResetForTesting();
    GameModeManager manager;
    EXPECT_EQ(RecordOf<ErrorMessage>([&] { manager.GetParentMode(); }), "No parent mode exists");
    EXPECT_EQ(WhatOf<boost::bad_pointer>([&] { manager.SetGameMode(nullptr); }), "Null pointer in 'push_back()'");
    EXPECT_THROW(manager.GoToSubMode(nullptr), boost::bad_pointer);
}

TEST(GameModeManager, mode_already_on_the_stack_below_the_top_is_refused)
{
    GameManager::ResetForTesting();
    Log log;
    {
        GameModeManager manager;
        RecordingMode* a = new RecordingMode("A", log);
        manager.SetGameMode(a);
        RecordingMode* s = new RecordingMode("S", log);
        manager.GoToSubMode(s);
        manager.Process();
        log.clear();

        const std::string refused = "The game mode handed over is already on the mode stack below the current mode";
        EXPECT_EQ(RecordOf<ErrorMessage>([&] { manager.SetNextGameMode(a); }), refused);
        EXPECT_EQ(RecordOf<ErrorMessage>([&] { manager.SetGameMode(a); }), refused);
        EXPECT_EQ(RecordOf<ErrorMessage>([&] { manager.GoToSubMode(s); }),
                  "The game mode handed over as a sub-mode is already on the mode stack");
        // Nothing changed hands: the stack stays as it was and nothing was deleted.
        EXPECT_TRUE(manager.Process());
        EXPECT_EQ(manager.GetParentMode(), a);
        EXPECT_EQ(log, (Log{"S process"}));
        log.clear();
    }
    EXPECT_EQ(log, (Log{"A dtor", "S dtor"}));
    GameManager::ResetForTesting();
}
