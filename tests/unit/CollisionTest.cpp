#include "utility/Collision.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace
{
// Sprites without a texture: the collision tests only need the texture
// rectangle and the transform, so no graphics context is required.
sf::Sprite MakeSprite(int width, int height, sf::Vector2f position, float rotation = 0.0f, bool centred = false)
{
    sf::Sprite sprite;
    sprite.setTextureRect(sf::IntRect(0, 0, width, height));
    if (centred)
        sprite.setOrigin(width * 0.5f, height * 0.5f);
    sprite.setPosition(position);
    sprite.setRotation(rotation);
    return sprite;
}

// Separating-axis test on the corners the sprite's own transform produces;
// margin is how far the rectangles overlap (negative: the gap between them).
float OverlapMargin(sf::Sprite const& a, sf::Sprite const& b)
{
    auto corners = [](sf::Sprite const& s) {
        sf::FloatRect r = s.getLocalBounds();
        sf::Transform const& t = s.getTransform();
        return std::vector<sf::Vector2f>{t.transformPoint(0, 0), t.transformPoint(r.width, 0),
                                         t.transformPoint(r.width, r.height), t.transformPoint(0, r.height)};
    };
    std::vector<sf::Vector2f> ca = corners(a);
    std::vector<sf::Vector2f> cb = corners(b);
    float margin = 1e9f;
    for (auto const* poly : {&ca, &cb})
    {
        for (int i = 0; i < 2; ++i)
        {
            sf::Vector2f edge = (*poly)[i + 1] - (*poly)[i];
            float length = std::sqrt(edge.x * edge.x + edge.y * edge.y);
            sf::Vector2f axis(-edge.y / length, edge.x / length);
            auto project = [&axis](std::vector<sf::Vector2f> const& p, float& lo, float& hi) {
                lo = 1e9f;
                hi = -1e9f;
                for (auto const& v : p)
                {
                    float d = v.x * axis.x + v.y * axis.y;
                    lo = std::min(lo, d);
                    hi = std::max(hi, d);
                }
            };
            float loA, hiA, loB, hiB;
            project(ca, loA, hiA);
            project(cb, loB, hiB);
            margin = std::min(margin, std::min(hiA, hiB) - std::max(loA, loB));
        }
    }
    return margin;
}

sf::Image MakeImage(unsigned int width, unsigned int height, sf::Uint8 alpha)
{
    sf::Image image;
    image.create(width, height, sf::Color(255, 255, 255, alpha));
    return image;
}
}

TEST(Collision, aabb_of_unrotated_sprite_is_its_truncated_position_and_size)
{
    sf::Sprite sprite = MakeSprite(30, 40, sf::Vector2f(10.7f, 20.2f));
    sprite.setScale(2.0f, 1.5f);
    EXPECT_EQ(Collision::GetAABB(sprite), sf::IntRect(10, 20, 60, 60));
}

TEST(Collision, aabb_at_90_degrees_swaps_width_and_height_where_the_sprite_is_drawn)
{
    sf::Sprite sprite = MakeSprite(30, 40, sf::Vector2f(100.0f, 100.0f), 90.0f);
    sf::IntRect box = Collision::GetAABB(sprite);
    EXPECT_EQ(box, sf::IntRect(60, 100, 40, 30));
    sf::FloatRect drawn = sprite.getGlobalBounds();
    EXPECT_NEAR(box.left, drawn.left, 1.0f);
    EXPECT_NEAR(box.top, drawn.top, 1.0f);
}

TEST(Collision, rotate_point_takes_an_offset_into_a_rotated_sprite_frame)
{
    sf::Sprite sprite = MakeSprite(10, 10, sf::Vector2f(0.0f, 0.0f), 30.0f);
    sf::Vector2f global = sprite.getTransform().transformPoint(7.0f, 3.0f);
    sf::Vector2f local = Collision::RotatePoint(global, 30.0f);
    EXPECT_NEAR(local.x, 7.0f, 1e-4f);
    EXPECT_NEAR(local.y, 3.0f, 1e-4f);
}

TEST(Collision, min_and_max_of_four)
{
    EXPECT_EQ(Collision::MinValue(3.0f, -1.0f, 2.0f, -1.0f), -1.0f);
    EXPECT_EQ(Collision::MaxValue(3.0f, -1.0f, 7.0f, 0.0f), 7.0f);
}

