// The shipped course, Models/level.json: it parses the way the
// game reads it, runs as one connected path of wall pieces from the drop point to the end
// piece, every item stands on a wall's walkable top, and the obstacles always leave a lane.
//
// The conventions checked here (also written down in tools/generator/Level.cpp):
//   a piece's local +z edge faces world +z, +x, -z, -x for dir 0, 1, 2, 3 (its local -x
//   edge: -x, +z, +x, -z); straight pieces are open at local +z and -z, curves at local +z
//   and -x, the end piece at local +z only. Neighbouring grid cells share an edge.
#include "data/DataFiles.h"
#include "scene/LevelFile.h"

#include <gtest/gtest.h>
#include <json/json.h>

#include <set>

using namespace datatest;

namespace {

const char* const slotKeys[9] = {"lv", "lm", "lh", "mv", "mm", "mh", "rv", "rm", "rh"};

struct Piece {
    int typ, posx, posy, posz, dir;
    int items[9];
};

std::vector<Piece> readCourse()
{
    std::vector<Piece> pieces;
    Json::Value root;
    Json::Reader reader;
    if (!reader.parse(readText(modelsFolder() + "level.json"), root, true))
        return pieces;
    const Json::Value& elements = root["elements"];
    for (Json::ArrayIndex i = 0; i < elements.size(); ++i) {
        const Json::Value& e = elements[i];
        Piece p{e.get("typ", 1).asInt(), e.get("posx", 1).asInt(), e.get("posy", 1).asInt(),
                e.get("posz", 1).asInt(), e.get("dir", 1).asInt(), {}};
        for (int s = 0; s < 9; ++s)
            p.items[s] = e.get("obstacles", 1).get(slotKeys[s], 1).asInt();
        pieces.push_back(p);
    }
    return pieces;
}

glm::mat4 wallMatrix(const Piece& p)
{
    glm::mat4 m = glm::translate(glm::mat4(1.0f), glm::vec3(-6.0f * p.posx, float(p.posy), -6.0f * p.posz));
    return glm::rotate(m, float(p.dir) * 1.5707964f, glm::vec3(0, 1, 0));
}

// Where the game places a slot's item, by its own slot formula.
glm::vec3 slotPosition(const Piece& p, int slot)
{
    return glm::vec3(wallMatrix(p) * glm::vec4(vantor::scene::slotPositionOnPiece(vantor::scene::levelSlots[size_t(slot)]), 1.0f));
}

// A unit grid step (dx, dz) in world axes, rounded from a turned local direction.
glm::ivec2 worldSide(const Piece& p, glm::vec3 local)
{
    glm::vec3 w = glm::mat3(wallMatrix(p)) * local;
    return glm::ivec2(int(std::lround(w.x)), int(std::lround(w.z)));
}

std::vector<glm::ivec2> openSides(const Piece& p)
{
    std::vector<glm::ivec2> sides = {worldSide(p, {0, 0, 1})};
    if (p.typ == 1)
        sides.push_back(worldSide(p, {0, 0, -1}));
    if (p.typ == 2)
        sides.push_back(worldSide(p, {-1, 0, 0}));
    return sides;
}

// World step from piece a's cell to piece b's cell: world x = -6 posx, world z = -6 posz.
glm::ivec2 step(const Piece& a, const Piece& b)
{
    return glm::ivec2(-(b.posx - a.posx), -(b.posz - a.posz));
}

bool has(const std::vector<glm::ivec2>& sides, glm::ivec2 side)
{
    for (glm::ivec2 s : sides)
        if (s == side)
            return true;
    return false;
}

struct WallMeshes {
    LoadedModel models[3]; // by typ: 0 end, 1 straight, 2 curve
    WallMeshes()
    {
        models[0] = loadModel(modelsFolder() + "endwall.dae", vantor::scene::ModelKind::Wall);
        models[1] = loadModel(modelsFolder() + "straightwall.dae", vantor::scene::ModelKind::Wall);
        models[2] = loadModel(modelsFolder() + "curvewall.dae", vantor::scene::ModelKind::Wall);
    }
    std::vector<Triangle> placed(const Piece& p) const
    {
        return placedTriangles(models[p.typ].scene->mMeshes[0], wallMatrix(p));
    }
};

bool isObstacle(int code)
{
    return code >= 1 && code <= 4;
}

} // namespace

