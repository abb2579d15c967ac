#include "entity/Collectible.h"
#include "entity/Enemy.h"
#include "entity/Note.h"
#include "gamemode/PlayMode.h"
#include "manager/GameManager.h"
#include "support/PlayScene.h"

#include <SFML/Window/Event.hpp>

#include <benchmark/benchmark.h>

#include <fstream>

#include <unistd.h>

// The play screen's frame, with the game's window and content under the
// headless X server: processing and drawing a busy running scene, and the
// memory that restarts leave behind.
namespace
{
const int ENEMIES = 30;
const int COLLECTIBLES = 30;
const int NOTES = 20;
// So short that nothing leaves the screen or runs out during a measurement,
// while every entity still does its whole per-frame work.
const float FRAME_SECONDS = 1.0e-6f;

// A running game with the entities spread over the screen to the right of the
// dragon, none touching it; the first frame's own collectible included.
void FillScene(PlayScene& scene)
{
    PlayMode& mode = scene.Mode();
    ContentManager& content = GameManager::Instance()->GetContentManager();
    scene.Start();
    scene.Frame(FRAME_SECONDS);
    for (int i = 0; i < ENEMIES; ++i)
        mode.GetEnemies().AddElement(new Enemy(&mode, content.GetTexture("enemy"), content.GetImage("enemy"),
                                               sf::Vector2f(300.0f + 22.0f * i, 20.0f + 50.0f * (i % 10))));
    for (int i = static_cast<int>(mode.GetCollectibles().GetElements().size()); i < COLLECTIBLES; ++i)
        mode.GetCollectibles().AddElement(new Collectible(&mode, content.GetTexture("collectible"),
                                                          sf::Vector2f(310.0f + 22.0f * i, 40.0f + 60.0f * (i % 9))));
    for (int i = 0; i < NOTES; ++i)
        mode.GetEffects().AddElement(
            new Note(content.GetTexture("note"), sf::Vector2f(20.0f + 12.0f * i, 150.0f + 10.0f * i)));
}

void ReportScene(benchmark::State& state, PlayScene& scene)
{
    PlayMode& mode = scene.Mode();
    if (mode.GetState() != PlayMode::PlayStateRunning)
        state.SkipWithError("the dragon touched something: the scene is not running any more");
    state.counters["enemies"] = static_cast<double>(mode.GetEnemies().GetElements().size());
    state.counters["collectibles"] = static_cast<double>(mode.GetCollectibles().GetElements().size());
    state.counters["notes"] = static_cast<double>(mode.GetEffects().GetElements().size());
}

void PlayModeProcessBusyFrame(benchmark::State& state)
{
    PlayScene scene;
    FillScene(scene);
    GameManager::Instance()->SetElapsedTimeForTesting(FRAME_SECONDS);
    for (auto _ : state)
        scene.Mode().Process();
    ReportScene(state, scene);
}
BENCHMARK(PlayModeProcessBusyFrame)->Unit(benchmark::kMicrosecond);

void PlayModeDrawBusyFrame(benchmark::State& state)
{
    PlayScene scene;
    FillScene(scene);
    for (auto _ : state)
        scene.Mode().Draw();
    ReportScene(state, scene);
    state.counters["frames_per_second"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                             benchmark::Counter::kIsRate);
}
BENCHMARK(PlayModeDrawBusyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

double ResidentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// 100 games in one process, each handed over as a new mode and run for a few
// frames through the main loop's frame step, as the restart does.
void PlayModeRestarts(benchmark::State& state)
{
    const int RESTARTS = 100;
    const int FRAMES_PER_GAME = 5;
    PlayScene scene;
    GameManager* gameManager = GameManager::Instance();
    auto noEvents = [](sf::Event&) { return false; };
    double after10 = 0.0;
    double after100 = 0.0;
    for (auto _ : state)
    {
        for (int game = 1; game <= RESTARTS; ++game)
        {
            PlayScene::Hear(PlayScene::MIDDLE_HZ);
            gameManager->SetNextGameMode(new PlayMode());
            for (int frame = 0; frame < FRAMES_PER_GAME; ++frame)
                gameManager->RunFrame(noEvents);
            if (game == 10)
                after10 = ResidentMegabytes();
        }
        after100 = ResidentMegabytes();
    }
    state.counters["rss_after_10_MB"] = after10;
    state.counters["rss_after_100_MB"] = after100;
    state.counters["growth_MB"] = after100 - after10;
}
BENCHMARK(PlayModeRestarts)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);
}