TEST(Collision, circle_test_touching_counts)
{
    // Radii (10 + 10) / 4 = 5 each.
    sf::Sprite a = MakeSprite(10, 10, sf::Vector2f(0.0f, 0.0f));
    EXPECT_TRUE(Collision::CircleTest(a, MakeSprite(10, 10, sf::Vector2f(10.0f, 0.0f))));
    EXPECT_FALSE(Collision::CircleTest(a, MakeSprite(10, 10, sf::Vector2f(10.5f, 0.0f))));
}

TEST(Collision, bounding_box_of_unrotated_sprites_counts_touching_edges)
{
    // 20x10 and 10x10 boxes around their positions: they touch when 15 apart in x.
    sf::Sprite a = MakeSprite(20, 10, sf::Vector2f(100.0f, 100.0f), 0.0f, true);
    struct
    {
        float x, y;
        bool hit;
    } const cases[] = {
        {110.0f, 100.0f, true},   // overlapping
        {115.0f, 100.0f, true},   // right edge touching
        {85.0f, 100.0f, true},    // left edge touching
        {100.0f, 110.0f, true},   // bottom edge touching
        {115.1f, 100.0f, false},  // a gap on the right
        {100.0f, 89.9f, false},   // a gap above
        {115.1f, 110.1f, false},  // diagonal gap
    };
    for (auto const& c : cases)
    {
        sf::Sprite b = MakeSprite(10, 10, sf::Vector2f(c.x, c.y), 0.0f, true);
        EXPECT_EQ(Collision::BoundingBoxTest(a, b), c.hit) << c.x << "," << c.y;
        EXPECT_EQ(Collision::BoundingBoxTest(b, a), c.hit) << c.x << "," << c.y;
    }
}

TEST(Collision, bounding_box_of_rotated_sprites_matches_the_drawn_rectangles)
{
    std::mt19937 generator(2024);
    std::uniform_real_distribution<float> size(4.0f, 50.0f);
    std::uniform_real_distribution<float> position(0.0f, 60.0f);
    std::uniform_real_distribution<float> rotation(0.0f, 360.0f);
    int compared = 0;
    int hits = 0;
    for (int i = 0; i < 2000; ++i)
    {
        sf::Sprite a = MakeSprite(static_cast<int>(size(generator)), static_cast<int>(size(generator)),
                                  sf::Vector2f(position(generator), position(generator)), rotation(generator), true);
        sf::Sprite b = MakeSprite(static_cast<int>(size(generator)), static_cast<int>(size(generator)),
                                  sf::Vector2f(position(generator), position(generator)), rotation(generator), true);
        float margin = OverlapMargin(a, b);
        if (std::fabs(margin) < 0.01f)
            continue;
        ++compared;
        hits += margin > 0.0f;
        ASSERT_EQ(Collision::BoundingBoxTest(a, b), margin > 0.0f)
            << "a at " << a.getPosition().x << "," << a.getPosition().y << " rot " << a.getRotation() << ", b at "
            << b.getPosition().x << "," << b.getPosition().y << " rot " << b.getRotation() << ", margin " << margin;
    }
    EXPECT_GT(compared, 1900);
    EXPECT_GT(hits, 200);
    EXPECT_LT(hits, compared - 200);
}

TEST(Collision, pixel_test_alpha_must_exceed_the_limit_in_both_sprites)
{
    // a opaque, b at (5, 5) with one alpha everywhere: the boxes overlap in 5x5 pixels.
    sf::Sprite a = MakeSprite(10, 10, sf::Vector2f(0.0f, 0.0f));
    sf::Sprite b = MakeSprite(10, 10, sf::Vector2f(5.0f, 5.0f));
    sf::Image opaque = MakeImage(10, 10, 255);
    struct
    {
        sf::Uint8 alpha;
        unsigned char limit;
        bool hit;
    } const cases[] = {
        {0, 0, true},       // limit 0: the box overlap suffices
        {127, 127, false},  // exactly at the limit does not count
        {128, 127, true},
        {128, 128, false},
    };
    for (auto const& c : cases)
    {
        sf::Image image = MakeImage(10, 10, c.alpha);
        EXPECT_EQ(Collision::PixelPerfectTest(a, opaque, b, image, c.limit), c.hit)
            << int(c.alpha) << " vs " << int(c.limit);
        EXPECT_EQ(Collision::PixelPerfectTest(b, image, a, opaque, c.limit), c.hit);
    }
    EXPECT_FALSE(Collision::PixelPerfectTest(a, opaque, MakeSprite(10, 10, sf::Vector2f(10.0f, 0.0f)), opaque, 0));
}

