#include "gui/ComposedStretchableDrawable.h"

#include <SFML/Graphics/BlendMode.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

#include <cmath>
#include <limits>

namespace
{
// The cache holds colours already multiplied by their alpha (it was cleared to
// transparent black and blended into); drawing it with the ordinary alpha blend
// would multiply them a second time and darken every soft edge.
const sf::BlendMode PREMULTIPLIED_ALPHA(sf::BlendMode::One, sf::BlendMode::OneMinusSrcAlpha);

// An asked size in whole pixels: truncated, with negative (or not-a-number)
// sizes taken as 0 and huge ones held to the largest whole number.
unsigned AskedSize(float size)
{
    if (!(size > 0.0f))
        return 0;
    if (size >= static_cast<float>(std::numeric_limits<unsigned>::max()))
        return std::numeric_limits<unsigned>::max();
    return static_cast<unsigned>(size);
}
}

ComposedStretchableDrawable::ComposedStretchableDrawable(
    const ComposedStretchableDrawableConstructor& description, float width, float height, bool snap)
    : m_parts(), m_description(description), m_columns(0), m_rows(0), m_width(0.0f), m_height(0.0f),
      m_snap(snap), m_horizontalRepeatCount(1), m_verticalRepeatCount(1)
{
    m_description.FillDrawables(m_parts);
    m_columns = static_cast<unsigned>(m_parts.shape()[0]);
    m_rows = static_cast<unsigned>(m_parts.shape()[1]);
    if (m_description.IsRepeating())
    {
        m_cacheImage = std::make_unique<sf::RenderTexture>();
        m_cacheSprite = std::make_unique<sf::Sprite>();
    }
    if (m_columns == 3)
        m_width = static_cast<float>(m_description.GetPossibleWidth(AskedSize(width)));
    if (m_rows == 3)
        m_height = static_cast<float>(m_description.GetPossibleHeight(AskedSize(height)));
    PositionAndScaleDrawables();
}

ComposedStretchableDrawable::~ComposedStretchableDrawable() = default;

sf::Transformable& ComposedStretchableDrawable::Part(unsigned column, unsigned row)
{
    // The description fills the grid with sprites.
    return dynamic_cast<sf::Transformable&>(*m_parts[column][row]);
}

void ComposedStretchableDrawable::PositionAndScaleDrawables()
{
    const float left = static_cast<float>(m_description.GetLeftBorder());
    const float right = static_cast<float>(m_description.GetRightBorder());
    const float top = static_cast<float>(m_description.GetTopBorder());
    const float bottom = static_cast<float>(m_description.GetBottomBorder());

    float middleWidth = m_width - left - right;
    float middleHeight = m_height - top - bottom;
    if (middleWidth < 0.0f)
    {
        m_width -= middleWidth;
        middleWidth = 0.0f;
    }
    if (middleHeight < 0.0f)
    {
        m_height -= middleHeight;
        middleHeight = 0.0f;
    }
    if (m_snap)
    {
        middleWidth = std::trunc(middleWidth);
        middleHeight = std::trunc(middleHeight);
    }

    const float x[3] = {0.0f, left, left + middleWidth};
    const float y[3] = {0.0f, top, top + middleHeight};
    for (unsigned c = 0; c < m_columns; ++c)
    {
        for (unsigned r = 0; r < m_rows; ++r)
            Part(c, r).setPosition(x[c], y[r]);
    }

    if (m_columns == 3)
    {
        if (m_description.IsRepeating())
            m_horizontalRepeatCount = static_cast<unsigned>(middleWidth / m_description.GetMiddleWidth());
        else
        {
            for (unsigned r = 0; r < m_rows; ++r)
                Part(1, r).setScale(middleWidth, Part(1, r).getScale().y);
        }
    }
    if (m_rows == 3)
    {
        if (m_description.IsRepeating())
            m_verticalRepeatCount = static_cast<unsigned>(middleHeight / m_description.GetMiddleHeight());
        else
        {
            for (unsigned c = 0; c < m_columns; ++c)
                Part(c, 1).setScale(Part(c, 1).getScale().x, middleHeight);
        }
    }
    RefreshCache();
}

