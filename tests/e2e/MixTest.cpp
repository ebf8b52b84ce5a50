// What a player hears, captured whole: SDL's disk audio driver writes the game's mixed
// output to a file while the ball rolls forward from the start. The start jingle plays
// over the music at half volume, and whatever the roll meets (a fruit's collect sound, a
// fall's lose sound) joins them.
#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

TEST(Mix, RollingForwardFromTheStartNeverClipsAndIsLoudEnoughToHear)
{
    TempDir dir;
    const std::string capture = dir.path("mix.raw");
    // The game process inherits these; each test case runs in a process of its own.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
    GameProcess game;
    ASSERT_FALSE(game.waitForWindow(60).empty()) << game.output();
    ASSERT_TRUE(game.waitForOutput("Init complete", 60)) << game.output();
    game.pressKey("w", 9.0);
    game.pressKey("Escape");
    EXPECT_EQ(game.waitForExit(30), 0) << game.output();

    // The mixer's output: 16-bit little-endian stereo at 44.1 kHz.
    std::ifstream file(capture, std::ios::binary);
    std::vector<char> raw((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GT(raw.size(), size_t(9 * 44100 * 4)) << "less than the 9 s rolled";
    long clipped = 0;
    int peak = 0;
    for (size_t i = 0; i + 1 < raw.size(); i += 2) {
        int sample = int16_t(uint16_t(uint8_t(raw[i]) | (uint8_t(raw[i + 1]) << 8)));
        // The mixer saturates a sum beyond full scale to the extreme values.
        clipped += (sample >= 32767 || sample <= -32768) ? 1 : 0;
        peak = std::max(peak, std::abs(sample));
    }
    RecordProperty("peak", peak);
    EXPECT_EQ(clipped, 0) << "of " << raw.size() / 2 << " samples";
    EXPECT_GT(peak, 32768 / 4) << "the loudest moment is too quiet";
}
