// Which course a name stands for, which one N plays next, and how a generated course that
// the checks refuse gives way to the next seed.
#include "course/CourseCheck.h"
#include "course/CourseChoice.h"
#include "course/CourseGenerator.h"
#include "support/ShippedWallTops.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace vantor::scene;

namespace {

const std::string shippedPack = std::string(LANTERN_SOURCE_DIR) + "/Models/courses/";

// How many lines of `text` contain `part`.
int linesWith(const std::string& text, const std::string& part)
{
    std::istringstream lines(text);
    std::string line;
    int count = 0;
    while (std::getline(lines, line))
        count += line.find(part) != std::string::npos ? 1 : 0;
    return count;
}

} // namespace

TEST(PackIndex, ListsTheShippedCoursesInOrderAndStaysBoundedOnAnyIndex)
{
    const CoursePack pack = readCoursePack(shippedPack);
    ASSERT_EQ(pack.names, (std::vector<std::string>{"1-meadow", "2-s-bends", "3-gauntlet"}));
    EXPECT_EQ(pack.file(1), shippedPack + "2-s-bends.json");

    TempDir folder;
    EXPECT_TRUE(readCoursePack(folder.path("none/")).names.empty());
    std::string many;
    for (int k = 0; k < 5000; ++k)
        many += "course-" + std::to_string(k) + "  12 pieces\n\n";
    folder.write("index.txt", many);
    const CoursePack large = readCoursePack(folder.root + "/");
    EXPECT_EQ(large.names.size(), 100u);
    EXPECT_EQ(large.names.front(), "course-0");
}

TEST(NextCourse, ThroughThePackIntoGeneratedCoursesThatHardenAfterAWin)
{
    const CoursePack pack = readCoursePack(shippedPack);
    CourseChoice shipped;
    shipped.file = "../Models/level.json";

    const CourseChoice first = nextCourse(shipped, true, pack, 77u);
    ASSERT_EQ(first.kind, CourseChoice::Kind::Pack);
    EXPECT_EQ(first.packName, "1-meadow");
    EXPECT_EQ(courseLabel(first), "1-meadow");
    const CourseChoice second = nextCourse(first, false, pack, 77u);
    EXPECT_EQ(second.packName, "2-s-bends");
    const CourseChoice last = nextCourse(second, true, pack, 77u);
    EXPECT_EQ(last.packName, "3-gauntlet");
    EXPECT_EQ(last.file, shippedPack + "3-gauntlet.json");

    const CourseChoice generated = nextCourse(last, true, pack, 77u);
    ASSERT_EQ(generated.kind, CourseChoice::Kind::Generated);
    EXPECT_EQ(courseLabel(generated), "random:77:medium");
    EXPECT_EQ(courseLabel(nextCourse(generated, false, pack, 5u)), "random:78:medium");
    const CourseChoice won = nextCourse(generated, true, pack, 5u);
    EXPECT_EQ(courseLabel(won), "random:78:hard");
    EXPECT_EQ(courseLabel(nextCourse(won, true, pack, 5u)), "random:79:hard");

    CourseChoice easy;
    easy.kind = CourseChoice::Kind::Generated;
    easy.seed = 4294967295u;
    easy.difficulty = Difficulty::Easy;
    EXPECT_EQ(courseLabel(nextCourse(easy, true, pack, 5u)), "random:0:medium");
    EXPECT_EQ(courseLabel(nextCourse(shipped, false, CoursePack(), 9u)), "random:9:medium");
    EXPECT_EQ(courseLabel(shipped), "../Models/level.json");
}

TEST(NextCourse, ANameChoosesAFileAPackCourseByAnyPathOrAGeneratedCourse)
{
    const CoursePack pack = readCoursePack(shippedPack);
    const std::string shippedFile = std::string(LANTERN_SOURCE_DIR) + "/Models/level.json";
    CourseChoice choice;
    std::string refusal;

    ASSERT_TRUE(chooseCourse("", shippedFile, pack, 1u, choice, refusal));
    EXPECT_EQ(choice.kind, CourseChoice::Kind::File);
    EXPECT_EQ(choice.file, shippedFile);

    // The pack's second course, named the way a launcher or a player may name it.
    const std::string roundabout = std::string(LANTERN_SOURCE_DIR) + "/Models/../Models/courses/2-s-bends.json";
    ASSERT_TRUE(chooseCourse(roundabout, shippedFile, pack, 1u, choice, refusal));
    EXPECT_EQ(choice.kind, CourseChoice::Kind::Pack);
    EXPECT_EQ(choice.packIndex, 1u);
    EXPECT_EQ(courseLabel(choice), "2-s-bends");

    ASSERT_TRUE(chooseCourse("random", shippedFile, pack, 31u, choice, refusal));
    EXPECT_EQ(courseLabel(choice), "random:31:medium");
    ASSERT_TRUE(chooseCourse("random:0005:hard", shippedFile, pack, 31u, choice, refusal));
    EXPECT_EQ(courseLabel(choice), "random:5:hard");

    EXPECT_FALSE(chooseCourse("random:1:insane", shippedFile, pack, 31u, choice, refusal));
    EXPECT_NE(refusal.find("\"random:1:insane\""), std::string::npos) << refusal;
}

