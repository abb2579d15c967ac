#include "utility/Collision.h"

#include "utility/MathHelper.h"

#include <cmath>
#include <utility>

namespace
{
sf::Vector2<float> GetSize(sf::Sprite const& sprite)
{
    sf::IntRect const& rect = sprite.getTextureRect();
    return sf::Vector2<float>(rect.width * sprite.getScale().x, rect.height * sprite.getScale().y);
}

int Truncate(float value)
{
    return static_cast<int>(value);
}

float ToRadians(float degrees)
{
    return static_cast<float>(degrees * MathHelper::DEG_TO_RAD);
}

bool IsOpaque(sf::Image const& image, sf::IntRect const& textureRect, sf::Vector2<float> const& local,
              unsigned char alphaLimit)
{
    int x = textureRect.left + Truncate(local.x);
    int y = textureRect.top + Truncate(local.y);
    sf::Vector2u size = image.getSize();
    // A texture rectangle reaching past its image must not read outside the pixels.
    if (x < 0 || y < 0 || static_cast<unsigned int>(x) >= size.x || static_cast<unsigned int>(y) >= size.y)
        return false;
    return image.getPixel(static_cast<unsigned int>(x), static_cast<unsigned int>(y)).a > alphaLimit;
}
}

sf::Rect<int> Collision::GetAABB(sf::Sprite const& sprite)
{
    sf::Vector2<float> position = sprite.getTransform().transformPoint(0.0f, 0.0f);
    sf::Vector2<float> size = GetSize(sprite);
    float angle = sprite.getRotation();

    if (angle == 0.0f)
        return sf::Rect<int>(Truncate(position.x), Truncate(position.y), Truncate(size.x), Truncate(size.y));

    float radians = ToRadians(angle);
    float cosine = std::cos(radians);
    float sine = std::sin(radians);
    // The corners as the sprite's transform turns them (clockwise on screen).
    auto turn = [cosine, sine](float x, float y) {
        return sf::Vector2<float>(x * cosine - y * sine, x * sine + y * cosine);
    };
    sf::Vector2<float> right = turn(size.x, 0.0f);
    sf::Vector2<float> far = turn(size.x, size.y);
    sf::Vector2<float> bottom = turn(0.0f, size.y);

    float minX = MinValue(0.0f, right.x, far.x, bottom.x);
    float maxX = MaxValue(0.0f, right.x, far.x, bottom.x);
    float minY = MinValue(0.0f, right.y, far.y, bottom.y);
    float maxY = MaxValue(0.0f, right.y, far.y, bottom.y);

    return sf::Rect<int>(Truncate(minX) + Truncate(position.x), Truncate(position.y) + Truncate(minY),
                         Truncate(maxX) - Truncate(minX), Truncate(maxY) - Truncate(minY));
}

sf::Vector2<float> Collision::RotatePoint(sf::Vector2<float> const& point, float angle)
{
    float radians = ToRadians(angle);
    float cosine = std::cos(radians);
    float sine = std::sin(radians);
    return sf::Vector2<float>(point.x * cosine + point.y * sine, -point.x * sine + point.y * cosine);
}

float Collision::MinValue(float a, float b, float c, float d)
{
    float result = a;
    if (b < result)
        result = b;
    if (c < result)
        result = c;
    if (d < result)
        result = d;
    return result;
}

float Collision::MaxValue(float a, float b, float c, float d)
{
    float result = a;
    if (b > result)
        result = b;
    if (c > result)
        result = c;
    if (d > result)
        result = d;
    return result;
}

bool Collision::CircleTest(sf::Sprite const& a, sf::Sprite const& b)
{
    sf::Vector2<float> sizeA = GetSize(a);
    sf::Vector2<float> sizeB = GetSize(b);
    float radiusA = (sizeA.x + sizeA.y) * 0.25f;
    float radiusB = (sizeB.x + sizeB.y) * 0.25f;
    return radiusA + radiusB >= MathHelper::Distance(a.getPosition(), b.getPosition());
}

