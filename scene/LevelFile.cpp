#include "scene/LevelFile.h"

#include <filesystem>
#include <fstream>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <json/json.h>
#include <limits>
#include <sstream>

namespace vantor::scene {

const std::array<LevelSlot, 9> levelSlots = {{{"lv", 0, 0}, {"lm", 0, 1}, {"lh", 0, 2},
                                              {"mv", 1, 0}, {"mm", 1, 1}, {"mh", 1, 2},
                                              {"rv", 2, 0}, {"rm", 2, 1}, {"rh", 2, 2}}};

namespace {

const float quarterTurn = 1.5707964f;

std::string typeName(const Json::Value& value)
{
    switch (value.type()) {
    case Json::stringValue: return "a string";
    case Json::arrayValue: return "an array";
    case Json::objectValue: return "an object";
    case Json::nullValue: return "null";
    default: return "a number";
    }
}

std::string failure(Json::ArrayIndex index, const std::string& key, const std::string& problem)
{
    std::ostringstream line;
    line << "FAILED: level element " << index;
    if (!key.empty())
        line << ", key \"" << key << "\"";
    line << ": " << problem;
    return line.str();
}

// The mistakes of a file, listed up to reportLinesPerKind of each kind.
struct Problems {
    ReportLimit limit;
    std::vector<std::string> lines;

