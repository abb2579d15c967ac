#include "GameWindow.h"

#include "gui/ComposedStretchableDrawable.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
typedef ComposedStretchableDrawableConstructor Description;

const sf::Color LEFT(200, 0, 0), MIDDLE(0, 200, 0), UNUSED(0, 0, 200), RIGHT(200, 200, 0);
const sf::Color NOTHING(0, 0, 0, 0);

// A picture whose pixels are given by their place.
struct PaintedPicture
{
    PaintedPicture(unsigned width, unsigned height, const std::function<sf::Color(unsigned, unsigned)>& paint)
    {
        GameWithWindow();
        pixels.create(width, height);
        for (unsigned x = 0; x < width; ++x)
        {
            for (unsigned y = 0; y < height; ++y)
                pixels.setPixel(x, y, paint(x, y));
        }
        texture.loadFromImage(pixels);
    }
    sf::Image pixels;
    sf::Texture texture;
};

// What the drawable shows at position, on a target of the given size cleared to background.
sf::Image Render(const ComposedStretchableDrawable& drawable, unsigned width, unsigned height,
                 sf::Color background = NOTHING, sf::Vector2f position = sf::Vector2f(0.0f, 0.0f))
{
    sf::RenderTexture target;
    EXPECT_TRUE(target.create(width, height));
    target.clear(background);
    sf::RenderStates states;
    states.transform.translate(position);
    target.draw(drawable, states);
    target.display();
    return target.getTexture().copyToImage();
}

// The colours along one row of a picture, from x 0 up to (not including) end, as runs.
struct ColorRun
{
    sf::Color color;
    unsigned length;
};

std::vector<ColorRun> RunsOfRow(const sf::Image& image, unsigned y, unsigned end)
{
    std::vector<ColorRun> runs;
    for (unsigned x = 0; x < end; ++x)
    {
        const sf::Color color = image.getPixel(x, y);
        if (!runs.empty() && runs.back().color == color)
            ++runs.back().length;
        else
            runs.push_back({color, 1});
    }
    return runs;
}

std::string Describe(const std::vector<ColorRun>& runs)
{
    std::string text;
    for (const ColorRun& run : runs)
        text += "(" + std::to_string(run.color.r) + "," + std::to_string(run.color.g) + "," +
                std::to_string(run.color.b) + "," + std::to_string(run.color.a) + ")x" +
                std::to_string(run.length) + " ";
    return text;
}

void ExpectRuns(const std::vector<ColorRun>& expected, const std::vector<ColorRun>& actual, const std::string& what)
{
    EXPECT_EQ(Describe(expected), Describe(actual)) << what;
}

// A 45x45 bar: left border 0..6, the one-pixel middle column 7, columns 8..37 that a
// stretching cut never shows, right border 38..44.
sf::Color BarPixel(unsigned x, unsigned)
{
    if (x < 7)
        return LEFT;
    if (x == 7)
        return MIDDLE;
    return x < 38 ? UNUSED : RIGHT;
}
}

TEST(ComposedStretchableDrawable, stretching_bar_places_its_caps_and_scales_its_middle)
{
    PaintedPicture bar(45, 45, BarPixel);
    std::unique_ptr<Description> description(Description::Create3x1(bar.texture, {0, 0, 45, 45}, 7, 7, false));
    const struct
    {
        float asked;
        float width;
    } cases[] = {{300.0f, 300.0f}, {10.0f, 45.0f}, {100.75f, 100.0f}, {-5.0f, 45.0f}};
    for (const auto& c : cases)
    {
        ComposedStretchableDrawable drawable(*description, c.asked, 17.0f, true);
        EXPECT_EQ(c.width, drawable.GetWidth()) << "asked " << c.asked;
        EXPECT_EQ(45.0f, drawable.GetHeight()) << "asked " << c.asked;
        EXPECT_FALSE(drawable.IsCached());
        const unsigned middle = static_cast<unsigned>(c.width) - 14;
        const sf::Image picture = Render(drawable, 320, 50);
        for (unsigned y : {0u, 44u})
            ExpectRuns({{LEFT, 7}, {MIDDLE, middle}, {RIGHT, 7}, {NOTHING, 320 - 14 - middle}},
                       RunsOfRow(picture, y, 320), "asked " + std::to_string(c.asked));
        EXPECT_EQ(NOTHING, picture.getPixel(0, 45));
    }
}

namespace
{
// The dragon frame's cut: a 114x114 region, borders 48/59/54/53, a 7x7 tile. Every cell
// has its own colour; the tile's top-left pixel is marked so that tiles can be counted.
const unsigned L = 48, R = 59, T = 54, B = 53, REGION = 114;
const sf::Color TILE_MARK(255, 255, 255);

unsigned CellOf(unsigned coordinate, unsigned before, unsigned after)
{
    return coordinate < before ? 0 : coordinate < REGION - after ? 1 : 2;
}

sf::Color CellColor(unsigned column, unsigned row)
{
    return sf::Color(static_cast<sf::Uint8>(40 + 60 * column), static_cast<sf::Uint8>(40 + 60 * row), 90);
}

sf::Color FramePixel(unsigned x, unsigned y)
{
    if (x == L && y == T)
        return TILE_MARK;
    return CellColor(CellOf(x, L, R), CellOf(y, T, B));
}
}

