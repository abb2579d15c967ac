#pragma once

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <boost/multi_array.hpp>

#include <memory>

// Describes one region of a texture cut into border and middle cells (3x3,
// 1x3 or 3x1). A stretching description cuts one-pixel middles that are later
// scaled; a repeating one keeps the whole middle as a tile that is repeated.
// The texture is not owned and must outlive the description and every
// drawable made from it.
class ComposedStretchableDrawableConstructor
{
public:
    typedef boost::multi_array<std::shared_ptr<sf::Drawable>, 2> DrawableGrid;

    // Refuses a description whose borders do not fit the region (or, when
    // repeating, leave no middle tile) with an ExceptionBase.
    ComposedStretchableDrawableConstructor(const sf::Texture& image, const sf::IntRect& rect,
                                           unsigned left, unsigned right, unsigned top,
                                           unsigned bottom, unsigned columns, unsigned rows,
                                           bool repeating);
    virtual ~ComposedStretchableDrawableConstructor() = default;

    static ComposedStretchableDrawableConstructor* Create3x3(const sf::Texture& image,
                                                             const sf::IntRect& rect, unsigned left,
                                                             unsigned right, unsigned top,
                                                             unsigned bottom, bool repeating);
    static ComposedStretchableDrawableConstructor* Create1x3(const sf::Texture& image,
                                                             const sf::IntRect& rect, unsigned top,
                                                             unsigned bottom, bool repeating);
    static ComposedStretchableDrawableConstructor* Create3x1(const sf::Texture& image,
                                                             const sf::IntRect& rect, unsigned left,
                                                             unsigned right, bool repeating);

    void CreateSubRects(const sf::IntRect& rect);
    void Initialize(const sf::IntRect& rect);

    unsigned GetLeftBorder() const { return m_leftBorder; }
    unsigned GetRightBorder() const { return m_rightBorder; }
    unsigned GetTopBorder() const { return m_topBorder; }
    unsigned GetBottomBorder() const { return m_bottomBorder; }
    unsigned GetOriginalWidth() const { return m_regionWidth; }
    unsigned GetOriginalHeight() const { return m_regionHeight; }
    bool IsRepeating() const { return m_repeating; }
    const sf::IntRect& GetCell(unsigned column, unsigned row) const { return m_cells[column][row]; }

    unsigned GetMiddleWidth() const;
    unsigned GetMiddleHeight() const;
    unsigned GetPossibleWidth(unsigned width) const;
    unsigned GetPossibleHeight(unsigned height) const;

    void FillDrawables(DrawableGrid& parts) const;

private:
    void CheckRegion(const sf::IntRect& rect) const;

    const sf::Texture& m_image;
    unsigned m_leftBorder;
    unsigned m_rightBorder;
    unsigned m_topBorder;
    unsigned m_bottomBorder;
    bool m_repeating;
    unsigned m_columns;
    unsigned m_rows;
    boost::multi_array<sf::IntRect, 2> m_cells;
    unsigned m_regionWidth;
    unsigned m_regionHeight;
};