    void add(const std::string& kind, const std::string& line)
    {
        if (limit.list(kind))
            lines.push_back(line);
    }
};

const char* const notANumber = "values that are not numbers";
const char* const outOfRange = "numbers out of range";

// Reads `key` of `object` as a whole number within -limit..limit, 1 when missing. `object`
// is known to be an object here, so get() cannot throw; asInt() is only reached for values
// it accepts.
bool readInt(const Json::Value& object, const char* key, Json::ArrayIndex index, const std::string& keyPath, int limit,
             int& out, Problems& problems)
{
    const Json::Value value = object.get(key, 1);
    if (!value.isNumeric() && !value.isBool() && !value.isNull()) {
        problems.add(notANumber, failure(index, keyPath, "a number is expected, found " + typeName(value) + "."));
        return false;
    }
    if (!value.isConvertibleTo(Json::intValue)) {
        std::ostringstream number;
        number.precision(15);
        number << value.asDouble();
        problems.add(outOfRange, failure(index, keyPath, "the number " + number.str() + " is out of range."));
        return false;
    }
    out = value.asInt();
    // NOTE: -INT_MIN overflows, so the bound is tested on both sides rather than on abs().
    if (out < -limit || out > limit) {
        problems.add(outOfRange, failure(index, keyPath,
                                         "the number " + std::to_string(out) + " lies beyond the course's range of -" +
                                             std::to_string(limit) + " to " + std::to_string(limit) + "."));
        return false;
    }
    return true;
}

// Reads one element, noting every key that breaks the format; false if any did.
bool readElement(const Json::Value& element, Json::ArrayIndex index, LevelElement& out, Problems& problems)
{
    if (!element.isObject()) {
        problems.add("elements that are not objects",
                     failure(index, "", "an object is expected, found " + typeName(element) + "."));
        return false;
    }
    bool ok = true;
    const int anyInt = std::numeric_limits<int>::max();
    const char* keys[] = {"typ", "posx", "posy", "posz", "dir"};
    int* fields[] = {&out.typ, &out.posx, &out.posy, &out.posz, &out.dir};
    const int limits[] = {anyInt, maxCourseCoordinate, maxCourseCoordinate, maxCourseCoordinate, anyInt};
    for (int k = 0; k < 5; ++k)
        ok = readInt(element, keys[k], index, keys[k], limits[k], *fields[k], problems) && ok;
    const Json::Value obstacles = element.get("obstacles", Json::Value());
    if (!obstacles.isObject()) {
        problems.add("missing or broken slots",
                     failure(index, "obstacles",
                             obstacles.isNull() ? std::string("the slots are missing.")
                                                : "an object is expected, found " + typeName(obstacles) + "."));
        return false;
    }
    for (size_t s = 0; s < levelSlots.size(); ++s) {
        const std::string keyPath = std::string("obstacles.") + levelSlots[s].key;
        ok = readInt(obstacles, levelSlots[s].key, index, keyPath, anyInt, out.items[s], problems) && ok;
    }
    return ok;
}

LevelDescription rejected(const std::string& error)
{
    LevelDescription level;
    level.error = error;
    level.problems.push_back(error);
    return level;
}

} // namespace

bool ReportLimit::list(const std::string& kind)
{
    for (auto& [name, count] : counts)
        if (name == kind)
            return ++count <= reportLinesPerKind;
    counts.emplace_back(kind, 1);
    return true;
}

void ReportLimit::skip(const std::string& kind, int count)
{
    for (auto& [name, total] : counts)
        if (name == kind) {
            total += count;
            return;
        }
    counts.emplace_back(kind, count);
}

std::vector<ReportLimit::More> ReportLimit::more() const
{
    std::vector<More> lines;
    for (const auto& [name, count] : counts)
        if (count > reportLinesPerKind) {
            const int unlisted = count - reportLinesPerKind;
            lines.push_back({"... and " + std::to_string(unlisted) + " more " + name + ".", unlisted});
        }
    return lines;
}

bool readLevelFile(const std::string& path, std::string& text)
{
    // A folder opens like a file here but reads as nothing, which would pass for an empty
    // course.
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return false;
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        return false;
    // One byte past the limit is enough to know the file is too large; a device or a pipe
    // that never ends is cut there too.
    text.assign(size_t(maxLevelFileBytes) + 1, '\0');
    file.read(&text[0], std::streamsize(text.size()));
    text.resize(size_t(file.gcount()));
    return !file.bad();
}

LevelDescription parseLevel(const std::string& text)
{
    if (text.size() > size_t(maxLevelFileBytes))
        return rejected("FAILED: level file: larger than " + std::to_string(maxLevelFileBytes) +
                        " bytes, the most a course file may have.");
    try {
        Json::Value root;
        Json::Reader reader;
        if (!reader.parse(text, root, true))
            return rejected("FAILED: could not parse JSON-File contents.\n" + reader.getFormattedErrorMessages());
        if (!root.isObject())
            return rejected("FAILED: level file: the root must be an object, found " + typeName(root) + ".");

        LevelDescription level;
        const Json::Value elements = root.get("elements", Json::Value());
        if (!elements.isNull() && !elements.isArray())
            return rejected("FAILED: level file, key \"elements\": an array is expected, found " + typeName(elements) +
                            ".");
        if (elements.size() > maxLevelElements)
            return rejected("FAILED: level file, key \"elements\": " + std::to_string(elements.size()) +
                            " elements, more than the " + std::to_string(maxLevelElements) + " a course may have.");
        // Every element is read, so that a course writer learns of every mistake at once.
        Problems problems;
        for (Json::ArrayIndex i = 0; i < elements.size(); ++i) {
            LevelElement element{};
            if (readElement(elements[i], i, element, problems))
                level.elements.push_back(element);
        }
        if (!problems.lines.empty()) {
            level = rejected(problems.lines.front());
            level.problems = problems.lines;
            level.moreProblems = problems.limit.more();
            return level;
        }
        level.ok = true;
        return level;
    } catch (const std::exception& exception) {
        // Every shape is checked before use; this only keeps a reader surprise from ending the game.
        return rejected(std::string("FAILED: level file could not be read: ") + exception.what());
    }
}

bool isSupportedWallType(int typ)
{
    return typ == 0 || typ == 1 || typ == 2;
}

glm::mat4 wallMatrixFor(const LevelElement& element)
{
    const glm::mat4 translation = glm::translate(
        glm::mat4(1.0f), glm::vec3(-6.0f * float(element.posx), float(element.posy), -6.0f * float(element.posz)));
    return glm::rotate(translation, float(element.dir) * quarterTurn, glm::vec3(0.0f, 1.0f, 0.0f));
}

glm::mat4 itemMatrixFor(int row, int column, const glm::mat4& prototypeMatrix, const glm::mat4& wallMatrix)
{
    return wallMatrix * prototypeMatrix *
           glm::translate(glm::mat4(1.0f), glm::vec3(float(row) * 1.13f, 0.0f, float(column) * -2.0f));
}

glm::mat4 slotPrototypeMatrix()
{
    return glm::translate(glm::mat4(1.0f), glm::vec3(-1.15f, 0.0f, 1.8f));
}

glm::vec3 slotPositionOnPiece(const LevelSlot& slot)
{
    return glm::vec3(itemMatrixFor(slot.row, slot.column, slotPrototypeMatrix(), glm::mat4(1.0f))[3]);
}

ItemKind itemKindFor(int itemCode)
{
    if (itemCode >= 1 && itemCode <= 4)
        return ItemKind::Obstacle;
    if (itemCode == 10 || itemCode == 11)
        return ItemKind::Ingredient;
    return ItemKind::None;
}

CourseGoal courseGoalOf(const std::vector<LevelElement>& elements)
{
    CourseGoal goal;
    for (const LevelElement& element : elements) {
        if (!isSupportedWallType(element.typ))
            continue;
        goal.exists = true;
        goal.position = glm::vec3(wallMatrixFor(element)[3]);
    }
    return goal;
}

bool goalReachedFrom(glm::vec3 cameraPosition, const CourseGoal& goal)
{
    return goal.exists && glm::length(cameraPosition - goal.position) < goalReachDistance;
}

} // namespace vantor::scene
