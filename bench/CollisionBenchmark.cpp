#include "utility/Collision.h"

#include <benchmark/benchmark.h>

namespace
{
// The dragon's and an enemy's sizes; the pixel test runs every frame for each
// enemy whose box overlaps the dragon's.
constexpr int PLAYER_WIDTH = 90;
constexpr int PLAYER_HEIGHT = 60;
constexpr int ENEMY_WIDTH = 50;
constexpr int ENEMY_HEIGHT = 40;

sf::Sprite MakeSprite(int width, int height, sf::Vector2f position, float rotation)
{
    sf::Sprite sprite;
    sprite.setTextureRect(sf::IntRect(0, 0, width, height));
    sprite.setOrigin(width * 0.5f, height * 0.5f);
    sprite.setPosition(position);
    sprite.setRotation(rotation);
    return sprite;
}

// Worst case: the boxes overlap fully but no pixel is opaque in both, so the
// test walks the whole overlap.
void PixelPerfectTestWithoutHit(benchmark::State& state)
{
    sf::Image player;
    player.create(PLAYER_WIDTH, PLAYER_HEIGHT, sf::Color(0, 0, 0, 0));
    sf::Image enemy;
    enemy.create(ENEMY_WIDTH, ENEMY_HEIGHT, sf::Color(255, 0, 0, 255));
    sf::Sprite a = MakeSprite(PLAYER_WIDTH, PLAYER_HEIGHT, sf::Vector2f(200.0f, 300.0f),
                              static_cast<float>(state.range(0)));
    sf::Sprite b = MakeSprite(ENEMY_WIDTH, ENEMY_HEIGHT, sf::Vector2f(205.0f, 295.0f), 0.0f);
    for (auto _ : state)
        benchmark::DoNotOptimize(Collision::PixelPerfectTest(a, player, b, enemy, 127));
}
BENCHMARK(PixelPerfectTestWithoutHit)->Arg(0)->Arg(30);

void BoundingBoxTestRotated(benchmark::State& state)
{
    sf::Sprite a = MakeSprite(PLAYER_WIDTH, PLAYER_HEIGHT, sf::Vector2f(200.0f, 300.0f), 30.0f);
    sf::Sprite b = MakeSprite(32, 32, sf::Vector2f(240.0f, 320.0f), 0.0f);
    for (auto _ : state)
        benchmark::DoNotOptimize(Collision::BoundingBoxTest(a, b));
}
BENCHMARK(BoundingBoxTestRotated);
}
