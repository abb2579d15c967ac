#include "main/LoadContent.h"

#include "manager/ContentManager.h"
#include "manager/GameManager.h"

namespace
{
struct ContentFile
{
    const char* key;
    const char* file;
};

const ContentFile IMAGES[] = {
    {"cursor_normal", "cursors/normal.png"},
    {"player", "game/player.png"},
    {"bgSun", "game/bgSun.png"},
    {"bgSunRays", "game/bgSunRays.png"},
    {"bgMenu", "game/bgMenu.png"},
    {"collectible", "game/collectible.png"},
    {"enemy", "game/enemy.png"},
    {"note", "game/note.png"},
    {"gui/button1", "gui/button1.png"},
    {"gui/canvas1", "gui/canvas1.png"},
    {"gui/button_drop_start", "gui/button_drop_start.png"},
    {"gui/button_drop_end", "gui/button_drop_end.png"},
    {"gui/button_drop_element", "gui/button_drop_element.png"},
    {"gui/canvas_dragon", "gui/canvas_dragon.png"},
};

const ContentFile FONTS[] = {
    {"standard", "Loyal.ttf"},
    {"header", "Dragonfly.ttf"},
};
}

void LoadContent()
{
    ContentManager& content = GameManager::Instance()->GetContentManager();
    for (const ContentFile& image : IMAGES)
        content.LoadImage(image.key, image.file);
    for (const ContentFile& font : FONTS)
        content.LoadFont(font.key, font.file);

    // Each description is cut from the image of the same key, so the images come first.
    content.CreateComposedStretchableDrawableConstructor3x3("gui/canvas1", "gui/canvas1",
                                                            sf::IntRect(0, 0, 120, 105), 7, 7, 7, 7,
                                                            false);
    content.CreateComposedStretchableDrawableConstructor3x1("gui/button1", "gui/button1",
                                                            sf::IntRect(0, 0, 45, 45), 7, 7, false);
    content.CreateComposedStretchableDrawableConstructor3x3("gui/canvas_dragon", "gui/canvas_dragon",
                                                            sf::IntRect(0, 0, 114, 114), 48, 59, 54,
                                                            53, true);
}