TEST(CourseFile, ParsesAsTheGameReadsItAndWritesEveryValueOut)
{
    std::string text = readText(modelsFolder() + "level.json");
    vantor::scene::LevelDescription level = vantor::scene::parseLevel(text);
    ASSERT_TRUE(level.ok) << level.error;
    ASSERT_GE(level.elements.size(), 15u);

    Json::Value root;
    Json::Reader reader;
    ASSERT_TRUE(reader.parse(text, root, false));
    const Json::Value& elements = root["elements"];
    ASSERT_TRUE(elements.isArray());
    std::set<int> allowedItems = {0, 1, 2, 3, 4, 10, 11};
    for (Json::ArrayIndex i = 0; i < elements.size(); ++i) {
        SCOPED_TRACE("element " + std::to_string(i));
        for (const char* key : {"typ", "posx", "posy", "posz", "dir"})
            EXPECT_TRUE(elements[i][key].isInt()) << key; // never left to the default 1
        const Json::Value& obstacles = elements[i]["obstacles"];
        ASSERT_TRUE(obstacles.isObject());
        for (const char* key : slotKeys) {
            ASSERT_TRUE(obstacles[key].isInt()) << key; // empty slots are an explicit 0
            EXPECT_TRUE(allowedItems.count(obstacles[key].asInt())) << key;
        }
    }
}

TEST(CourseFile, RunsFromTheDropPointToOneEndPiece)
{
    std::vector<Piece> course = readCourse();
    ASSERT_GE(course.size(), 15u);
    const Piece& first = course.front();
    EXPECT_EQ(first.posx, 0);
    EXPECT_EQ(first.posy, 0);
    EXPECT_EQ(first.posz, 0);
    EXPECT_EQ(course.back().typ, 0);
    for (size_t i = 0; i + 1 < course.size(); ++i)
        EXPECT_TRUE(course[i].typ == 1 || course[i].typ == 2) << "piece " << i;

    // The ball is dropped at (0, 4, -1) above the first piece's top.
    WallMeshes walls;
    EXPECT_NEAR(rayDown(walls.placed(first), glm::vec3(0.0f, 4.0f, -1.0f)), 4.0f, 1e-3f);
    // The first piece's free end faces the camera (+z), the course leads away from it.
    ASSERT_EQ(first.typ, 1);
    EXPECT_TRUE(has(openSides(first), glm::ivec2(0, 1)));
    EXPECT_EQ(step(first, course[1]), glm::ivec2(0, -1));
}

TEST(CourseFile, ConsecutivePiecesShareAnOpenEdge)
{
    std::vector<Piece> course = readCourse();
    ASSERT_GE(course.size(), 2u);
    std::set<std::pair<int, int>> cells;
    for (size_t i = 0; i < course.size(); ++i) {
        EXPECT_TRUE(cells.insert({course[i].posx, course[i].posz}).second) << "piece " << i << " reuses a cell";
        EXPECT_EQ(course[i].posy, 0) << "piece " << i;
    }
    for (size_t i = 0; i + 1 < course.size(); ++i) {
        SCOPED_TRACE("pieces " + std::to_string(i) + " and " + std::to_string(i + 1));
        glm::ivec2 forward = step(course[i], course[i + 1]);
        ASSERT_EQ(std::abs(forward.x) + std::abs(forward.y), 1) << "not neighbours";
        EXPECT_TRUE(has(openSides(course[i]), forward)) << "exit edge closed";
        EXPECT_TRUE(has(openSides(course[i + 1]), -forward)) << "entry edge closed";
        // Each piece's two open edges are its entry and its exit.
        if (i > 0) {
            glm::ivec2 back = step(course[i], course[i - 1]);
            std::vector<glm::ivec2> sides = openSides(course[i]);
            ASSERT_EQ(sides.size(), 2u);
            EXPECT_TRUE(has(sides, back) && has(sides, forward));
        }
    }
    ASSERT_EQ(openSides(course.back()).size(), 1u);
}

