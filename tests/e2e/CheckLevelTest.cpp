#include "course/CourseGenerator.h"
#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

// The checker program: its verdict is in its exit code, for scripts that write courses.
TEST(CheckLevel, ExitCodeTellsAGoodCourseFromABrokenOneOrAMissingFile)
{
    GameProcess shipped({"../Models/level.json"}, LANTERN_CHECK_LEVEL_BINARY);
    EXPECT_EQ(shipped.waitForExit(60), 0) << shipped.output();
    EXPECT_NE(shipped.output().find("OK: the course has no errors."), std::string::npos) << shipped.output();

    TempDir folder;
    const std::string broken = folder.write("broken.json", "{\"elements\": [{\"typ\": 1, \"obstacles\": {}}]}");
    GameProcess check({broken}, LANTERN_CHECK_LEVEL_BINARY);
    EXPECT_EQ(check.waitForExit(60), 1) << check.output();
    // Nine rollers by default, and a lone straight piece is no course.
    EXPECT_NE(check.output().find("the ball cannot pass"), std::string::npos) << check.output();
    EXPECT_NE(check.output().find("no end piece"), std::string::npos) << check.output();

    GameProcess missing({folder.path("none.json")}, LANTERN_CHECK_LEVEL_BINARY);
    EXPECT_EQ(missing.waitForExit(60), 2) << missing.output();
    // A path with a line end and a terminal escape in it is answered on one line, escaped
    // and cut.
    GameProcess hostile({folder.path("none\n\x1b[2J" + std::string(100, 'x') + ".json")}, LANTERN_CHECK_LEVEL_BINARY);
    EXPECT_EQ(hostile.waitForExit(60), 2) << hostile.output();
    EXPECT_EQ(hostile.output().find('\x1b'), std::string::npos) << hostile.output();
    EXPECT_EQ(hostile.output().find('\n'), hostile.output().size() - 1) << hostile.output();
    EXPECT_NE(hostile.output().find("/none\\x0a\\x1b[2Jxxx"), std::string::npos) << hostile.output();
    EXPECT_NE(hostile.output().find("x... could not be read."), std::string::npos) << hostile.output();

    std::filesystem::create_directories(folder.path("level.json"));
    GameProcess aFolder({folder.path("level.json")}, LANTERN_CHECK_LEVEL_BINARY);
    EXPECT_EQ(aFolder.waitForExit(60), 2) << aFolder.output();
    EXPECT_NE(aFolder.output().find("could not be read: it is a folder, not a course file."), std::string::npos)
        << aFolder.output();
}

// Files an author might send by mistake, or a fuzzer on purpose: each is answered at once
// with a few lines and exit code 1, never with millions of lines or gigabytes of memory.
TEST(CheckLevel, HostileFilesGetAShortAnswerAndExitCodeOne)
{
    TempDir folder;
    std::string pile = "{\"elements\":[";
    for (int i = 0; i < 3000; ++i)
        pile += std::string(i ? "," : "") + "{\"obstacles\":{}}";
    std::string empties = "{\"elements\":[[]";
    while (empties.size() < 5 * 1024 * 1024)
        empties += ",[]";
    const std::vector<std::pair<std::string, std::string>> files = {
        {folder.write("far.json", "{\"elements\":[{\"posx\":0,\"obstacles\":{}},{\"posx\":2147483647,\"obstacles\":{}}]}"),
         "FAILED: level element 1, key \"posx\": the number 2147483647 lies beyond"},
        {folder.write("pile.json", pile + "]}"), "3000 elements, more than the 1000 a course may have."},
        {folder.write("empties.json", empties + "]}"), "larger than 1048576 bytes"},
        {"/dev/zero", "larger than 1048576 bytes"},
    };
    for (const auto& [file, line] : files) {
        GameProcess check({file}, LANTERN_CHECK_LEVEL_BINARY);
        EXPECT_EQ(check.waitForExit(60), 1) << file << "\n" << check.output();
        const std::string output = check.output();
        EXPECT_NE(output.find(line), std::string::npos) << output;
        EXPECT_LT(output.size(), 2000u) << output;
    }
}

