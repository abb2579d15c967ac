// Checks the content files under data/ that the game loads, and the sizes and cuts its
// widgets and scene take from them.
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace
{
const std::string DATA_DIR = std::string(VELMORA_SOURCE_DIR) + "/data/";
const std::string IMAGE_DIR = DATA_DIR + "images/";

// The cuts of the start-up table: region heights and borders of the GUI images.
const unsigned BUTTON_REGION_HEIGHT = 45;
const unsigned DRAGON_LEFT = 48, DRAGON_RIGHT = 59, DRAGON_TOP = 54, DRAGON_BOTTOM = 53;
const unsigned DRAGON_REGION = 114;
const unsigned DRAGON_TILE = DRAGON_REGION - DRAGON_LEFT - DRAGON_RIGHT;

sf::Image LoadImageFile(const std::string& file)
{
    sf::Image image;
    EXPECT_TRUE(image.loadFromFile(IMAGE_DIR + file)) << file;
    return image;
}

bool FileExists(const std::string& path)
{
    return std::ifstream(path).good();
}

int ChannelDistance(sf::Color a, sf::Color b)
{
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b), std::abs(a.a - b.a)});
}

// Mean colour difference between two columns of an image, alpha weighted in.
double ColumnDifference(const sf::Image& image, unsigned x1, unsigned x2)
{
    double sum = 0.0;
    for (unsigned y = 0; y < image.getSize().y; ++y)
    {
        sf::Color a = image.getPixel(x1, y), b = image.getPixel(x2, y);
        sum += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) + std::abs(a.a - b.a);
    }
    return sum / image.getSize().y;
}
}

TEST(GameContent, every_file_the_game_loads_is_there)
{
    const char* files[] = {
        "images/cursors/normal.png", "images/game/player.png", "images/game/bgSun.png",
        "images/game/bgSunRays.png", "images/game/bgMenu.png", "images/game/collectible.png",
        "images/game/enemy.png", "images/game/note.png", "images/gui/button1.png",
        "images/gui/canvas1.png", "images/gui/button_drop_start.png", "images/gui/button_drop_end.png",
        "images/gui/button_drop_element.png", "images/gui/canvas_dragon.png",
        "images/game/bg1.png", "images/game/bg2.png", "images/game/bg3.png",
        "fonts/Loyal.ttf", "fonts/Dragonfly.ttf", "fonts/Loyal-LICENSE.txt", "fonts/Dragonfly-LICENSE.txt",
        "sounds/collect.wav", "sounds/gameover.wav"};
    for (const char* file : files)
        EXPECT_TRUE(FileExists(DATA_DIR + file)) << file;
}

TEST(GameContent, images_have_the_sizes_the_scene_and_widgets_rely_on)
{
    struct Case
    {
        const char* file;
        unsigned minWidth, maxWidth, minHeight, maxHeight;
    };
    const Case cases[] = {
        {"game/player.png", 80, 100, 50, 70},
        {"game/enemy.png", 40, 60, 30, 50},
        {"game/collectible.png", 28, 36, 28, 36},
        {"game/note.png", 12, 40, 16, 48},
        {"game/bgMenu.png", 1024, 1024, 600, 600},
        {"game/bgSun.png", 1, 1024, 1, 600},
        {"game/bgSunRays.png", 1, 1024, 1, 600},
        // the table cuts regions of these sizes from the origin of the images
        {"gui/button1.png", 45, 4096, BUTTON_REGION_HEIGHT, BUTTON_REGION_HEIGHT},
        {"gui/canvas1.png", 120, 4096, 105, 4096},
        {"gui/canvas_dragon.png", DRAGON_REGION, 4096, DRAGON_REGION, 4096},
        // the caps stand beside the bar and are as high as it
        {"gui/button_drop_start.png", 1, 200, BUTTON_REGION_HEIGHT, BUTTON_REGION_HEIGHT},
        {"gui/button_drop_end.png", 1, 200, BUTTON_REGION_HEIGHT, BUTTON_REGION_HEIGHT},
        {"cursors/normal.png", 8, 64, 8, 64},
    };
    for (const Case& c : cases)
    {
        sf::Vector2u size = LoadImageFile(c.file).getSize();
        EXPECT_GE(size.x, c.minWidth) << c.file;
        EXPECT_LE(size.x, c.maxWidth) << c.file;
        EXPECT_GE(size.y, c.minHeight) << c.file;
        EXPECT_LE(size.y, c.maxHeight) << c.file;
    }
}

