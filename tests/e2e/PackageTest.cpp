#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// The Debian package as a player gets it: unpacked (dpkg -x) into a folder of its own and
// started through its launchers from another, unrelated folder, which is where every path
// the player types is taken from and where the demo's screenshots go.
namespace {

namespace fs = std::filesystem;

// The package that scripts/package.sh made from this build (the test command makes it
// before the tests run). When there is none, or it is older than the programs or the
// launchers and files of package/, it is made here the same way; the package tests that run
// side by side take turns, so one makes it while the other waits and then finds it fresh.
std::string packageOfThisBuild()
{
    const int lock = open(LANTERN_BINARY_DIR "/package.lock", O_CREAT | O_RDWR, 0644);
    flock(lock, LOCK_EX);
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
    close(lock); // and with it the lock
    return deb.string();
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Unpacks this build's package into `folder`; false when there is none or dpkg fails.
bool unpackPackage(const TempDir& folder)
{
    const std::string deb = packageOfThisBuild();
    EXPECT_FALSE(deb.empty()) << "no package in " LANTERN_BINARY_DIR "/deb";
    return !deb.empty() && std::system(("dpkg -x '" + deb + "' '" + folder.root + "'").c_str()) == 0;
}

// The names of the pack's courses in the unpacked package: file names without ".json".
std::vector<std::string> packCourses(const TempDir& unpacked)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(unpacked.path("usr/share/games/lantern-trail/Models/courses")))
        if (entry.path().extension() == ".json")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(Package, UnpackedLaunchersRunFromAnUnrelatedFolder)
{
    TempDir unpacked;
    ASSERT_TRUE(unpackPackage(unpacked));
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

// A course of the pack by name, or a course file by path, on every launcher; --courses lists
// the pack and the generated courses; a name that is neither is refused with a line that
// points to --courses. The desktop entry offers each course of the pack and a new one.
TEST(Package, LaunchersPickACourseByNameOrPathAndListThePack)
{
    TempDir unpacked;
    ASSERT_TRUE(unpackPackage(unpacked));
    const std::string games = unpacked.path("usr/games/");
    const std::vector<std::string> pack = packCourses(unpacked);
    ASSERT_EQ(pack.size(), 3u);
    TempDir player;
    fs::copy_file(unpacked.path("usr/share/games/lantern-trail/Models/level.json"), player.path("my-course.json"));

    {
        GameProcess list({"--courses"}, games + "lantern-trail", player.root);
        EXPECT_EQ(list.waitForExit(30), 0) << list.output();
        std::istringstream lines(list.output());
        std::string line;
        size_t count = 0;
        for (; std::getline(lines, line) && count < pack.size(); ++count)
            EXPECT_TRUE(line.rfind(pack[count] + " ", 0) == 0 && line.find(" pieces ") != std::string::npos &&
                        line.find(" fruit ") != std::string::npos)
                << line;
        EXPECT_EQ(count, pack.size()) << list.output();
        // After the pack, one line for the generated courses.
        EXPECT_EQ(line.rfind("random ", 0), 0u) << list.output();
        EXPECT_FALSE(std::getline(lines, line)) << list.output();
    }
    {
        GameProcess unknown({"--course", "4-nowhere", "640", "480", "0"}, games + "lantern-trail", player.root);
        EXPECT_EQ(unknown.waitForExit(30), 2) << unknown.output();
        const std::string output = unknown.output();
        EXPECT_NE(output.find("\"4-nowhere\""), std::string::npos) << output;
        EXPECT_NE(output.find("--courses"), std::string::npos) << output;
        EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
    }
    for (const std::string& course : {std::string("2-s-bends"), std::string("my-course.json")}) {
        GameProcess check({"--course", course}, games + "lantern-trail-check-level", player.root);
        EXPECT_EQ(check.waitForExit(60), 0) << course << "\n" << check.output();
        EXPECT_NE(check.output().find("OK: the course has no errors."), std::string::npos) << check.output();
    }
    {
        // The meadow has 13 fruit, the shipped course 19: the summary tells them apart.
        GameProcess demo({"--course", "1-meadow", "160", "120", "shots", "1"}, games + "lantern-trail-demo",
                         player.root);
        EXPECT_EQ(demo.waitForExit(300), 0) << demo.output();
        const std::string summary = readFile(player.path("shots/summary.txt"));
        EXPECT_EQ(summary.find("Attempt 1: Hero reached goal."), 0u) << summary << demo.output();
        EXPECT_NE(summary.find(" of 13."), std::string::npos) << summary;
    }

    {
        // A generated course by name goes to the programs as it is: the game plays it, the
        // checker checks it and writes it where the player asks, a malformed one is refused.
        GameProcess game({"--course", "random:7:easy"}, games + "lantern-trail", player.root);
        EXPECT_TRUE(game.waitForOutput("\nCourse: random:7:easy, ", 60)) << game.output();
        game.pressKey("Escape");
        EXPECT_EQ(game.waitForExit(30), 0) << game.output();
        GameProcess check({"--course", "random:7:easy", "--write", "seven.json"}, games + "lantern-trail-check-level",
                          player.root);
        EXPECT_EQ(check.waitForExit(60), 0) << check.output();
        EXPECT_NE(readFile(player.path("seven.json")).find("\"elements\""), std::string::npos) << check.output();
        GameProcess refused({"--course", "random:7:insane"}, games + "lantern-trail", player.root);
        EXPECT_EQ(refused.waitForExit(30), 2) << refused.output();
        const std::string output = refused.output();
        EXPECT_EQ(output.rfind("Unknown course \"random:7:insane\": ", 0), 0u) << output;
        EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
    }

    const std::string desktop = readFile(unpacked.path("usr/share/applications/lantern-trail.desktop"));
    for (const std::string& course : pack)
        EXPECT_NE(desktop.find("\nExec=/usr/games/lantern-trail --course " + course + "\n"), std::string::npos)
            << course << "\n" << desktop;
    EXPECT_NE(desktop.find("\nName=Play a New Course\nExec=/usr/games/lantern-trail --course random\n"),
              std::string::npos)
        << desktop;
}
