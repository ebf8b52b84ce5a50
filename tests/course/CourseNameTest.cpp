// The grammar of course names: files, generated courses and the names refused.
#include "course/CourseName.h"

#include <gtest/gtest.h>

using namespace vantor::scene;

TEST(CourseName, GeneratedNamesWithTheirSeedAndDifficulty)
{
    const CourseName plain = readCourseName("random");
    EXPECT_EQ(plain.kind, CourseName::Kind::Generated);
    EXPECT_FALSE(plain.generated.seedGiven);
    EXPECT_EQ(plain.generated.difficulty, Difficulty::Medium);

    struct Case {
        const char* name;
        uint32_t seed;
        Difficulty difficulty;
    };
    for (const Case& c : {Case{"random:0", 0u, Difficulty::Medium},
                          Case{"random:4294967295", 4294967295u, Difficulty::Medium},
                          Case{"random:0000000001:hard", 1u, Difficulty::Hard},
                          Case{"random:83412:easy", 83412u, Difficulty::Easy},
                          Case{"random:7:medium", 7u, Difficulty::Medium}}) {
        SCOPED_TRACE(c.name);
        const CourseName read = readCourseName(c.name);
        ASSERT_EQ(read.kind, CourseName::Kind::Generated) << read.refusal;
        EXPECT_TRUE(read.generated.seedGiven);
        EXPECT_EQ(read.generated.seed, c.seed);
        EXPECT_EQ(read.generated.difficulty, c.difficulty);
    }
    EXPECT_EQ(generatedCourseName(4294967295u, Difficulty::Hard), "random:4294967295:hard");
    EXPECT_EQ(readCourseName(generatedCourseName(83412u, Difficulty::Easy)).generated.seed, 83412u);
}

TEST(CourseName, EveryBadFormIsRefusedWithALineNamingIt)
{
    for (const char* name : {"random:abc", "random:-1", "random:+1", "random:4294967296", "random:99999999999",
                             "random:00000000001", "random:1:insane", "random:1:Hard", "random:", "random:1:",
                             "random::hard", "random: 1", "random:1 ", "random:1:hard:2"}) {
        SCOPED_TRACE(name);
        const CourseName read = readCourseName(name);
        ASSERT_EQ(read.kind, CourseName::Kind::Refused);
        EXPECT_EQ(read.refusal.find('\n'), std::string::npos);
        EXPECT_NE(read.refusal.find(std::string("\"") + name + "\""), std::string::npos) << read.refusal;
        EXPECT_NE(read.refusal.find("easy, medium or hard"), std::string::npos) << read.refusal;
        EXPECT_NE(read.refusal.find("4294967295"), std::string::npos) << read.refusal;
    }
    EXPECT_NE(readCourseName("random:1:insane").refusal.find("the difficulty \"insane\""), std::string::npos);
    EXPECT_NE(readCourseName("random:-1").refusal.find("the seed \"-1\""), std::string::npos);
}

TEST(CourseName, EverythingElseIsAFile)
{
    for (const char* name :
         {"./random", "random.json", "randomly", "Random:1", " random:1", "../Models/level.json", ""})
        EXPECT_EQ(readCourseName(name).kind, CourseName::Kind::File) << name;
}
