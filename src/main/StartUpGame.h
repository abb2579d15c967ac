#pragma once

class GameManager;

// The start-up steps of the program entry, in their order: the game manager
// (which starts the frame clock), the 1024x600 window with vertical sync and
// the system cursor hidden, the preferences (which configure the sound system
// and start the capture), then the start-up content. Returns the game
// manager, ready for its first mode and its loop.
GameManager* StartUpGame();
