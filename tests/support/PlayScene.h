#pragma once

#include "gamemode/PlayMode.h"
#include "support/ScratchFolder.h"

#include <memory>
#include <string>

// A play screen of the real game, initialised in a scratch working folder
// that holds the game's data/ and the given preferences: the game's window
// (opened when missing), its start-up content, no sound output. The
// analyzer's capture is stopped after the preferences started it, so that
// Hear() alone decides what the analyzer reports. Needs the headless X and
// sound servers. The game manager is reset when the scene goes.
class PlayScene
{
public:
    // The calibration maps LOW_HZ and below to 0, HIGH_HZ and above to 1.
    static const float LOW_HZ;
    static const float MIDDLE_HZ;
    static const float HIGH_HZ;
    static const float LOUD;

    // Preferences with no sound output, the steering variant and, when
    // calibrated, a pitch calibration from 200 to 800 Hz.
    static std::string Config(int playerType, bool calibrated);

    explicit PlayScene(std::string const& configXml = Config(0, true));
    ~PlayScene();
    PlayScene(PlayScene const&) = delete;
    PlayScene& operator=(PlayScene const&) = delete;

    PlayMode& Mode() { return *m_mode; }

    // The analyzer's result from now on: a dominant pitch at hz (none for 0)
    // at the given volume.
    static void Hear(float hz, float volume = LOUD);
    // One frame of the given duration: the elapsed time, then Process.
    void Frame(float seconds);
    // Frames until the state is running (a loud middle pitch), without time passing.
    void Start();
    // Runs the game into an enemy placed on the dragon: one frame ends it with
    // the game-over dialog.
    void EndByEnemy();

private:
    ScratchFolder m_folder;
    std::unique_ptr<PlayMode> m_mode;
};
