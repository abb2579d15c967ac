#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

// 2-D vector helpers and angle constants. Angles are radians; y grows downwards.
class MathHelper
{
public:
    static constexpr double PI = 3.141592653589793;
    static constexpr double RAD_TO_DEG = 57.29577951308232;
    static constexpr double DEG_TO_RAD = 0.017453292519943295;
    static constexpr float PI_F = 3.1415927f;
    static constexpr float RAD_TO_DEG_F = 57.29578f;
    static constexpr float DEG_TO_RAD_F = 0.017453292f;

    MathHelper() = default;
    virtual ~MathHelper() = default;

    // Half-open box: the left and top edges belong to it, the right and bottom ones do not.
    static bool Contains(sf::Vector2<float> const& point, sf::Vector2<float> const& topLeft, sf::Vector2<float> size);
    static bool Contains(sf::Vector2<float> const& point, sf::Vector2<float> const& topLeft, float width, float height);

    // The zero vector comes back unchanged.
    static sf::Vector2<float> Normalize(sf::Vector2<float> const& vector);
    static float Length(sf::Vector2<float> const& vector);
    // The squared length; no root is taken.
    static float LengthSqrt(sf::Vector2<float> const& vector);
    static float Distance(sf::Vector2<float> const& a, sf::Vector2<float> const& b);
    // The squared distance.
    static float DistanceSqrt(sf::Vector2<float> const& a, sf::Vector2<float> const& b);
    static float GetAngle(sf::Vector2<float> const& vector);
    static sf::Vector2<float> GetVectorByAngle(double angle);

    static bool IntersectsCircleRectangle(sf::Vector2<float> const& centre, float radius, sf::Rect<float> const& box);
    static bool IntersectsCircleRectangle(sf::Vector2<float> const& centre, float radius,
                                          sf::Vector2<float> const& topLeft, float width, float height);
};