// Works in the frame in which b is axis-aligned and a is centred at the origin:
// finds a's horizontal reach and its vertical extremes over b's horizontal range.
bool Collision::BoundingBoxTest(sf::Sprite const& a, sf::Sprite const& b)
{
    sf::Vector2<float> halfA = GetSize(a) * 0.5f;
    sf::Vector2<float> halfB = GetSize(b) * 0.5f;

    double angle = (a.getRotation() - b.getRotation()) * MathHelper::DEG_TO_RAD;
    float cosA = static_cast<float>(std::cos(angle));
    float sinA = static_cast<float>(std::sin(angle));

    sf::Vector2<float> centre = RotatePoint(b.getPosition() - a.getPosition(), b.getRotation());
    sf::Vector2<float> low = centre - halfB;
    sf::Vector2<float> high = centre + halfB;

    sf::Vector2<float> vertexA(-halfA.y * sinA + halfA.x * cosA, halfA.y * cosA + halfA.x * sinA);
    sf::Vector2<float> vertexB(-halfA.y * sinA - halfA.x * cosA, halfA.y * cosA - halfA.x * sinA);

    // A must give the vertical extreme and B the horizontal one, B the leftmost.
    float product = sinA * cosA;
    if (product < 0.0f)
        std::swap(vertexA, vertexB);
    if (sinA < 0.0f)
        vertexB = -vertexB;

    if (vertexB.x > high.x || vertexB.x > -low.x)
        return false;

    float extreme1;
    float extreme2;
    if (product == 0.0f)
    {
        extreme1 = vertexA.y;
        extreme2 = -extreme1;
    }
    else
    {
        float x = low.x - vertexA.x;
        float w = high.x - vertexA.x;
        extreme1 = vertexA.y;
        if (w * x > 0.0f)
        {
            float dx;
            if (x < 0.0f)
            {
                dx = vertexA.x - vertexB.x;
                extreme1 = vertexA.y - vertexB.y;
                x = w;
            }
            else
            {
                dx = vertexA.x + vertexB.x;
                extreme1 = vertexA.y + vertexB.y;
            }
            extreme1 = extreme1 * x / dx + vertexA.y;
        }

        x = low.x + vertexA.x;
        w = high.x + vertexA.x;
        extreme2 = -vertexA.y;
        if (w * x > 0.0f)
        {
            float dx;
            if (x < 0.0f)
            {
                dx = -vertexA.x - vertexB.x;
                extreme2 = -vertexA.y - vertexB.y;
                x = w;
            }
            else
            {
                dx = -vertexA.x + vertexB.x;
                extreme2 = -vertexA.y + vertexB.y;
            }
            extreme2 = extreme2 * x / dx - vertexA.y;
        }
    }

    return !((extreme1 < low.y && extreme2 < low.y) || (extreme1 > high.y && extreme2 > high.y));
}

bool Collision::PixelPerfectTest(sf::Sprite const& a, sf::Image const& imageA, sf::Sprite const& b,
                                 sf::Image const& imageB, unsigned char alphaLimit)
{
    sf::Rect<int> overlap(0, 0, 0, 0);
    if (!GetAABB(a).intersects(GetAABB(b), overlap))
        return false;
    if (alphaLimit == 0)
        return true;

    sf::IntRect const& rectA = a.getTextureRect();
    sf::IntRect const& rectB = b.getTextureRect();
    sf::Transform const& toLocalA = a.getInverseTransform();
    sf::Transform const& toLocalB = b.getInverseTransform();

    for (int x = overlap.left; x < overlap.left + overlap.width; ++x)
    {
        for (int y = overlap.top; y < overlap.top + overlap.height; ++y)
        {
            sf::Vector2<float> pointA = toLocalA.transformPoint(static_cast<float>(x), static_cast<float>(y));
            sf::Vector2<float> pointB = toLocalB.transformPoint(static_cast<float>(x), static_cast<float>(y));
            // Strictly inside: a point on a sprite's left or top edge is not tested.
            if (pointA.x > 0.0f && pointA.y > 0.0f && pointB.x > 0.0f && pointB.y > 0.0f && pointA.x < rectA.width &&
                pointA.y < rectA.height && pointB.x < rectB.width && pointB.y < rectB.height)
            {
                if (IsOpaque(imageA, rectA, pointA, alphaLimit) && IsOpaque(imageB, rectB, pointB, alphaLimit))
                    return true;
            }
        }
    }
    return false;
}
