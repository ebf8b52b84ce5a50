#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

// The Debian package as a player gets it: unpacked (dpkg -x) into a folder of its own and
// started through its launchers from another, unrelated folder, which is where every path
// the player types is taken from and where the demo's screenshots go.
namespace {

namespace fs = std::filesystem;

// The package that scripts/package.sh made from this build (the test command makes it
// before the tests run). When there is none, or it is older than the programs or the
// launchers and files of package/, it is made here the same way.
std::string packageOfThisBuild()
{
    const fs::path folder = fs::path(LANTERN_BINARY_DIR) / "deb";
    auto find = [&]() {
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
            if (entry.path().extension() == ".deb")
                return entry.path();
        return fs::path();
    };
    fs::path deb = find();
    std::error_code error;
    std::vector<fs::path> sources = {LANTERN_GAME_BINARY, LANTERN_DEMO_BINARY, LANTERN_CHECK_LEVEL_BINARY};
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(LANTERN_SOURCE_DIR "/package", error))
        sources.push_back(entry.path());
    bool fresh = !deb.empty();
    for (const fs::path& source : sources)
        fresh = fresh && fs::last_write_time(deb, error) >= fs::last_write_time(source, error);
    if (!fresh) {
        const std::string command = "BUILD_DIR='" LANTERN_BINARY_DIR "' bash '" LANTERN_SOURCE_DIR "/scripts/package.sh'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        deb = find();
    }
    return deb.string();
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(Package, UnpackedLaunchersRunFromAnUnrelatedFolder)
{
    const std::string deb = packageOfThisBuild();
    ASSERT_FALSE(deb.empty()) << "no package in " LANTERN_BINARY_DIR "/deb";
    TempDir unpacked;
    ASSERT_EQ(std::system(("dpkg -x '" + deb + "' '" + unpacked.root + "'").c_str()), 0) << deb;
    const std::string games = unpacked.path("usr/games/");
    const fs::path data = unpacked.path("usr/share/games/lantern-trail");

    // The player's folder holds a course of their own, named by a relative path.
    TempDir player;
    fs::copy_file(data / "Models/level.json", player.path("my-course.json"));
    setenv("LANTERN_TRAIL_COURSE", "my-course.json", 1);

    {
        GameProcess game({}, games + "lantern-trail", player.root);
        EXPECT_FALSE(game.waitForWindow(60).empty()) << game.output();
        game.pressKey("Escape");
        EXPECT_EQ(game.waitForExit(30), 0) << game.output();
        const std::string output = game.output();
        EXPECT_EQ(output.substr(0, output.find('\n')), "Starting game with 800x600 and windowmode = 1");
    }
    {
        GameProcess check({"my-course.json"}, games + "lantern-trail-check-level", player.root);
        EXPECT_EQ(check.waitForExit(60), 0) << check.output();
        EXPECT_NE(check.output().find("OK: the course has no errors."), std::string::npos) << check.output();
        EXPECT_EQ(check.output().find("WARNING"), std::string::npos) << check.output();
    }
    {
        GameProcess demo({"160", "120", "shots", "1"}, games + "lantern-trail-demo", player.root);
        EXPECT_EQ(demo.waitForExit(300), 0) << demo.output();
        const std::string summary = readFile(player.path("shots/summary.txt"));
        EXPECT_EQ(summary.find("Attempt 1: Hero reached goal."), 0u) << summary << demo.output();
        EXPECT_TRUE(fs::is_regular_file(player.path("shots/attempt1-end.png")));
    }
    unsetenv("LANTERN_TRAIL_COURSE");

    // Nothing was written beside the data: the programs' working folder is still empty.
    EXPECT_TRUE(fs::is_empty(data / "run"));
}
