#include "support/CourseWriter.h"
#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <csignal>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
// The leak reports whose allocation stack passes through the game's own code. Leaks that
// the system's graphics and window libraries keep until exit are theirs: some of them are
// unloaded before the report, so their frames cannot even be named.
std::vector<std::string> leaksOfOurOwn(const std::string& output, const std::string& binary)
{
    std::string module = binary.substr(binary.rfind('/') + 1) + "+0x";
    std::vector<std::string> ours;
    for (size_t at = output.find(" leak of "); at != std::string::npos; at = output.find(" leak of ", at + 1)) {
        size_t end = output.find("\n\n", at);
        std::string report = output.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (report.find(module) != std::string::npos || report.find(LANTERN_SOURCE_DIR) != std::string::npos)
            ours.push_back(report);
    }
    return ours;
}

// The game built with the address, leak and undefined-behaviour sanitizers (the test
// command builds it and names it in LANTERN_SANITIZED_GAME): a whole start, a few seconds
// of play and then `end` must end cleanly, with no memory error, no undefined behaviour and
// no leak of our own.
void expectCleanEnd(const std::function<void(GameProcess&)>& end)
{
    const char* binary = std::getenv("LANTERN_SANITIZED_GAME");
    if (binary == nullptr || *binary == '\0')
        GTEST_SKIP() << "LANTERN_SANITIZED_GAME names no sanitizer build of the game";

    setenv("LSAN_OPTIONS", "exitcode=23:suppressions=" LANTERN_SOURCE_DIR "/tests/e2e/sanitizer-suppressions.txt", 1);
    setenv("UBSAN_OPTIONS", "print_stacktrace=1", 1);
    GameProcess game({}, binary);
    ASSERT_FALSE(game.waitForWindow(120).empty()) << game.output();
    ASSERT_TRUE(game.waitForOutput("Init complete", 120)) << game.output();
    game.pressKey("w", 2.0);
    end(game);
    int exitCode = game.waitForExit(120);

    std::string output = game.output();
    EXPECT_EQ(output.find("ERROR: AddressSanitizer"), std::string::npos) << output;
    EXPECT_EQ(output.find("runtime error:"), std::string::npos) << output;
    EXPECT_TRUE(leaksOfOurOwn(output, binary).empty()) << output;
    // A leak report of the libraries alone turns the exit code into 23; anything else
    // must be the game's own 0.
    bool librariesLeaked = output.find("ERROR: LeakSanitizer") != std::string::npos;
    EXPECT_EQ(exitCode, librariesLeaked ? 23 : 0) << output;
}
} // namespace

TEST(CleanShutdown, EscapeEndsWithoutAnyMemoryOrUndefinedBehaviourReport)
{
    expectCleanEnd([](GameProcess& game) { game.pressKey("Escape"); });
}

TEST(CleanShutdown, SigtermEndsWithoutAnyMemoryOrUndefinedBehaviourReport)
{
    expectCleanEnd([](GameProcess& game) { game.sendSignal(SIGTERM); });
}

// Courses taken down and built again in the running game leave nothing behind either: from
// a course the ball falls from at once, N twice into the pack, then Escape.
TEST(CleanShutdown, EscapeAfterCourseSwitchesEndsWithoutAnyReport)
{
    TempDir folder;
    setenv("LANTERN_TRAIL_COURSE", folder.write("drop.json", courseText({{'_', ""}, {'S', ""}, {'E', ""}})).c_str(), 1);
    expectCleanEnd([](GameProcess& game) {
        for (const char* next : {"Course: 1-meadow, ", "Course: 2-s-bends, "}) {
            // Off the course, then N at the end screen.
            EXPECT_TRUE(game.waitUntil(
                [&](const std::string&) {
                    game.pressKey("a", 0.5);
                    game.pressKey("n");
                    return game.output().find(next) != std::string::npos;
                },
                240))
                << game.output();
        }
        game.pressKey("Escape");
    });
    unsetenv("LANTERN_TRAIL_COURSE");
}