// Checks that refuse every fence: a course with one is dropped for the next seed, with a
// line that says why; checks that refuse everything give up after their tries.
TEST(CheckedCourse, ARefusedSeedGivesWayToTheNextWithALineAndTheTriesAreBounded)
{
    CourseModels models = shippedCourseModels();
    ObstacleShape wall; // a thin wall across the whole piece, as tall as a fence
    for (int corner = 0; corner < 8; ++corner)
        wall.vertices.emplace_back(corner & 1 ? 4.0f : -4.0f, corner & 2 ? 1.0f : 0.0f, corner & 4 ? 0.2f : -0.2f);
    CourseModels noFences = models;
    noFences.obstacles[1] = wall;

    CourseChoice choice;
    choice.kind = CourseChoice::Kind::Generated;
    choice.seed = 1u;
    choice.difficulty = Difficulty::Easy;
    std::ostringstream log;
    std::string text;
    ASSERT_TRUE(generateCheckedCourse(choice, noFences, log, text)) << log.str();
    const int refused = linesWith(log.str(), " refused: ");
    EXPECT_GT(refused, 0) << log.str(); // easy courses mostly have a fence somewhere
    EXPECT_EQ(choice.seed, 1u + uint32_t(refused));
    EXPECT_EQ(linesWith(log.str(), "Course random:1:easy refused: element "), 1) << log.str();
    EXPECT_EQ(linesWith(log.str(), "the fence in "), refused) << log.str();
    EXPECT_EQ(linesWith(log.str(), "; trying 2"), 1) << log.str();
    EXPECT_EQ(text, generateCourse(choice.seed, Difficulty::Easy));
    EXPECT_EQ(checkCourse(text, noFences).errors(), 0);

    CourseModels nothingPasses = models;
    nothingPasses.obstacles = {wall, wall, wall, wall};
    choice.seed = 4294967290u;
    choice.difficulty = Difficulty::Hard;
    std::ostringstream given;
    EXPECT_FALSE(generateCheckedCourse(choice, nothingPasses, given, text));
    EXPECT_EQ(linesWith(given.str(), " refused: "), generatedCourseTries) << given.str();
    EXPECT_EQ(linesWith(given.str(), "Course random:4294967295:hard refused: "), 1) << given.str();
    EXPECT_EQ(linesWith(given.str(), "; trying 0"), 1) << given.str();
    EXPECT_EQ(linesWith(given.str(), "default course"), 1) << given.str();
}

// A course a tool names: a generated one made (plain `random` on the seed given for the
// clock's), a file read as it is named, even a pack's; a refused name and a file that cannot
// be read told apart by the refusal's line.
TEST(NamedCourse, AToolGetsAGeneratedCourseOrAFileAndLearnsWhichFailed)
{
    CourseChoice choice;
    std::string text, refusal;
    ASSERT_TRUE(readNamedCourse("random:0005:hard", 31u, choice, text, refusal)) << refusal;
    EXPECT_EQ(courseLabel(choice), "random:5:hard");
    EXPECT_EQ(text, generateCourse(5u, Difficulty::Hard));
    ASSERT_TRUE(readNamedCourse("random", 31u, choice, text, refusal)) << refusal;
    EXPECT_EQ(courseLabel(choice), "random:31:medium");
    EXPECT_EQ(text, generateCourse(31u, Difficulty::Medium));

    TempDir folder;
    const std::string file = folder.write("course.json", "{\"elements\": []}");
    ASSERT_TRUE(readNamedCourse(file, 31u, choice, text, refusal)) << refusal;
    EXPECT_EQ(choice.kind, CourseChoice::Kind::File);
    EXPECT_EQ(courseLabel(choice), file);
    EXPECT_EQ(text, "{\"elements\": []}");
    const std::string packFile = shippedPack + "2-s-bends.json";
    ASSERT_TRUE(readNamedCourse(packFile, 31u, choice, text, refusal)) << refusal;
    EXPECT_EQ(courseLabel(choice), packFile);

    EXPECT_FALSE(readNamedCourse("random:1:insane", 31u, choice, text, refusal));
    EXPECT_NE(refusal.find("\"random:1:insane\""), std::string::npos) << refusal;
    EXPECT_FALSE(readNamedCourse(folder.path("none.json"), 31u, choice, text, refusal));
    EXPECT_EQ(refusal, "");
    EXPECT_FALSE(readNamedCourse(folder.root, 31u, choice, text, refusal));
    EXPECT_EQ(refusal, "");
}
