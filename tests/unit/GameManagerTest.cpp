#include "manager/GameManager.h"
#include "support/EventQueue.h"
#include "support/RecordingMode.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace
{
class GameManagerFrames : public testing::Test
{
protected:
    void SetUp() override { GameManager::ResetForTesting(); }
    void TearDown() override { GameManager::ResetForTesting(); }

    std::vector<std::string> log;
};
}

TEST_F(GameManagerFrames, first_frame_sees_a_tenth_of_a_millisecond)
{
    GameManager* manager = GameManager::Instance();
    RecordingMode* mode = new RecordingMode("A", log);
    manager->SetNextGameMode(mode);
    EventQueue none;
    EXPECT_TRUE(manager->RunFrame(none.Poller()));
    ASSERT_EQ(mode->elapsedSeen.size(), 1u);
    EXPECT_EQ(mode->elapsedSeen[0], 0.0001f);
    EXPECT_EQ(log, (std::vector<std::string>{"A init", "A process", "A draw"}));
    EXPECT_EQ(manager->GetCurrentFrameNo(), 1u);
}

TEST_F(GameManagerFrames, second_frame_includes_the_start_up_time)
{
    GameManager* manager = GameManager::Instance();
    // Stands for the window creation and the loading before the loop starts.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    RecordingMode* mode = new RecordingMode("A", log);
    manager->SetNextGameMode(mode);
    EventQueue none;
    manager->RunFrame(none.Poller());
    manager->RunFrame(none.Poller());
    ASSERT_EQ(mode->elapsedSeen.size(), 2u);
    EXPECT_GE(mode->elapsedSeen[1], 0.02f);
}

TEST_F(GameManagerFrames, close_event_ends_the_frame_at_once)
{
    GameManager* manager = GameManager::Instance();
    manager->SetNextGameMode(new RecordingMode("A", log));
    EventQueue events;
    manager->RunFrame(events.Poller());
    log.clear();
    manager->SetElapsedTimeForTesting(0.25f);

    events.Push(sf::Event::MouseMoved).Push(sf::Event::Closed).Push(sf::Event::MouseMoved);
    EXPECT_FALSE(manager->RunFrame(events.Poller()));
    // The mode saw the close event; nothing was processed, drawn or timed.
    EXPECT_EQ(log, (std::vector<std::string>{"A event", "A Closed"}));
    EXPECT_EQ(events.Size(), 1u);
    EXPECT_EQ(manager->GetCurrentFrameNo(), 1u);
    EXPECT_EQ(manager->GetElapsedTimeInSeconds(), 0.25f);
}

TEST_F(GameManagerFrames, frames_run_without_a_mode)
{
    GameManager* manager = GameManager::Instance();
    EventQueue events;
    events.Push(sf::Event::MouseMoved).Push(sf::Event::KeyPressed);
    EXPECT_TRUE(manager->RunFrame(events.Poller()));
    EXPECT_TRUE(manager->RunFrame(events.Poller()));
    EXPECT_EQ(events.Size(), 0u);
    EXPECT_EQ(manager->GetCurrentFrameNo(), 2u);
}

TEST_F(GameManagerFrames, average_frame_rate_waits_for_strictly_more_than_a_second)
{
    GameManager* manager = GameManager::Instance();
    struct
    {
        float elapsed;
        float average;
    } const steps[] = {
        {0.5f, 0.0f},
        {0.5f, 0.0f},           // exactly 1.0: the interval goes on
        {0.25f, 3.0f / 1.25f},  // above: the frames so far include this one
        {0.5f, 3.0f / 1.25f},   // both accumulators started again from 0
        {0.75f, 2.0f / 1.25f},
    };
    for (auto const& step : steps)
    {
        manager->FinishFrame(step.elapsed);
        EXPECT_EQ(manager->GetElapsedTimeInSeconds(), step.elapsed);
        EXPECT_FLOAT_EQ(manager->GetAverageFramerateLastSecond(), step.average);
    }
    EXPECT_EQ(manager->GetCurrentFrameNo(), 5u);
}

TEST_F(GameManagerFrames, zero_frame_duration_is_reported_and_kept)
{
    GameManager* manager = GameManager::Instance();
    testing::internal::CaptureStderr();
    manager->FinishFrame(0.0f);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Elapsed time was 0?\n");
    EXPECT_EQ(manager->GetElapsedTimeInSeconds(), 0.0f);
    EXPECT_EQ(manager->GetCurrentFrameNo(), 1u);

    testing::internal::CaptureStderr();
    manager->FinishFrame(0.01f);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
