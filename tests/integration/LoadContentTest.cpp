#include "main/LoadContent.h"

#include "manager/ContentManager.h"
#include "manager/GameManager.h"
#include "support/ChildProcess.h"
#include "support/ScratchFolder.h"
#include "utility/ContentFileLoadingFailedException.h"
#include "utility/ContentNotLoadedException.h"

#include <boost/exception/get_error_info.hpp>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace
{
const double START_TIMEOUT_SECONDS = 30.0;
const char* const FONT_FIXTURE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct ImageFile
{
    const char* key;
    const char* file;
    unsigned width;
    unsigned height;
};

const ImageFile IMAGES[] = {
    {"cursor_normal", "cursors/normal.png", 16, 16},
    {"player", "game/player.png", 90, 60},
    {"bgSun", "game/bgSun.png", 20, 20},
    {"bgSunRays", "game/bgSunRays.png", 20, 20},
    {"bgMenu", "game/bgMenu.png", 32, 20},
    {"collectible", "game/collectible.png", 32, 32},
    {"enemy", "game/enemy.png", 50, 40},
    {"note", "game/note.png", 10, 16},
    {"gui/button1", "gui/button1.png", 45, 45},
    {"gui/canvas1", "gui/canvas1.png", 120, 105},
    {"gui/button_drop_start", "gui/button_drop_start.png", 8, 45},
    {"gui/button_drop_end", "gui/button_drop_end.png", 8, 45},
    {"gui/button_drop_element", "gui/button_drop_element.png", 20, 45},
    {"gui/canvas_dragon", "gui/canvas_dragon.png", 114, 114},
};

void WriteContent(const ScratchFolder& folder)
{
    for (const ImageFile& image : IMAGES)
        folder.WriteImage(std::string("data/images/") + image.file, image.width, image.height,
                          sf::Color::Magenta);
    std::ifstream in(FONT_FIXTURE, std::ios::binary);
    const std::string font((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    folder.Write("data/fonts/Loyal.ttf", font);
    folder.Write("data/fonts/Dragonfly.ttf", font);
}
}

TEST(LoadContent, fills_the_content_manager_from_the_table)
{
    GameManager::ResetForTesting();
    ScratchFolder folder(true);
    WriteContent(folder);
    LoadContent();

    ContentManager& content = GameManager::Instance()->GetContentManager();
    for (const ImageFile& image : IMAGES)
        EXPECT_EQ(sf::Vector2u(image.width, image.height), content.GetTexture(image.key).getSize())
            << image.key;
    EXPECT_NO_THROW(content.GetFont("standard"));
    EXPECT_NO_THROW(content.GetFont("header"));

    const ComposedStretchableDrawableConstructor& canvas =
        content.GetComposedStretchableDrawableConstructor("gui/canvas1");
    EXPECT_FALSE(canvas.IsRepeating());
    EXPECT_EQ(sf::IntRect(113, 98, 7, 7), canvas.GetCell(2, 2));

    const ComposedStretchableDrawableConstructor& button =
        content.GetComposedStretchableDrawableConstructor("gui/button1");
    EXPECT_EQ(45u, button.GetTopBorder());
    EXPECT_EQ(sf::IntRect(38, 0, 7, 45), button.GetCell(2, 0));

    const ComposedStretchableDrawableConstructor& dragon =
        content.GetComposedStretchableDrawableConstructor("gui/canvas_dragon");
    EXPECT_TRUE(dragon.IsRepeating());
    EXPECT_EQ(7u, dragon.GetMiddleWidth());
    EXPECT_EQ(7u, dragon.GetMiddleHeight());
    EXPECT_EQ(513u, dragon.GetPossibleWidth(507));

    // Sounds are not part of the table.
    EXPECT_THROW(content.GetSound("collect"), ContentNotLoadedException);
    GameManager::ResetForTesting();
}

TEST(LoadContent, stops_at_the_first_missing_file)
{
    GameManager::ResetForTesting();
    ScratchFolder folder(true);
    WriteContent(folder);
    std::remove("data/images/gui/canvas1.png");
    try
    {
        LoadContent();
        ADD_FAILURE() << "nothing thrown";
    }
    catch (const ContentFileLoadingFailedException& e)
    {
        const std::string* file = boost::get_error_info<ErrorFilename>(e);
        ASSERT_NE(nullptr, file);
        EXPECT_EQ("gui/canvas1.png", *file);
    }
    ContentManager& content = GameManager::Instance()->GetContentManager();
    EXPECT_NO_THROW(content.GetImage("gui/button1"));
    EXPECT_THROW(content.GetImage("gui/button_drop_start"), ContentNotLoadedException);
    EXPECT_THROW(content.GetFont("standard"), ContentNotLoadedException);
    GameManager::ResetForTesting();
}

TEST(LoadContent, game_without_data_folder_reports_the_first_image)
{
    ScratchFolder folder;
    ChildProcess game(VELMORA_GAME_BINARY, folder.Path());
    ASSERT_EQ(0, game.Wait(START_TIMEOUT_SECONDS)) << game.Stderr();
    const std::string out = game.Stdout();
    EXPECT_EQ(0u, out.rfind("[Exception]\n", 0)) << out;
    for (const char* part : {"ContentManager::LoadImage", "ContentFileLoadingFailedException",
                             "tag_filename", "cursors/normal.png"})
        EXPECT_NE(std::string::npos, out.find(part)) << part << " missing from:\n" << out;
    EXPECT_EQ(std::string::npos, out.find("data/images/cursors")) << "the file as given, no folder";
    EXPECT_EQ(0, folder.CountEntries()) << "no config.xml written";
}

TEST(LoadContent, game_applies_the_preferences_before_the_content)
{
    // A playback driver the sound library refuses ends the game at the preferences,
    // before the missing data/ folder could be reported.
    ScratchFolder folder;
    folder.Write("config.xml", "<config><soundOutputDriverNo>-1</soundOutputDriverNo></config>");
    ChildProcess game(VELMORA_GAME_BINARY, folder.Path());
    EXPECT_EQ(255, game.Wait(START_TIMEOUT_SECONDS)) << game.Stderr();
    const std::string out = game.Stdout();
    EXPECT_EQ(0u, out.rfind("FMOD error! (", 0)) << out;
    EXPECT_EQ(std::string::npos, out.find("[Exception]")) << out;
}
