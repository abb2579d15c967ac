// Needs the X server of tools/headless.sh: the font's glyphs live in a texture.
#include "support/GameScreens.h"

#include <gtest/gtest.h>

#include <string>

// The end-to-end tests tell the calibration's screens apart by their first
// info line alone: each line must be seen as itself, also a pixel off, and
// never as another.
TEST(GameScreens, each_info_line_is_told_apart_from_every_other)
{
    using namespace GameScreens;
    for (const char* shown : INFO_LINES)
        for (sf::Vector2i offset : {sf::Vector2i(0, 0), sf::Vector2i(1, 0), sf::Vector2i(0, -1)})
        {
            const sf::Image shot = CalibrationScreenWithInfoLine(shown, offset);
            for (const char* asked : INFO_LINES)
            {
                const InfoLineMatch match = MatchInfoLine(shot, asked);
                EXPECT_EQ(std::string(shown) == asked, ShowsInfoLine(shot, asked))
                    << '"' << shown << "\" moved by (" << offset.x << ", " << offset.y << ") asked as \"" << asked
                    << "\": " << match.mismatched << " of " << match.solid << " pixels mismatched";
            }
        }
}
