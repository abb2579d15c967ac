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
    const sf::Texture& image, const sf::IntRect& rect, unsigned left, unsigned right, unsigned top,
    unsigned bottom, unsigned columns, unsigned rows, bool repeating)
    : m_image(image), m_leftBorder(left), m_rightBorder(right), m_topBorder(top),
      m_bottomBorder(bottom), m_repeating(repeating), m_columns(columns), m_rows(rows), m_cells(),
      m_regionWidth(0), m_regionHeight(0)
{
    if ((m_columns != 1 && m_columns != 3) || (m_rows != 1 && m_rows != 3))
        RefuseDescription("columns and rows must each be 1 or 3");
    m_cells.resize(boost::extents[m_columns][m_rows]);
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
    // The cells' far edges are computed as int.
    const std::int64_t right = std::int64_t(rect.left) + rect.width;
    const std::int64_t bottom = std::int64_t(rect.top) + rect.height;
    if (right > std::numeric_limits<int>::max() || bottom > std::numeric_limits<int>::max())
        RefuseDescription("the region reaches beyond the coordinate range");
    const std::uint64_t width = static_cast<std::uint64_t>(rect.width);
    const std::uint64_t height = static_cast<std::uint64_t>(rect.height);
    const std::uint64_t horizontal = std::uint64_t(m_leftBorder) + m_rightBorder;
    const std::uint64_t vertical = std::uint64_t(m_topBorder) + m_bottomBorder;
    if (m_columns == 1 && m_rightBorder != 0)
        RefuseDescription("a single column has no right border");
    if (m_rows == 1 && m_bottomBorder != 0)
        RefuseDescription("a single row has no bottom border");
    if (m_columns == 3 && horizontal > width)
        RefuseDescription("left and right borders are wider than the region");
    if (m_rows == 3 && vertical > height)
        RefuseDescription("top and bottom borders are higher than the region");
    if (m_repeating && m_columns == 3 && horizontal == width)
        RefuseDescription("a repeating description needs a middle tile between left and right");
    if (m_repeating && m_rows == 3 && vertical == height)
        RefuseDescription("a repeating description needs a middle tile between top and bottom");
}

void ComposedStretchableDrawableConstructor::CreateSubRects(const sf::IntRect& rect)
{
    CheckRegion(rect);
    m_regionWidth = static_cast<unsigned>(rect.width);
    m_regionHeight = static_cast<unsigned>(rect.height);
    if (m_columns == 1)
        m_leftBorder = m_regionWidth;
    if (m_rows == 1)
        m_topBorder = m_regionHeight;

    for (unsigned c = 0; c < m_columns; ++c)
    {
        m_cells[c][0].top = rect.top;
        m_cells[c][0].height = static_cast<int>(m_topBorder);
        if (m_rows == 3)
        {
            m_cells[c][1].top = rect.top + static_cast<int>(m_topBorder);
            m_cells[c][1].height = static_cast<int>(GetMiddleHeight());
            m_cells[c][2].top = rect.top + static_cast<int>(m_regionHeight - m_bottomBorder);
            m_cells[c][2].height = static_cast<int>(m_bottomBorder);
        }
    }
    for (unsigned r = 0; r < m_rows; ++r)
    {
        m_cells[0][r].left = rect.left;
        m_cells[0][r].width = static_cast<int>(m_leftBorder);
        if (m_columns == 3)
        {
            m_cells[1][r].left = rect.left + static_cast<int>(m_leftBorder);
            m_cells[1][r].width = static_cast<int>(GetMiddleWidth());
            m_cells[2][r].left = rect.left + static_cast<int>(m_regionWidth - m_rightBorder);
            m_cells[2][r].width = static_cast<int>(m_rightBorder);
        }
    }
}

void ComposedStretchableDrawableConstructor::Initialize(const sf::IntRect& rect)
{
    CreateSubRects(rect);
}

unsigned ComposedStretchableDrawableConstructor::GetMiddleWidth() const
{
    return m_repeating ? m_regionWidth - m_leftBorder - m_rightBorder : 1;
}

unsigned ComposedStretchableDrawableConstructor::GetMiddleHeight() const
{
    return m_repeating ? m_regionHeight - m_topBorder - m_bottomBorder : 1;
}

unsigned ComposedStretchableDrawableConstructor::GetPossibleWidth(unsigned width) const
{
    return PossibleSize(width, m_regionWidth, m_leftBorder + m_rightBorder, m_repeating);
}

unsigned ComposedStretchableDrawableConstructor::GetPossibleHeight(unsigned height) const
{
    return PossibleSize(height, m_regionHeight, m_topBorder + m_bottomBorder, m_repeating);
}

void ComposedStretchableDrawableConstructor::FillDrawables(DrawableGrid& parts) const
{
    parts.resize(boost::extents[m_columns][m_rows]);
    for (unsigned c = 0; c < m_columns; ++c)
    {
        for (unsigned r = 0; r < m_rows; ++r)
            parts[c][r] = std::make_shared<sf::Sprite>(m_image, m_cells[c][r]);
    }
}
