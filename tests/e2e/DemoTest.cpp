#include "platform/ImageLibrary.h"
#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

// The demo binary under Xvfb: the autopilot plays the shipped course and leaves real frames.
namespace {

// A frame the demo wrote, decoded as the game decodes its images: 8-bit RGB, top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb; // rows top first

    const unsigned char* at(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};

Picture load(const std::string& path)
{
    DecodedImage decoded = decodeImage(path);
    Picture picture;
    if (decoded.decoded) {
        picture.width = decoded.levels[0].width;
        picture.height = decoded.levels[0].height;
        picture.rgb = std::move(decoded.levels[0].pixels);
    }
    return picture;
}

int distinctColours(const Picture& p)
{
    std::set<int> colours;
    for (size_t i = 0; i + 2 < p.rgb.size(); i += 3)
        colours.insert(p.rgb[i] << 16 | p.rgb[i + 1] << 8 | p.rgb[i + 2]);
    return int(colours.size());
}

// Mean blue minus mean red over the top tenth: the sky above the course.
double skyBlueness(const Picture& p)
{
    double difference = 0.0;
    const int rows = p.height / 10;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < p.width; ++x)
            difference += double(p.at(x, y)[2]) - double(p.at(x, y)[0]);
    return difference / double(rows * p.width);
}

// Near-white pixels in the middle of the picture, where the end screen writes its message.
int whiteInTheMiddle(const Picture& p)
{
    int count = 0;
    for (int y = p.height * 35 / 100; y < p.height * 60 / 100; ++y)
        for (int x = p.width / 5; x < p.width * 4 / 5; ++x) {
            const unsigned char* c = p.at(x, y);
            count += (c[0] > 235 && c[1] > 235 && c[2] > 235) ? 1 : 0;
        }
    return count;
}

double changedShare(const Picture& a, const Picture& b)
{
    int changed = 0;
    for (size_t i = 0; i + 2 < a.rgb.size(); i += 3)
        changed += (std::abs(a.rgb[i] - b.rgb[i]) + std::abs(a.rgb[i + 1] - b.rgb[i + 1]) +
                    std::abs(a.rgb[i + 2] - b.rgb[i + 2])) > 60
                       ? 1
                       : 0;
    return double(changed) / double(a.rgb.size() / 3);
}

} // namespace

TEST(Demo, PlaysTheShippedCourseToTheGoalAndLeavesRealFrames)
{
    TempDir folder;
    const std::string output = folder.path("shots");
    GameProcess demo({"320", "240", output}, LANTERN_DEMO_BINARY);
    ASSERT_EQ(demo.waitForExit(300), 0) << demo.output();

    const std::string console = demo.output();
    const size_t line = console.find("Attempt 1: Hero reached goal. Time ");
    ASSERT_NE(line, std::string::npos) << console;
    const std::string summaryLine = console.substr(line, console.find('\n', line) - line);
    EXPECT_NE(summaryLine.find(", score "), std::string::npos) << summaryLine;
    EXPECT_NE(summaryLine.find(" of "), std::string::npos) << summaryLine;
    std::ifstream summary(output + "/summary.txt");
    std::stringstream written;
    written << summary.rdbuf();
    EXPECT_EQ(written.str(), summaryLine + "\n");
    EXPECT_NE(console.find("screenshots and summary.txt in "), std::string::npos) << console;

    const Picture start = load(output + "/attempt1-start.png");
    const Picture fruit = load(output + "/attempt1-first-fruit.png");
    const Picture later = load(output + "/attempt1-at-10s.png");
    const Picture end = load(output + "/attempt1-end.png");
    for (const Picture* p : {&start, &fruit, &later, &end}) {
        ASSERT_EQ(p->width, 320);
        ASSERT_EQ(p->height, 240);
    }
    // Frames of play: textured, lit, with sky above the course, and the view moves on.
    for (const Picture* p : {&start, &fruit, &later}) {
        EXPECT_GT(distinctColours(*p), 1000);
        EXPECT_GT(skyBlueness(*p), 20.0);
    }
    EXPECT_GT(changedShare(start, later), 0.2);
    // The end screen: the message in bright letters across the middle.
    EXPECT_GT(whiteInTheMiddle(end), 3 * whiteInTheMiddle(start) + 200);
}
