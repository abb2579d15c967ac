#pragma once

// Registers the fixed start-up content (images, fonts and composed drawable
// descriptions) with the game manager's content manager. The first file that
// cannot be loaded throws, and nothing after it is loaded.
void LoadContent();