// --map and --play may stand before, between or after the course and the models folder;
// the map is a PNG at least 1024 pixels on its long side. Arguments the checker does not
// know get the usage line and exit code 2.
TEST(CheckLevel, OptionsAnywhereAndAMapOfTheCourse)
{
    TempDir folder;
    const std::string models = std::string(LANTERN_SOURCE_DIR) + "/Models";
    const std::string first = folder.path("first.png"), between = folder.path("between.png"),
                      last = folder.path("last.png");
    const std::vector<std::pair<std::vector<std::string>, std::string>> lines = {
        {{"--map", first, "../Models/level.json"}, first},
        {{"../Models/level.json", "--map", between, models}, between},
        {{"../Models/level.json", models, "--map", last}, last},
    };
    for (const auto& [line, map] : lines) {
        GameProcess check(line, LANTERN_CHECK_LEVEL_BINARY);
        EXPECT_EQ(check.waitForExit(60), 0) << check.output();
        EXPECT_NE(check.output().find("OK: the course has no errors."), std::string::npos) << check.output();
        std::ifstream png(map, std::ios::binary);
        unsigned char header[24] = {};
        png.read(reinterpret_cast<char*>(header), sizeof header);
        ASSERT_TRUE(png.good()) << check.output();
        EXPECT_EQ(std::string(reinterpret_cast<char*>(header) + 1, 3), "PNG");
        const unsigned width = unsigned(header[16]) << 24 | header[17] << 16 | header[18] << 8 | header[19];
        const unsigned height = unsigned(header[20]) << 24 | header[21] << 16 | header[22] << 8 | header[23];
        EXPECT_GE(std::max(width, height), 1024u);
    }

    GameProcess played({"../Models/level.json", "--play"}, LANTERN_CHECK_LEVEL_BINARY);
    EXPECT_EQ(played.waitForExit(300), 0) << played.output();
    EXPECT_NE(played.output().find("Playtest: reached the goal"), std::string::npos) << played.output();

    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{"--mop", "../Models/level.json"}, {"../Models/level.json", "--map"},
                                               {"a.json", "b", "c"}, {"--play"}, {"random", "--write"}}) {
        GameProcess check(wrong, LANTERN_CHECK_LEVEL_BINARY);
        EXPECT_EQ(check.waitForExit(60), 2) << check.output();
        EXPECT_NE(check.output().find("Usage: lantern-trail-check-level [--play] [--map FILE.png] [--write FILE] COURSE"),
                  std::string::npos)
            << check.output();
    }
}

// A generated course by name is checked as the game checks it and written, on request, into
// an ordinary course file that checks the same; a malformed name is refused.
TEST(CheckLevel, AGeneratedCourseIsCheckedAndWrittenToAFile)
{
    TempDir folder;
    const std::string file = folder.path("hard.json");
    GameProcess check({"--write", file, "random:0083412:hard"}, LANTERN_CHECK_LEVEL_BINARY);
    ASSERT_EQ(check.waitForExit(60), 0) << check.output();
    const std::string output = check.output();
    EXPECT_EQ(output.rfind("Checking random:83412:hard\n", 0), 0u) << output;
    EXPECT_NE(output.find("OK: the course has no errors."), std::string::npos) << output;
    EXPECT_NE(output.find("Written: " + file + ".\n"), std::string::npos) << output;
    std::ifstream written(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, vantor::scene::generateCourse(83412u, vantor::scene::Difficulty::Hard));

    GameProcess again({file}, LANTERN_CHECK_LEVEL_BINARY);
    ASSERT_EQ(again.waitForExit(60), 0) << again.output();
    const std::string summary = output.substr(output.find("\nCourse: "));
    EXPECT_NE(again.output().find(summary.substr(0, summary.find("OK:"))), std::string::npos) << again.output();

    GameProcess refused({"random:1:insane"}, LANTERN_CHECK_LEVEL_BINARY);
    EXPECT_EQ(refused.waitForExit(60), 2) << refused.output();
    EXPECT_EQ(refused.output().rfind("Unknown course \"random:1:insane\": ", 0), 0u) << refused.output();
}