void ComposedStretchableDrawable::RefreshCache()
{
    if (!m_cacheSprite)
        return;
    // Without a render texture of this size the parts are drawn directly: the same picture.
    // (The default context settings ask for no depth buffer.)
    if (!m_cacheImage->create(static_cast<unsigned>(m_width), static_cast<unsigned>(m_height)))
    {
        DropCache();
        return;
    }
    m_cacheImage->clear(sf::Color(0, 0, 0, 0));
    FullRender(*m_cacheImage);
    m_cacheImage->display();
    m_cacheSprite->setTexture(m_cacheImage->getTexture(), true);
}

void ComposedStretchableDrawable::DisableCacheForTesting()
{
    DropCache();
}

void ComposedStretchableDrawable::DropCache()
{
    m_cacheSprite.reset();
    m_cacheImage.reset();
}

void ComposedStretchableDrawable::Resize(float width, float height)
{
    if (m_columns == 3)
        m_width = static_cast<float>(m_description.GetPossibleWidth(AskedSize(width)));
    if (m_rows == 3)
        m_height = static_cast<float>(m_description.GetPossibleHeight(AskedSize(height)));
    PositionAndScaleDrawables();
}

void ComposedStretchableDrawable::SetWidth(float width)
{
    if (m_columns != 3)
        return;
    m_width = static_cast<float>(m_description.GetPossibleWidth(AskedSize(width)));
    PositionAndScaleDrawables();
}

void ComposedStretchableDrawable::SetHeight(float height)
{
    if (m_rows != 3)
        return;
    m_height = static_cast<float>(m_description.GetPossibleHeight(AskedSize(height)));
    PositionAndScaleDrawables();
}

void ComposedStretchableDrawable::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    states.transform *= getTransform();
    if (m_cacheSprite)
    {
        states.blendMode = PREMULTIPLIED_ALPHA;
        target.draw(*m_cacheSprite, states);
    }
    else
        FullRender(target, states);
}

void ComposedStretchableDrawable::FullRender(sf::RenderTarget& target, sf::RenderStates states) const
{
    if (!m_description.IsRepeating())
    {
        for (unsigned c = 0; c < m_columns; ++c)
        {
            for (unsigned r = 0; r < m_rows; ++r)
                target.draw(*m_parts[c][r], states);
        }
        return;
    }

    const unsigned left = m_description.GetLeftBorder();
    const unsigned top = m_description.GetTopBorder();
    const unsigned tileWidth = m_description.GetMiddleWidth();
    const unsigned tileHeight = m_description.GetMiddleHeight();
    const unsigned columnStart[3] = {0, left, left + tileWidth * m_horizontalRepeatCount};
    const unsigned rowStart[3] = {0, top, top + tileHeight * m_verticalRepeatCount};
    for (unsigned c = 0; c < m_columns; ++c)
    {
        for (unsigned r = 0; r < m_rows; ++r)
        {
            const sf::Drawable& part = *m_parts[c][r];
            if (c != 1 && r != 1)
            {
                target.draw(part, states);
                continue;
            }
            // Each tile is drawn by shifting the part from where the layout put it.
            const sf::Vector2f laidOut = dynamic_cast<const sf::Transformable&>(part).getPosition();
            const unsigned across = c == 1 ? m_horizontalRepeatCount : 1;
            const unsigned down = r == 1 ? m_verticalRepeatCount : 1;
            for (unsigned i = 0; i < across; ++i)
            {
                for (unsigned j = 0; j < down; ++j)
                {
                    sf::RenderStates tile = states;
                    tile.transform.translate(static_cast<float>(columnStart[c] + i * tileWidth) - laidOut.x,
                                             static_cast<float>(rowStart[r] + j * tileHeight) - laidOut.y);
                    target.draw(part, tile);
                }
            }
        }
    }
}
