#include "course/CourseChoice.h"

#include "course/CourseCheck.h"
#include "course/CourseGenerator.h"
#include "scene/LevelFile.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vantor::scene {

namespace {

const std::streamsize maxIndexBytes = 64 * 1024;
const size_t maxPackCourses = 100;

// Whether two paths name the same file; false when either does not exist.
bool sameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    const bool same = std::filesystem::equivalent(a, b, error);
    return !error && same;
}

Difficulty harder(Difficulty difficulty)
{
    return difficulty == Difficulty::Easy ? Difficulty::Medium : Difficulty::Hard;
}

CourseChoice generated(uint32_t seed, Difficulty difficulty)
{
    CourseChoice choice;
    choice.kind = CourseChoice::Kind::Generated;
    choice.seed = seed;
    choice.difficulty = difficulty;
    return choice;
}

CourseChoice packCourse(const CoursePack& pack, size_t index)
{
    CourseChoice choice;
    choice.kind = CourseChoice::Kind::Pack;
    choice.file = pack.file(index);
    choice.packIndex = index;
    choice.packName = pack.names[index];
    return choice;
}

} // namespace

std::string CoursePack::file(size_t index) const
{
    return folder + names[index] + ".json";
}

CoursePack readCoursePack(const std::string& folder)
{
    CoursePack pack;
    pack.folder = folder;
    std::ifstream index(folder + "index.txt", std::ios::binary);
    std::string text(size_t(maxIndexBytes), '\0');
    index.read(&text[0], maxIndexBytes);
    text.resize(size_t(index.gcount()));
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line) && pack.names.size() < maxPackCourses) {
        std::istringstream words(line);
        std::string name;
        if (words >> name)
            pack.names.push_back(name);
    }
    return pack;
}

std::string courseLabel(const CourseChoice& choice)
{
    switch (choice.kind) {
    case CourseChoice::Kind::Pack: return choice.packName;
    case CourseChoice::Kind::Generated: return generatedCourseName(choice.seed, choice.difficulty);
    case CourseChoice::Kind::File: break;
    }
    return choice.file;
}

bool chooseCourse(const std::string& name, const std::string& defaultFile, const CoursePack& pack,
                  uint32_t clockSeed, CourseChoice& choice, std::string& refusal)
{
    choice = CourseChoice();
    const CourseName read = readCourseName(name.empty() ? defaultFile : name);
    switch (read.kind) {
    case CourseName::Kind::Refused:
        refusal = read.refusal;
        return false;
    case CourseName::Kind::Generated:
        choice = generated(read.generated.seedGiven ? read.generated.seed : clockSeed, read.generated.difficulty);
        return true;
    case CourseName::Kind::File:
        break;
    }
    const std::string file = name.empty() ? defaultFile : name;
    choice.file = file;
    for (size_t k = 0; k < pack.names.size(); ++k)
        if (sameFile(file, pack.file(k))) {
            choice = packCourse(pack, k);
            choice.file = file; // the path as named, which the game reads as it would any file
        }
    return true;
}

bool readChoiceText(const CourseChoice& choice, std::string& text)
{
    if (choice.kind == CourseChoice::Kind::Generated) {
        text = generateCourse(choice.seed, choice.difficulty);
        return true;
    }
    return readLevelFile(choice.file, text);
}

bool readNamedCourse(const std::string& name, uint32_t clockSeed, CourseChoice& choice, std::string& text,
                     std::string& refusal)
{
    refusal.clear();
    return chooseCourse(name, name, CoursePack(), clockSeed, choice, refusal) && readChoiceText(choice, text);
}

CourseChoice nextCourse(const CourseChoice& current, bool won, const CoursePack& pack, uint32_t clockSeed)
{
    switch (current.kind) {
    case CourseChoice::Kind::Generated:
        return generated(current.seed + 1u, won ? harder(current.difficulty) : current.difficulty);
    case CourseChoice::Kind::Pack:
        if (current.packIndex + 1 < pack.names.size())
            return packCourse(pack, current.packIndex + 1);
        break;
    case CourseChoice::Kind::File:
        if (!pack.names.empty())
            return packCourse(pack, 0);
        break;
    }
    return generated(clockSeed, Difficulty::Medium);
}

uint32_t clockSeed()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return uint32_t(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

bool generateCheckedCourse(CourseChoice& choice, const CourseModels& models, std::ostream& log, std::string& text)
{
    for (int attempt = 1; attempt <= generatedCourseTries; ++attempt) {
        text = generateCourse(choice.seed, choice.difficulty);
        const CourseReport report = checkCourse(text, models);
        if (report.errors() == 0)
            return true;
        log << "Course " << generatedCourseName(choice.seed, choice.difficulty) << " refused: " << report.firstError();
        if (attempt < generatedCourseTries)
            log << "; trying " << (choice.seed + 1u);
        log << std::endl;
        ++choice.seed;
    }
    log << "No generated course passed the checks in " << generatedCourseTries
        << " tries, so the default course is played instead." << std::endl;
    return false;
}

} // namespace vantor::scene
