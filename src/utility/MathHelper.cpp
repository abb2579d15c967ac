#include "utility/MathHelper.h"

#include <cmath>

namespace
{
constexpr double TWO_PI = 6.283185307179586;
}

bool MathHelper::Contains(sf::Vector2<float> const& point, sf::Vector2<float> const& topLeft, sf::Vector2<float> size)
{
    return Contains(point, topLeft, size.x, size.y);
}

bool MathHelper::Contains(sf::Vector2<float> const& point, sf::Vector2<float> const& topLeft, float width, float height)
{
    return topLeft.x <= point.x && point.x < topLeft.x + width && topLeft.y <= point.y && point.y < topLeft.y + height;
}

sf::Vector2<float> MathHelper::Normalize(sf::Vector2<float> const& vector)
{
    float length = Length(vector);
    if (length == 0.0f)
        length = 1.0f;
    return vector / length;
}

float MathHelper::Length(sf::Vector2<float> const& vector)
{
    return std::sqrt(LengthSqrt(vector));
}

float MathHelper::LengthSqrt(sf::Vector2<float> const& vector)
{
    return vector.x * vector.x + vector.y * vector.y;
}

float MathHelper::Distance(sf::Vector2<float> const& a, sf::Vector2<float> const& b)
{
    return std::sqrt(DistanceSqrt(a, b));
}

float MathHelper::DistanceSqrt(sf::Vector2<float> const& a, sf::Vector2<float> const& b)
{
    return LengthSqrt(a - b);
}

float MathHelper::GetAngle(sf::Vector2<float> const& vector)
{
    return std::atan2(vector.y, vector.x);
}

sf::Vector2<float> MathHelper::GetVectorByAngle(double angle)
{
    double reduced = std::fmod(angle, TWO_PI);
    return sf::Vector2<float>(static_cast<float>(std::cos(reduced)), static_cast<float>(std::sin(reduced)));
}

bool MathHelper::IntersectsCircleRectangle(sf::Vector2<float> const& centre, float radius, sf::Rect<float> const& box)
{
    return IntersectsCircleRectangle(centre, radius, sf::Vector2<float>(box.left, box.top), box.width, box.height);
}

bool MathHelper::IntersectsCircleRectangle(sf::Vector2<float> const& centre, float radius,
                                           sf::Vector2<float> const& topLeft, float width, float height)
{
    float halfWidth = width * 0.5f;
    float halfHeight = height * 0.5f;
    float dx = std::fabs(centre.x - topLeft.x - halfWidth);
    float dy = std::fabs(centre.y - topLeft.y - halfHeight);

    if (dx > halfWidth + radius || dy > halfHeight + radius)
        return false;
    if (dx <= halfWidth || dy <= halfHeight)
        return true;

    float cornerX = dx - halfWidth;
    float cornerY = dy - halfHeight;
    return cornerX * cornerX + cornerY * cornerY <= radius * radius;
}
