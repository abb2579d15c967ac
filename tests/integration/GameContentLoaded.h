#pragma once

#include "GameWindow.h"

#include "main/LoadContent.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

// Loads the game's own content (data/ of the source tree) into the content
// manager, as the game does at start-up.
inline void LoadGameContent()
{
    GameWithWindow();
    ScratchFolder folder(true);
    ASSERT_EQ(0, ::symlink(VELMORA_SOURCE_DIR "/data", folder.File("data").c_str()));
    LoadContent();
}