TEST(GameContent, slide_knob_fits_on_the_caps)
{
    sf::Vector2u knob = LoadImageFile("gui/button_drop_element.png").getSize();
    for (const char* cap : {"gui/button_drop_start.png", "gui/button_drop_end.png"})
    {
        sf::Vector2u size = LoadImageFile(cap).getSize();
        EXPECT_LE(knob.x, size.x) << cap;
        EXPECT_LE(knob.y, size.y) << cap;
    }
}

TEST(GameContent, cursor_tip_is_the_top_left_pixel)
{
    sf::Image cursor = LoadImageFile("cursors/normal.png");
    EXPECT_EQ(cursor.getPixel(0, 0).a, 255);
    // nothing of the pointer lies above or left of the tip: the first row and column start there
    EXPECT_LT(cursor.getPixel(cursor.getSize().x - 1, 0).a, 128);
    EXPECT_LT(cursor.getPixel(0, cursor.getSize().y - 1).a, 128);
}

TEST(GameContent, enemy_shape_is_one_solid_piece_in_clear_surroundings)
{
    // The collision test counts pixels with alpha above 127: a stray one would be an
    // invisible hit.
    sf::Image enemy = LoadImageFile("game/enemy.png");
    const unsigned w = enemy.getSize().x, h = enemy.getSize().y;
    std::vector<char> solid(w * h), seen(w * h, 0);
    unsigned count = 0, start = 0;
    for (unsigned y = 0; y < h; ++y)
        for (unsigned x = 0; x < w; ++x)
            if ((solid[y * w + x] = enemy.getPixel(x, y).a > 127))
            {
                ++count;
                start = y * w + x;
            }
    ASSERT_GT(count, w * h / 4);
    for (unsigned x = 0; x < w; ++x)
        EXPECT_FALSE(solid[x] || solid[(h - 1) * w + x]) << "edge row, column " << x;
    for (unsigned y = 0; y < h; ++y)
        EXPECT_FALSE(solid[y * w] || solid[y * w + w - 1]) << "edge column, row " << y;
    std::vector<unsigned> stack{start};
    seen[start] = 1;
    unsigned reached = 0;
    while (!stack.empty())
    {
        unsigned i = stack.back();
        stack.pop_back();
        ++reached;
        unsigned x = i % w, y = i / w;
        const unsigned next[] = {x > 0 ? i - 1 : i, x + 1 < w ? i + 1 : i, y > 0 ? i - w : i, y + 1 < h ? i + w : i};
        for (unsigned n : next)
            if (solid[n] && !seen[n])
            {
                seen[n] = 1;
                stack.push_back(n);
            }
    }
    EXPECT_EQ(reached, count);
}

TEST(GameContent, note_shape_is_carried_by_alpha)
{
    sf::Image note = LoadImageFile("game/note.png");
    unsigned opaque = 0, clear = 0;
    for (unsigned y = 0; y < note.getSize().y; ++y)
        for (unsigned x = 0; x < note.getSize().x; ++x)
        {
            sf::Uint8 a = note.getPixel(x, y).a;
            opaque += a == 255;
            clear += a == 0;
        }
    EXPECT_GT(opaque, 50u);
    EXPECT_GT(clear, 50u);
}