TEST(CourseFile, TheBallRollsAcrossEveryJointOnTheWalkableTop)
{
    std::vector<Piece> course = readCourse();
    WallMeshes walls;
    for (size_t i = 0; i + 1 < course.size(); ++i) {
        SCOPED_TRACE("joint " + std::to_string(i));
        glm::ivec2 forward = step(course[i], course[i + 1]);
        glm::vec3 centre = glm::vec3(wallMatrix(course[i])[3]);
        glm::vec3 along(float(forward.x), 0.0f, float(forward.y));
        glm::vec3 across(along.z, 0.0f, -along.x);
        std::vector<Triangle> a = walls.placed(course[i]), b = walls.placed(course[i + 1]);
        for (int k = 0; k <= 18; ++k) {
            glm::vec3 joint = centre + along * 3.0f + across * (-1.8f + 0.2f * float(k)) + glm::vec3(0, 1, 0);
            EXPECT_NEAR(rayDown(a, joint - along * 0.02f), 1.0f, 1e-3f) << "before the joint, " << k;
            EXPECT_NEAR(rayDown(b, joint + along * 0.02f), 1.0f, 1e-3f) << "after the joint, " << k;
        }
    }
}

TEST(CourseFile, EveryItemStandsOnAWallsWalkableTop)
{
    std::vector<Piece> course = readCourse();
    WallMeshes walls;
    std::vector<std::vector<Triangle>> placed;
    for (const Piece& p : course)
        placed.push_back(walls.placed(p));
    for (size_t i = 0; i < course.size(); ++i) {
        for (int s = 0; s < 9; ++s) {
            if (course[i].items[s] == 0)
                continue;
            glm::vec3 slot = slotPosition(course[i], s);
            bool onTop = false;
            for (const std::vector<Triangle>& wall : placed)
                onTop = onTop || std::fabs(rayDown(wall, slot + glm::vec3(0, 1, 0)) - 1.0f) < 0.01f;
            EXPECT_TRUE(onTop) << "piece " << i << " slot " << slotKeys[s];
        }
    }
}

TEST(CourseFile, ObstaclesCallForSteeringButAlwaysLeaveALane)
{
    std::vector<Piece> course = readCourse();
    int fruit = 0, obstacles = 0, straights = 0, leftTurns = 0, rightTurns = 0;
    for (size_t i = 0; i < course.size(); ++i) {
        const Piece& p = course[i];
        SCOPED_TRACE("piece " + std::to_string(i));
        for (int code : p.items) {
            fruit += (code == 10 || code == 11) ? 1 : 0;
            obstacles += isObstacle(code) ? 1 : 0;
        }
        if (p.typ == 1) {
            ++straights;
            // A lane (l, m or r) without any obstacle along the whole piece.
            bool freeLane = false;
            for (int lane = 0; lane < 3; ++lane) {
                bool clear = true;
                for (int third = 0; third < 3; ++third)
                    clear = clear && !isObstacle(p.items[lane * 3 + third]);
                freeLane = freeLane || clear;
            }
            EXPECT_TRUE(freeLane);
        } else {
            // Curves and the end piece carry no obstacles: the ball turns there.
            for (int code : p.items)
                EXPECT_FALSE(isObstacle(code));
        }
        if (p.typ == 2 && i > 0 && i + 1 < course.size()) {
            glm::ivec2 in = step(course[i - 1], p), out = step(p, course[i + 1]);
            // Seen from above (x to the right, z down the screen), a turn to the left of the
            // direction of travel is anticlockwise: a negative cross product of (x, z) vectors.
            int cross = in.x * out.y - in.y * out.x;
            (cross < 0 ? leftTurns : rightTurns) += 1;
        }
    }
    EXPECT_GE(fruit, 10);
    EXPECT_GE(obstacles, 10);
    EXPECT_GE(straights, 8);
    EXPECT_GE(leftTurns, 2);
    EXPECT_GE(rightTurns, 2);
    // One to two minutes for a careful player: about 100 to 200 units of path.
    EXPECT_GE(course.size() * 6, 100u);
    EXPECT_LE(course.size() * 6, 200u);
}
