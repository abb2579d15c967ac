#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Vector2.hpp>

// Collision tests between sprites. A sprite's size is its texture rectangle
// times its scale; rotations are in degrees, as sf::Sprite keeps them, and a
// positive rotation turns a sprite clockwise on screen (y grows downwards).
class Collision
{
public:
    Collision() = default;
    virtual ~Collision() = default;

    // Axis-aligned box around the rotated sprite, in whole pixels (truncated toward zero).
    static sf::Rect<int> GetAABB(sf::Sprite const& sprite);

    // (x cos a + y sin a, -x sin a + y cos a) with a = angle in radians: turns a
    // global offset into the frame of a sprite that is rotated by angle degrees.
    static sf::Vector2<float> RotatePoint(sf::Vector2<float> const& point, float angle);

    // The smallest, the largest of four values; ties keep the earlier one.
    static float MinValue(float a, float b, float c, float d);
    static float MaxValue(float a, float b, float c, float d);

    // Circles of radius (width + height) / 4 around the sprites' positions overlap or touch.
    static bool CircleTest(sf::Sprite const& a, sf::Sprite const& b);

    // The sprites, taken as rectangles centred on their positions (origin at the
    // sprite's centre) and turned by their rotations, overlap; touching counts.
    static bool BoundingBoxTest(sf::Sprite const& a, sf::Sprite const& b);

    // Pixel-exact test: true when some whole-pixel point of the two boxes' overlap
    // falls strictly inside both sprites on pixels whose alpha is greater than
    // alphaLimit in both. A limit of 0 makes the box overlap enough.
    // Pixels are read from the images the sprites' textures were made from
    // (imageA for a, imageB for b), inside each sprite's texture rectangle, so
    // nothing is copied back from the graphics card; points outside an image
    // count as transparent.
    static bool PixelPerfectTest(sf::Sprite const& a, sf::Image const& imageA, sf::Sprite const& b,
                                 sf::Image const& imageB, unsigned char alphaLimit);
};