TEST(GameContent, background_layers_tile_without_seams_over_the_sky)
{
    for (const char* file : {"game/bg1.png", "game/bg2.png", "game/bg3.png"})
    {
        sf::Image layer = LoadImageFile(file);
        const unsigned w = layer.getSize().x;
        ASSERT_EQ(layer.getSize().y, 600u) << file;
        for (unsigned x = 0; x < w; ++x)
            ASSERT_EQ(layer.getPixel(x, 0).a, 0) << file << ": the sky must show at the top, column " << x;
        // the join of the last and the first column is no rougher than the picture itself
        std::vector<double> steps;
        for (unsigned x = 0; x + 1 < w; ++x)
            steps.push_back(ColumnDifference(layer, x, x + 1));
        std::sort(steps.begin(), steps.end());
        double typical = steps[steps.size() * 95 / 100];
        EXPECT_LE(ColumnDifference(layer, w - 1, 0), std::max(typical, 1.0)) << file;
    }
}

TEST(GameContent, dragon_frame_tiles_repeat_seamlessly)
{
    // The middle column and row of the frame are drawn side by side many times: the
    // pixels one tile further on must continue them.
    sf::Image frame = LoadImageFile("gui/canvas_dragon.png");
    ASSERT_EQ(DRAGON_TILE, 7u);
    ASSERT_EQ(DRAGON_REGION - DRAGON_TOP - DRAGON_BOTTOM, 7u);
    int worst = 0;
    for (unsigned y = 0; y < DRAGON_REGION; ++y)
        for (unsigned i = 0; i < DRAGON_TILE; ++i)
            worst = std::max(worst, ChannelDistance(frame.getPixel(DRAGON_LEFT + i, y),
                                                    frame.getPixel(DRAGON_LEFT + DRAGON_TILE + i, y)));
    for (unsigned x = 0; x < DRAGON_REGION; ++x)
        for (unsigned i = 0; i < DRAGON_TILE; ++i)
            worst = std::max(worst, ChannelDistance(frame.getPixel(x, DRAGON_TOP + i),
                                                    frame.getPixel(x, DRAGON_TOP + DRAGON_TILE + i)));
    EXPECT_LE(worst, 2);
    // the panel behind black text is light and solid
    sf::Color middle = frame.getPixel(DRAGON_LEFT + 3, DRAGON_TOP + 3);
    EXPECT_EQ(middle.a, 255);
    EXPECT_GT(middle.r + middle.g + middle.b, 600);
}

TEST(GameContent, stretched_middles_are_uniform_along_the_stretch)
{
    // Stretching descriptions scale one pixel column (and row) just inside the borders.
    sf::Image button = LoadImageFile("gui/button1.png");
    for (unsigned y = 0; y < BUTTON_REGION_HEIGHT; ++y)
        EXPECT_EQ(button.getPixel(7, y).toInteger(), button.getPixel(8, y).toInteger()) << y;
    sf::Image canvas = LoadImageFile("gui/canvas1.png");
    sf::Color inside = canvas.getPixel(7, 7);
    EXPECT_EQ(inside.a, 255);
    EXPECT_GT(inside.r + inside.g + inside.b, 600);
}

TEST(GameContent, fonts_load)
{
    for (const char* file : {"Loyal.ttf", "Dragonfly.ttf"})
    {
        sf::Font font;
        EXPECT_TRUE(font.loadFromFile(DATA_DIR + "fonts/" + file)) << file;
    }
}

TEST(GameContent, sounds_are_short_readable_wave_files)
{
    for (const char* file : {"collect.wav", "gameover.wav"})
    {
        SF_INFO info{};
        SNDFILE* sound = sf_open((DATA_DIR + "sounds/" + file).c_str(), SFM_READ, &info);
        ASSERT_NE(sound, nullptr) << file << ": " << sf_strerror(nullptr);
        EXPECT_EQ(info.format & SF_FORMAT_TYPEMASK, SF_FORMAT_WAV) << file;
        double seconds = static_cast<double>(info.frames) / info.samplerate;
        EXPECT_GT(seconds, 0.1) << file;
        EXPECT_LT(seconds, 3.0) << file;
        sf_close(sound);
    }
}