TEST(ComposedStretchableDrawable, repeating_frame_tiles_whole_middles_between_its_borders)
{
    PaintedPicture frame(REGION, REGION, FramePixel);
    std::unique_ptr<Description> description(
        Description::Create3x3(frame.texture, {0, 0, 114, 114}, L, R, T, B, true));
    ComposedStretchableDrawable drawable(*description, 507.0f, 487.0f, true);
    EXPECT_EQ(513.0f, drawable.GetWidth());
    EXPECT_EQ(492.0f, drawable.GetHeight());
    EXPECT_TRUE(drawable.IsCached());

    const sf::Image picture = Render(drawable, 520, 500);
    // Across the first middle row: the left border, 58 tiles of 7 (each starting with its
    // mark), the right column from x 454.
    std::vector<ColorRun> tiles{{CellColor(0, 1), 48}};
    for (int i = 0; i < 58; ++i)
    {
        tiles.push_back({TILE_MARK, 1});
        tiles.push_back({CellColor(1, 1), 6});
    }
    tiles.push_back({CellColor(2, 1), 59});
    tiles.push_back({NOTHING, 7});
    ExpectRuns(tiles, RunsOfRow(picture, T, 520), "first middle row");

    // Down the first middle column: 55 tiles, the bottom row from y 439.
    unsigned marks = 0;
    for (unsigned y = 0; y < 500; ++y)
        marks += picture.getPixel(L, y) == TILE_MARK;
    EXPECT_EQ(55u, marks);
    EXPECT_EQ(CellColor(1, 1), picture.getPixel(L + 1, 438));
    EXPECT_EQ(CellColor(1, 2), picture.getPixel(L + 1, 439));
    EXPECT_EQ(CellColor(1, 2), picture.getPixel(L + 1, 491));
    EXPECT_EQ(NOTHING, picture.getPixel(L + 1, 492));
    // The corners keep their size.
    EXPECT_EQ(CellColor(2, 2), picture.getPixel(454, 439));
    EXPECT_EQ(CellColor(2, 2), picture.getPixel(512, 491));
    EXPECT_EQ(CellColor(1, 2), picture.getPixel(453, 439));
    EXPECT_EQ(CellColor(2, 1), picture.getPixel(454, 438));
}

TEST(ComposedStretchableDrawable, cached_and_uncached_pictures_are_the_same)
{
    // The game's own frame, with its soft edges, over the sky of the play screen.
    sf::Texture dragon;
    GameWithWindow();
    ASSERT_TRUE(dragon.loadFromFile(VELMORA_SOURCE_DIR "/data/images/gui/canvas_dragon.png"));
    std::unique_ptr<Description> description(
        Description::Create3x3(dragon, {0, 0, 114, 114}, L, R, T, B, true));
    const sf::Color sky(135, 206, 250);
    const sf::Vector2f position(13.0f, 21.0f);

    ComposedStretchableDrawable cached(*description, 500.0f, 450.0f, true);
    ComposedStretchableDrawable uncached(*description, 500.0f, 450.0f, true);
    uncached.DisableCacheForTesting();
    ASSERT_TRUE(cached.IsCached());
    ASSERT_FALSE(uncached.IsCached());

    const sf::Image withCache = Render(cached, 540, 490, sky, position);
    const sf::Image withoutCache = Render(uncached, 540, 490, sky, position);
    unsigned differing = 0;
    for (unsigned x = 0; x < 540; ++x)
    {
        for (unsigned y = 0; y < 490; ++y)
            differing += withCache.getPixel(x, y) != withoutCache.getPixel(x, y);
    }
    EXPECT_EQ(0u, differing);
    EXPECT_NE(sky, withCache.getPixel(13 + 30, 21 + 30)) << "the frame was drawn";
}

TEST(ComposedStretchableDrawable, single_column_is_as_wide_as_its_region)
{
    PaintedPicture strip(30, 60, [](unsigned, unsigned y) { return y < 10 ? LEFT : y < 50 ? MIDDLE : RIGHT; });
    for (bool repeating : {false, true})
    {
        std::unique_ptr<Description> description(
            Description::Create1x3(strip.texture, {0, 0, 30, 60}, 10, 10, repeating));
        ComposedStretchableDrawable drawable(*description, 500.0f, 100.0f, true);
        EXPECT_EQ(30.0f, drawable.GetWidth()) << repeating;
        EXPECT_EQ(100.0f, drawable.GetHeight()) << repeating;
        const sf::Image picture = Render(drawable, 40, 110);
        ExpectRuns({{MIDDLE, 30}, {NOTHING, 10}}, RunsOfRow(picture, 60, 40), repeating ? "repeating" : "stretching");
        EXPECT_EQ(RIGHT, picture.getPixel(0, 99));
        EXPECT_EQ(NOTHING, picture.getPixel(0, 100));
    }
}
