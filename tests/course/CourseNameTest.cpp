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

// A seed alone, as the checker's --first takes it: the edge values taken, anything more or
// less refused and the seed left as it was.
TEST(CourseName, ASeedAloneIsReadAsTheNameReadsIt)
{
    struct Case {
        const char* text;
        uint32_t seed;
    };
    for (const Case& c : {Case{"0", 0u}, Case{"4294967295", 4294967295u}, Case{"0000000000", 0u},
                          Case{"0004294967", 4294967u}, Case{"83412", 83412u}}) {
        uint32_t seed = 7u;
        EXPECT_TRUE(readCourseSeed(c.text, seed)) << c.text;
        EXPECT_EQ(seed, c.seed) << c.text;
    }
    for (const char* text : {"", "4294967296", "9999999999", "00000000000", "-1", "+1", " 1", "1 ", "5:hard", "5:",
                             "0x10", "1e3", "１"}) {
        uint32_t seed = 7u;
        EXPECT_FALSE(readCourseSeed(text, seed)) << text;
        EXPECT_EQ(seed, 7u) << text;
    }
}

TEST(CourseName, EverythingElseIsAFile)
{
    for (const char* name :
         {"./random", "random.json", "randomly", "Random:1", " random:1", "../Models/level.json", ""})
        EXPECT_EQ(readCourseName(name).kind, CourseName::Kind::File) << name;
}

// A name from the environment or the command line is shown within one line whatever it
// holds: control bytes and bytes beyond ASCII escaped, and no more than 64 bytes of it.
TEST(CourseName, ANameIsShownEscapedAndBounded)
{
    EXPECT_EQ(printableName("../Models/courses/1-meadow.json"), "../Models/courses/1-meadow.json");
    EXPECT_EQ(printableName(""), "");
    EXPECT_EQ(printableName(std::string("a\nb\x1b[2J\tc\x7f", 10)), "a\\x0ab\\x1b[2J\\x09c\\x7f");
    EXPECT_EQ(printableName(std::string("a\0b", 3)), "a\\x00b");
    EXPECT_EQ(printableName("caf\xc3\xa9"), "caf\\xc3\\xa9");

    const std::string full(64, 'x');
    EXPECT_EQ(printableName(full), full);
    EXPECT_EQ(printableName(full + "y"), full + "...");
    // The bound counts the name's bytes, so a cut never splits an escape.
    EXPECT_EQ(printableName(std::string(63, 'x') + "\n\n"), std::string(63, 'x') + "\\x0a...");

    // A hostile name refused: one line, no escape of the terminal's, its length bounded
    // however long the name.
    const std::string hostile = "random:\n\x1b[2J" + std::string(100 * 1024, '9') + ":\x1b]0;title\x07";
    const CourseName read = readCourseName(hostile);
    ASSERT_EQ(read.kind, CourseName::Kind::Refused);
    EXPECT_EQ(read.refusal.find_first_of("\n\r\x1b\x07"), std::string::npos) << read.refusal;
    EXPECT_LT(read.refusal.size(), 600u) << read.refusal;
    EXPECT_NE(read.refusal.find("\"random:\\x0a\\x1b[2J999"), std::string::npos) << read.refusal;
    const CourseName badDifficulty = readCourseName("random:1:\x1b[31m" + std::string(1000, 'h'));
    EXPECT_EQ(badDifficulty.refusal.find('\x1b'), std::string::npos) << badDifficulty.refusal;
    EXPECT_LT(badDifficulty.refusal.size(), 600u) << badDifficulty.refusal;
}
