#include "course/CourseName.h"

#include <algorithm>

namespace vantor::scene {

namespace {

const char* const generatedPrefix = "random";
const int maxSeedDigits = 10;
const uint64_t maxSeed = 4294967295u;

bool readDifficulty(const std::string& text, Difficulty& difficulty)
{
    for (Difficulty candidate : {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard})
        if (text == difficultyName(candidate)) {
            difficulty = candidate;
            return true;
        }
    return false;
}

CourseName refused(const std::string& name, const std::string& why)
{
    CourseName read;
    read.kind = CourseName::Kind::Refused;
    read.refusal = "Unknown course \"" + printableName(name) + "\": " + why +
                   "; a generated course is random, random:SEED or random:SEED:DIFFICULTY, SEED 0 to 4294967295 "
                   "(at most 10 digits), DIFFICULTY easy, medium or hard.";
    return read;
}

} // namespace

const char* difficultyName(Difficulty difficulty)
{
    switch (difficulty) {
    case Difficulty::Easy: return "easy";
    case Difficulty::Medium: return "medium";
    case Difficulty::Hard: return "hard";
    }
    return "medium";
}

bool readCourseSeed(const std::string& text, uint32_t& seed)
{
    if (text.empty() || text.size() > size_t(maxSeedDigits))
        return false;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + uint64_t(c - '0');
    }
    if (value > maxSeed)
        return false;
    seed = uint32_t(value);
    return true;
}

CourseName readCourseName(const std::string& name)
{
    CourseName read;
    const std::string prefix = std::string(generatedPrefix) + ":";
    if (name == generatedPrefix) {
        read.kind = CourseName::Kind::Generated;
        return read;
    }
    if (name.compare(0, prefix.size(), prefix) != 0)
        return read;

    const std::string rest = name.substr(prefix.size());
    const size_t colon = rest.find(':');
    const std::string seedText = rest.substr(0, colon);
    if (!readCourseSeed(seedText, read.generated.seed))
        return refused(name, "the seed \"" + printableName(seedText) + "\" is not a whole number from 0 to 4294967295");
    read.generated.seedGiven = true;
    if (colon != std::string::npos) {
        const std::string difficultyText = rest.substr(colon + 1);
        if (!readDifficulty(difficultyText, read.generated.difficulty))
            return refused(name,
                           "the difficulty \"" + printableName(difficultyText) + "\" is not easy, medium or hard");
    }
    read.kind = CourseName::Kind::Generated;
    return read;
}

std::string printableName(const std::string& value)
{
    std::string shown;
    const size_t bytes = std::min(value.size(), printableNameBytes);
    for (size_t i = 0; i < bytes; ++i) {
        const unsigned char c = static_cast<unsigned char>(value[i]);
        if (c >= 0x20 && c < 0x7f) {
            shown += char(c);
        } else {
            const char* const digits = "0123456789abcdef";
            shown += "\\x";
            shown += digits[c >> 4];
            shown += digits[c & 0xf];
        }
    }
    if (value.size() > bytes)
        shown += "...";
    return shown;
}

std::string generatedCourseName(uint32_t seed, Difficulty difficulty)
{
    return std::string(generatedPrefix) + ":" + std::to_string(seed) + ":" + difficultyName(difficulty);
}

} // namespace vantor::scene