TEST(Collision, pixel_test_ignores_overlap_in_transparent_pixels)
{
    // b's top-left quarter, the only part over a, is transparent.
    sf::Sprite a = MakeSprite(10, 10, sf::Vector2f(0.0f, 0.0f));
    sf::Sprite b = MakeSprite(10, 10, sf::Vector2f(5.0f, 5.0f));
    sf::Image opaque = MakeImage(10, 10, 255);
    sf::Image holed = MakeImage(10, 10, 255);
    for (unsigned int x = 0; x < 5; ++x)
        for (unsigned int y = 0; y < 5; ++y)
            holed.setPixel(x, y, sf::Color::Transparent);
    EXPECT_FALSE(Collision::PixelPerfectTest(a, opaque, b, holed, 127));
    EXPECT_TRUE(Collision::PixelPerfectTest(a, opaque, b, holed, 0));
}

TEST(Collision, pixel_test_reads_inside_the_texture_rectangle)
{
    // A sheet with a transparent left frame and an opaque right one.
    sf::Image sheet = MakeImage(20, 10, 0);
    for (unsigned int x = 10; x < 20; ++x)
        for (unsigned int y = 0; y < 10; ++y)
            sheet.setPixel(x, y, sf::Color(0, 0, 0, 200));
    sf::Image opaque = MakeImage(10, 10, 255);
    sf::Sprite a = MakeSprite(10, 10, sf::Vector2f(0.0f, 0.0f));
    sf::Sprite b = MakeSprite(10, 10, sf::Vector2f(5.0f, 5.0f));
    EXPECT_FALSE(Collision::PixelPerfectTest(a, opaque, b, sheet, 127));
    b.setTextureRect(sf::IntRect(10, 0, 10, 10));
    EXPECT_TRUE(Collision::PixelPerfectTest(a, opaque, b, sheet, 127));
    // A rectangle reaching past its image reads nothing outside it.
    b.setTextureRect(sf::IntRect(15, 0, 10, 10));
    EXPECT_TRUE(Collision::PixelPerfectTest(a, opaque, b, sheet, 127));
    b.setTextureRect(sf::IntRect(20, 0, 10, 10));
    EXPECT_FALSE(Collision::PixelPerfectTest(a, opaque, b, sheet, 127));
}

TEST(Collision, pixel_test_follows_the_drawn_rotation)
{
    // A 40x4 bar turned by 90 degrees about its top-left corner covers x -4..0, y 0..40.
    sf::Sprite bar = MakeSprite(40, 4, sf::Vector2f(0.0f, 0.0f), 90.0f);
    sf::Image barImage = MakeImage(40, 4, 255);
    sf::Image block = MakeImage(10, 10, 255);
    EXPECT_TRUE(Collision::PixelPerfectTest(bar, barImage, MakeSprite(10, 10, sf::Vector2f(-8.0f, 20.0f)), block, 127));
    EXPECT_FALSE(Collision::PixelPerfectTest(bar, barImage, MakeSprite(10, 10, sf::Vector2f(2.0f, 20.0f)), block, 127));
    EXPECT_FALSE(Collision::PixelPerfectTest(bar, barImage, MakeSprite(10, 10, sf::Vector2f(-8.0f, -20.0f)), block, 127));
}

TEST(Collision, pixel_test_skips_points_on_a_sprites_left_and_top_edge)
{
    // Boxes overlapping in the single pixel (9, 9): the corner of b, at its local (0, 0).
    sf::Sprite a = MakeSprite(10, 10, sf::Vector2f(0.0f, 0.0f));
    sf::Image opaque = MakeImage(10, 10, 255);
    EXPECT_FALSE(Collision::PixelPerfectTest(a, opaque, MakeSprite(10, 10, sf::Vector2f(9.0f, 9.0f)), opaque, 127));
    EXPECT_FALSE(Collision::PixelPerfectTest(MakeSprite(10, 10, sf::Vector2f(9.0f, 9.0f)), opaque, a, opaque, 127));
    EXPECT_TRUE(Collision::PixelPerfectTest(a, opaque, MakeSprite(10, 10, sf::Vector2f(9.0f, 9.0f)), opaque, 0));
    // One pixel further in, (9, 9) lies at b's local (1, 1) and counts.
    EXPECT_TRUE(Collision::PixelPerfectTest(a, opaque, MakeSprite(10, 10, sf::Vector2f(8.0f, 8.0f)), opaque, 127));
}
