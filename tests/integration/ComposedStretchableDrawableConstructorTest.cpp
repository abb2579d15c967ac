#include "gui/ComposedStretchableDrawableConstructor.h"

#include "utility/ExceptionBase.h"

#include <SFML/Graphics/Sprite.hpp>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
typedef ComposedStretchableDrawableConstructor Description;

struct Cut
{
    int start;
    int size;
};

void ExpectColumns(const Description& description, const std::vector<Cut>& cuts)
{
    for (unsigned c = 0; c < cuts.size(); ++c)
    {
        for (unsigned r = 0; r < 3; ++r)
        {
            EXPECT_EQ(cuts[c].start, description.GetCell(c, r).left) << "column " << c;
            EXPECT_EQ(cuts[c].size, description.GetCell(c, r).width) << "column " << c;
        }
    }
}

void ExpectRows(const Description& description, const std::vector<Cut>& cuts)
{
    for (unsigned r = 0; r < cuts.size(); ++r)
    {
        for (unsigned c = 0; c < 3; ++c)
        {
            EXPECT_EQ(cuts[r].start, description.GetCell(c, r).top) << "row " << r;
            EXPECT_EQ(cuts[r].size, description.GetCell(c, r).height) << "row " << r;
        }
    }
}
}

TEST(ComposedStretchableDrawableConstructor, button_bar_cuts_and_sizes)
{
    sf::Texture texture;
    std::unique_ptr<Description> bar(Description::Create3x1(texture, {0, 0, 45, 45}, 7, 7, false));
    EXPECT_EQ(45u, bar->GetTopBorder());
    EXPECT_EQ(0u, bar->GetBottomBorder());
    EXPECT_EQ(1u, bar->GetMiddleWidth());
    EXPECT_EQ(sf::IntRect(0, 0, 7, 45), bar->GetCell(0, 0));
    EXPECT_EQ(sf::IntRect(7, 0, 1, 45), bar->GetCell(1, 0));
    EXPECT_EQ(sf::IntRect(38, 0, 7, 45), bar->GetCell(2, 0));
    EXPECT_EQ(300u, bar->GetPossibleWidth(300));
    EXPECT_EQ(45u, bar->GetPossibleWidth(30));
}

TEST(ComposedStretchableDrawableConstructor, stretching_canvas_cuts)
{
    sf::Texture texture;
    std::unique_ptr<Description> canvas(
        Description::Create3x3(texture, {0, 0, 120, 105}, 7, 7, 7, 7, false));
    ExpectColumns(*canvas, {{0, 7}, {7, 1}, {113, 7}});
    ExpectRows(*canvas, {{0, 7}, {7, 1}, {98, 7}});
    EXPECT_EQ(500u, canvas->GetPossibleWidth(500));
    EXPECT_EQ(105u, canvas->GetPossibleHeight(104));
}

TEST(ComposedStretchableDrawableConstructor, repeating_dragon_canvas_cuts_and_sizes)
{
    sf::Texture texture;
    std::unique_ptr<Description> dragon(
        Description::Create3x3(texture, {0, 0, 114, 114}, 48, 59, 54, 53, true));
    EXPECT_EQ(7u, dragon->GetMiddleWidth());
    EXPECT_EQ(7u, dragon->GetMiddleHeight());
    ExpectColumns(*dragon, {{0, 48}, {48, 7}, {55, 59}});
    ExpectRows(*dragon, {{0, 54}, {54, 7}, {61, 53}});

    const struct
    {
        unsigned asked;
        unsigned width;
    } widths[] = {{100, 114}, {114, 114}, {115, 121}, {121, 121}, {500, 506}, {507, 513}};
    for (const auto& w : widths)
        EXPECT_EQ(w.width, dragon->GetPossibleWidth(w.asked)) << "asked " << w.asked;
    EXPECT_EQ(492u, dragon->GetPossibleHeight(487));
    EXPECT_EQ(450u, dragon->GetPossibleHeight(450));
}

TEST(ComposedStretchableDrawableConstructor, cells_stay_inside_an_offset_region)
{
    sf::Texture texture;
    std::unique_ptr<Description> bar(Description::Create3x1(texture, {10, 20, 45, 45}, 7, 7, false));
    EXPECT_EQ(sf::IntRect(10, 20, 7, 45), bar->GetCell(0, 0));
    EXPECT_EQ(sf::IntRect(17, 20, 1, 45), bar->GetCell(1, 0));
    EXPECT_EQ(sf::IntRect(48, 20, 7, 45), bar->GetCell(2, 0));
}

