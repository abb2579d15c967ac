#pragma once

#include "gui/ComposedStretchableDrawableConstructor.h"

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Transformable.hpp>

#include <memory>

// Shows a composed description at a size it can take: corners at their own
// size, borders and middle stretched (stretching description) or tiled a whole
// number of times (repeating description). A repeating drawable renders itself
// once per layout into a render texture, when one can be created, and then
// draws only that picture.
class ComposedStretchableDrawable : public sf::Drawable, public sf::Transformable
{
public:
    ComposedStretchableDrawable(const ComposedStretchableDrawableConstructor& description, float width,
                                float height, bool snap);
    ~ComposedStretchableDrawable() override;

    // Draws every part (and every tile) into target, without the cache.
    virtual void FullRender(sf::RenderTarget& target, sf::RenderStates states = sf::RenderStates::Default) const;

    void PositionAndScaleDrawables();
    void Resize(float width, float height);
    void SetWidth(float width);
    void SetHeight(float height);
    float GetWidth() const { return m_width; }
    float GetHeight() const { return m_height; }
    bool CanModifyWidth() const { return m_columns == 3; }
    bool CanModifyHeight() const { return m_rows == 3; }

    // Whether the picture is drawn from the render-texture cache.
    bool IsCached() const { return m_cacheSprite != nullptr; }
    // Test seam: drops the cache, so that every draw renders all parts.
    void DisableCacheForTesting();

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

private:
    sf::Transformable& Part(unsigned column, unsigned row);
    void RefreshCache();
    void DropCache();

    ComposedStretchableDrawableConstructor::DrawableGrid m_parts;
    ComposedStretchableDrawableConstructor m_description;
    unsigned m_columns;
    unsigned m_rows;
    float m_width;
    float m_height;
    bool m_snap;
    unsigned m_horizontalRepeatCount;
    unsigned m_verticalRepeatCount;
    std::unique_ptr<sf::RenderTexture> m_cacheImage;
    std::unique_ptr<sf::Sprite> m_cacheSprite;
};
