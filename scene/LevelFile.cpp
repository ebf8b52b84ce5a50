#include "scene/LevelFile.h"

#include <glm/gtc/matrix_transform.hpp>
#include <json/json.h>
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

// Reads `key` of `object` as a whole number, 1 when missing. `object` is known to be an
// object here, so get() cannot throw; asInt() is only reached for values it accepts.
bool readInt(const Json::Value& object, const char* key, Json::ArrayIndex index, const std::string& keyPath, int& out,
             std::string& error)
{
    const Json::Value value = object.get(key, 1);
    if (!value.isNumeric() && !value.isBool() && !value.isNull()) {
        error = failure(index, keyPath, "a number is expected, found " + typeName(value) + ".");
        return false;
    }
    if (!value.isConvertibleTo(Json::intValue)) {
        std::ostringstream number;
        number.precision(15);
        number << value.asDouble();
        error = failure(index, keyPath, "the number " + number.str() + " is out of range.");
        return false;
    }
    out = value.asInt();
    return true;
}

// Reads one element, noting every key that breaks the format in `errors`; false if any did.
bool readElement(const Json::Value& element, Json::ArrayIndex index, LevelElement& out,
                 std::vector<std::string>& errors)
{
    if (!element.isObject()) {
        errors.push_back(failure(index, "", "an object is expected, found " + typeName(element) + "."));
        return false;
    }
    bool ok = true;
    std::string error;
    const char* keys[] = {"typ", "posx", "posy", "posz", "dir"};
    int* fields[] = {&out.typ, &out.posx, &out.posy, &out.posz, &out.dir};
    for (int k = 0; k < 5; ++k) {
        if (!readInt(element, keys[k], index, keys[k], *fields[k], error)) {
            errors.push_back(error);
            ok = false;
        }
    }
    const Json::Value obstacles = element.get("obstacles", Json::Value());
    if (!obstacles.isObject()) {
        errors.push_back(failure(index, "obstacles",
                                 obstacles.isNull() ? std::string("the slots are missing.")
                                                    : "an object is expected, found " + typeName(obstacles) + "."));
        return false;
    }
    for (size_t s = 0; s < levelSlots.size(); ++s) {
        const std::string keyPath = std::string("obstacles.") + levelSlots[s].key;
        if (!readInt(obstacles, levelSlots[s].key, index, keyPath, out.items[s], error)) {
            errors.push_back(error);
            ok = false;
        }
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

LevelDescription parseLevel(const std::string& text)
{
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
        // Every element is read, so that a course writer learns of every mistake at once.
        std::vector<std::string> errors;
        for (Json::ArrayIndex i = 0; i < elements.size(); ++i) {
            LevelElement element{};
            if (readElement(elements[i], i, element, errors))
                level.elements.push_back(element);
        }
        if (!errors.empty()) {
            level = rejected(errors.front());
            level.problems = errors;
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

} // namespace vantor::scene
