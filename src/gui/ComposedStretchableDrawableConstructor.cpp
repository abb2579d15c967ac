#include "gui/ComposedStretchableDrawableConstructor.h"

#include "utility/ExceptionBase.h"

#include <SFML/Graphics/Sprite.hpp>

#include <cstdint>
#include <limits>
#include <string>

namespace
{
[[noreturn]] void RefuseDescription(const std::string& why)
{
    BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage("Composed drawable description refused: " + why));
}

// Size of one axis: below the region it is the region; stretching takes any
// size; repeating takes the borders plus the fewest whole tiles that reach it.
unsigned PossibleSize(unsigned asked, unsigned region, unsigned borders, bool repeating)
{
    if (asked < region)
        return region;
    if (!repeating)
        return asked;
    if (borders >= region)
        return region; // an axis of one cell has no tile to add
    const std::uint64_t tile = region - borders;
    const std::uint64_t tiles = (static_cast<std::uint64_t>(asked) - borders + tile - 1) / tile;
    std::uint64_t size = borders + tiles * tile;
    if (size > std::numeric_limits<unsigned>::max())
        size -= tile;
    return static_cast<unsigned>(size);
}
}

ComposedStretchableDrawableConstructor::ComposedStretchableDrawableConstructor(
    const sf::Texture& sourceImage, const sf::IntRect& rect, unsigned left, unsigned right,
    unsigned top, unsigned bottom, unsigned columnCount, unsigned rowCount, bool isRepeating)
    : image(sourceImage), leftBorder(left), rightBorder(right), topBorder(top),
      bottomBorder(bottom), repeating(isRepeating), columns(columnCount), rows(rowCount), cells(),
      regionWidth(0), regionHeight(0)
{
    if ((columns != 1 && columns != 3) || (rows != 1 && rows != 3))
        RefuseDescription("columns and rows must each be 1 or 3");
    cells.resize(boost::extents[columns][rows]);
    CreateSubRects(rect);
}

ComposedStretchableDrawableConstructor* ComposedStretchableDrawableConstructor::Create3x3(
    const sf::Texture& image, const sf::IntRect& rect, unsigned left, unsigned right, unsigned top,
    unsigned bottom, bool repeating)
{
    return new ComposedStretchableDrawableConstructor(image, rect, left, right, top, bottom, 3, 3,
                                                      repeating);
}

ComposedStretchableDrawableConstructor* ComposedStretchableDrawableConstructor::Create1x3(
    const sf::Texture& image, const sf::IntRect& rect, unsigned top, unsigned bottom, bool repeating)
{
    return new ComposedStretchableDrawableConstructor(image, rect, 0, 0, top, bottom, 1, 3,
                                                      repeating);
}

ComposedStretchableDrawableConstructor* ComposedStretchableDrawableConstructor::Create3x1(
    const sf::Texture& image, const sf::IntRect& rect, unsigned left, unsigned right, bool repeating)
{
    return new ComposedStretchableDrawableConstructor(image, rect, left, right, 0, 0, 3, 1,
                                                      repeating);
}

void ComposedStretchableDrawableConstructor::CheckRegion(const sf::IntRect& rect) const
{
    if (rect.width < 0 || rect.height < 0)
        RefuseDescription("the region has a negative size");
    const std::uint64_t width = static_cast<std::uint64_t>(rect.width);
    const std::uint64_t height = static_cast<std::uint64_t>(rect.height);
    const std::uint64_t horizontal = std::uint64_t(leftBorder) + rightBorder;
    const std::uint64_t vertical = std::uint64_t(topBorder) + bottomBorder;
    if (columns == 1 && rightBorder != 0)
        RefuseDescription("a single column has no right border");
    if (rows == 1 && bottomBorder != 0)
        RefuseDescription("a single row has no bottom border");
    if (columns == 3 && horizontal > width)
        RefuseDescription("left and right borders are wider than the region");
    if (rows == 3 && vertical > height)
        RefuseDescription("top and bottom borders are higher than the region");
    if (repeating && columns == 3 && horizontal == width)
        RefuseDescription("a repeating description needs a middle tile between left and right");
    if (repeating && rows == 3 && vertical == height)
        RefuseDescription("a repeating description needs a middle tile between top and bottom");
}

void ComposedStretchableDrawableConstructor::CreateSubRects(const sf::IntRect& rect)
{
    CheckRegion(rect);
    regionWidth = static_cast<unsigned>(rect.width);
    regionHeight = static_cast<unsigned>(rect.height);
    if (columns == 1)
        leftBorder = regionWidth;
    if (rows == 1)
        topBorder = regionHeight;

    for (unsigned c = 0; c < columns; ++c)
    {
        cells[c][0].top = rect.top;
        cells[c][0].height = static_cast<int>(topBorder);
        if (rows == 3)
        {
            cells[c][1].top = rect.top + static_cast<int>(topBorder);
            cells[c][1].height = static_cast<int>(GetMiddleHeight());
            cells[c][2].top = rect.top + static_cast<int>(regionHeight - bottomBorder);
            cells[c][2].height = static_cast<int>(bottomBorder);
        }
    }
    for (unsigned r = 0; r < rows; ++r)
    {
        cells[0][r].left = rect.left;
        cells[0][r].width = static_cast<int>(leftBorder);
        if (columns == 3)
        {
            cells[1][r].left = rect.left + static_cast<int>(leftBorder);
            cells[1][r].width = static_cast<int>(GetMiddleWidth());
            cells[2][r].left = rect.left + static_cast<int>(regionWidth - rightBorder);
            cells[2][r].width = static_cast<int>(rightBorder);
        }
    }
}

void ComposedStretchableDrawableConstructor::Initialize(const sf::IntRect& rect)
{
    CreateSubRects(rect);
}

unsigned ComposedStretchableDrawableConstructor::GetMiddleWidth() const
{
    return repeating ? regionWidth - leftBorder - rightBorder : 1;
}

unsigned ComposedStretchableDrawableConstructor::GetMiddleHeight() const
{
    return repeating ? regionHeight - topBorder - bottomBorder : 1;
}

unsigned ComposedStretchableDrawableConstructor::GetPossibleWidth(unsigned width) const
{
    return PossibleSize(width, regionWidth, leftBorder + rightBorder, repeating);
}

unsigned ComposedStretchableDrawableConstructor::GetPossibleHeight(unsigned height) const
{
    return PossibleSize(height, regionHeight, topBorder + bottomBorder, repeating);
}

void ComposedStretchableDrawableConstructor::FillDrawables(DrawableGrid& parts) const
{
    parts.resize(boost::extents[columns][rows]);
    for (unsigned c = 0; c < columns; ++c)
    {
        for (unsigned r = 0; r < rows; ++r)
            parts[c][r] = std::make_shared<sf::Sprite>(image, cells[c][r]);
    }
}