TEST(ComposedStretchableDrawableConstructor, single_column_is_as_wide_as_its_region)
{
    sf::Texture texture;
    for (bool repeating : {false, true})
    {
        std::unique_ptr<Description> strip(
            Description::Create1x3(texture, {5, 0, 30, 60}, 10, 10, repeating));
        EXPECT_EQ(30u, strip->GetLeftBorder());
        EXPECT_EQ(0u, strip->GetRightBorder());
        for (unsigned r = 0; r < 3; ++r)
        {
            EXPECT_EQ(5, strip->GetCell(0, r).left);
            EXPECT_EQ(30, strip->GetCell(0, r).width);
        }
    }
    // A repeating strip has no tile across, so it cannot grow sideways.
    std::unique_ptr<Description> repeatingStrip(
        Description::Create1x3(texture, {0, 0, 30, 60}, 10, 10, true));
    EXPECT_EQ(30u, repeatingStrip->GetPossibleWidth(100));
    EXPECT_EQ(100u, repeatingStrip->GetPossibleHeight(95));
}

TEST(ComposedStretchableDrawableConstructor, fill_drawables_makes_one_sprite_per_cell)
{
    sf::Texture texture;
    std::unique_ptr<Description> bar(Description::Create3x1(texture, {0, 0, 45, 45}, 7, 7, false));
    Description::DrawableGrid parts;
    bar->FillDrawables(parts);
    ASSERT_EQ(3u, parts.shape()[0]);
    ASSERT_EQ(1u, parts.shape()[1]);
    for (unsigned c = 0; c < 3; ++c)
    {
        auto* sprite = dynamic_cast<sf::Sprite*>(parts[c][0].get());
        ASSERT_NE(nullptr, sprite);
        EXPECT_EQ(&texture, sprite->getTexture());
        EXPECT_EQ(bar->GetCell(c, 0), sprite->getTextureRect());
        EXPECT_EQ(sf::Vector2f(0, 0), sprite->getPosition());
        EXPECT_EQ(sf::Vector2f(1, 1), sprite->getScale());
        EXPECT_EQ(sf::Color::White, sprite->getColor());
    }
}

TEST(ComposedStretchableDrawableConstructor, a_copy_has_its_own_cells)
{
    sf::Texture texture;
    std::unique_ptr<Description> bar(Description::Create3x1(texture, {0, 0, 45, 45}, 7, 7, false));
    Description copy(*bar);
    bar->Initialize({0, 0, 60, 45});
    EXPECT_EQ(sf::IntRect(38, 0, 7, 45), copy.GetCell(2, 0));
    EXPECT_EQ(sf::IntRect(53, 0, 7, 45), bar->GetCell(2, 0));
}

TEST(ComposedStretchableDrawableConstructor, descriptions_that_do_not_fit_are_refused)
{
    sf::Texture texture;
    const struct
    {
        const char* what;
        sf::IntRect rect;
        unsigned left, right, top, bottom, columns, rows;
        bool repeating;
    } cases[] = {
        {"borders wider than the region", {0, 0, 10, 10}, 6, 5, 0, 0, 3, 1, false},
        {"borders higher than the region", {0, 0, 10, 10}, 0, 0, 6, 5, 1, 3, false},
        {"repeating without a tile across", {0, 0, 10, 10}, 5, 5, 2, 2, 3, 3, true},
        {"repeating without a tile down", {0, 0, 10, 10}, 2, 2, 5, 5, 3, 3, true},
        {"negative region", {0, 0, -1, 10}, 0, 0, 0, 0, 3, 1, false},
        {"region beyond the coordinates", {2147483600, 0, 100, 10}, 7, 7, 0, 0, 3, 1, false},
        {"two columns", {0, 0, 10, 10}, 1, 1, 1, 1, 2, 3, false},
        {"right border on a single column", {0, 0, 10, 10}, 0, 3, 1, 1, 1, 3, false},
    };
    for (const auto& c : cases)
    {
        EXPECT_THROW(Description(texture, c.rect, c.left, c.right, c.top, c.bottom, c.columns,
                                 c.rows, c.repeating),
                     ExceptionBase)
            << c.what;
    }
    // Borders that exactly fill the region are fine when stretching.
    EXPECT_NO_THROW(Description(texture, {0, 0, 10, 10}, 5, 5, 5, 5, 3, 3, false));
}
