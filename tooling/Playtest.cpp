#include "tooling/Playtest.h"

#include "course/CourseChoice.h"
#include "game/Game.h"
#include "game/LevelLoader.h"
#include "platform/GL.h"
#include "platform/Globals.h"
#include "platform/Window.h"
#include "scene/GameState.h"
#include "scene/Hero.h"
#include "scene/Ingredient.h"
#include "scene/LevelFile.h"
#include "tooling/Autopilot.h"
#include "tooling/GameRunner.h"
#include "tooling/QuietConsole.h"

#include <btBulletDynamicsCommon.h>
#include <cmath>
#include <filesystem>
#include <sstream>

using namespace vantor::scene;

namespace {

const double frameTime = 1.0 / 60.0; // seconds; the step the autopilot is made for
const double baseSeconds = 60.0;     // the drop, the goal's run-out and a few hesitations
const double secondsPerUnit = 5.0;   // the autopilot averages 0.25 to 2 units a second

// Where each fruit of the game came from. The game places the items element by element,
// slot by slot, and makes a fruit of every fruit code, so the n-th of its fruit is the
// n-th fruit code read in that order.
std::vector<MissedFruit> fruitInCourseOrder(const LevelDescription& level)
{
    std::vector<MissedFruit> fruit;
    for (size_t e = 0; e < level.elements.size(); ++e)
        for (size_t s = 0; s < levelSlots.size(); ++s) {
            const int code = level.elements[e].items[s];
            if (itemKindFor(code) == ItemKind::Ingredient)
                fruit.push_back(MissedFruit{int(e), levelSlots[s].key, code == 10 ? "banana" : "apple"});
        }
    return fruit;
}

// The level file's element of each wall piece the game builds (it skips unknown kinds).
std::vector<int> elementOfEachPiece(const LevelDescription& level)
{
    std::vector<int> elements;
    for (size_t e = 0; e < level.elements.size(); ++e)
        if (isSupportedWallType(level.elements[e].typ))
            elements.push_back(int(e));
    return elements;
}

// Plays the attempt the runner's game has just started; fills everything but `missed`.
void playAttempt(GameRunner& runner, PlaytestResult& result, const std::vector<int>& elementOfPiece)
{
    Autopilot autopilot(game);
    const GameState& state = *game->state;
    result.limitSeconds = attemptTimeLimit(autopilot.path.length);
    int lastSegment = -1; // the piece the ball last rolled on
    int hint = 0;
    while (!state.heroFell && !state.goalReached && runner.clock.now() - state.startTime < result.limitSeconds) {
        const btVector3 ball = game->hero->rigidBody->getCenterOfMassPosition();
        const glm::vec3 position(ball.x(), ball.y(), ball.z());
        if (result.frames % pathSampleFrames == 0)
            result.ballPath.push_back(position);
        if (!autopilot.path.segments.empty()) {
            const PathCoordinates at = autopilot.path.locate(position, hint);
            hint = at.segment;
            const CoursePiece& piece = autopilot.path.pieces[size_t(autopilot.path.segments[size_t(at.segment)].piece)];
            const glm::vec2 local = toLocal(piece, position);
            const bool onThePiece = std::fabs(local.x) <= 0.5f * cellPitch && std::fabs(local.y) <= 0.5f * cellPitch &&
                                    std::fabs(position.y - piece.origin.y) < 1.0f;
            if (onThePiece || lastSegment < 0)
                lastSegment = at.segment;
        }
        autopilot.steer(runner.keys);
        runner.frame(frameTime, false);
        ++result.frames;
    }

    result.outcome = state.goalReached ? PlaytestOutcome::ReachedGoal
                     : state.heroFell  ? PlaytestOutcome::Fell
                                       : PlaytestOutcome::DidNotFinish;
    result.seconds = result.outcome == PlaytestOutcome::DidNotFinish ? result.limitSeconds
                                                                     : state.endTime - state.startTime;
    result.score = state.score;
    if (result.outcome != PlaytestOutcome::ReachedGoal && lastSegment >= 0) {
        const size_t piece = size_t(autopilot.path.segments[size_t(lastSegment)].piece);
        result.lastElement = piece < elementOfPiece.size() ? elementOfPiece[piece] : -1;
    }
}

} // namespace

double attemptTimeLimit(float pathLength)
{
    return baseSeconds + secondsPerUnit * double(std::fmax(0.0f, pathLength));
}

PlaytestResult playtest(const std::string& course, const std::string& modelsFolder)
{
    namespace fs = std::filesystem;
    PlaytestResult result;
    std::error_code error;
    CourseChoice choice;
    std::string text, refusal;
    const bool read = readNamedCourse(course, clockSeed(), choice, text, refusal);
    // The game builds the course by its name: a generated one by its full name, a file by
    // its absolute path, since the game runs in another folder.
    const bool generated = choice.kind == CourseChoice::Kind::Generated;
    const std::string name = generated ? courseLabel(choice) : fs::absolute(course, error).string();
    if (!read || error) {
        result.failure = refusal.empty() ? printableName(course) + " could not be read" : refusal;
        return result;
    }
    const LevelDescription level = parseLevel(text);
    if (!level.ok) {
        result.failure = "the course does not follow the format, so the game builds nothing to play";
        return result;
    }
    const fs::path models = fs::absolute(modelsFolder, error);
    if (error || !fs::is_directory(models / "..") || !fs::is_directory(models / ".." / "Shader") ||
        !fs::is_directory(models / ".." / "Models")) {
        result.failure = "the game's data (Models/ beside Shader/) was not found at " + modelsFolder;
        return result;
    }
    if (glfwInit() != GLFW_TRUE) {
        const std::string reason = vantor::util::windowLibraryReason();
        result.failure = "the window library did not start: " + (reason.empty() ? "no reason given" : reason);
        return result;
    }

    const fs::path previousFolder = fs::current_path();
    const std::string previousCourse = courseName;
    fs::current_path(models, error);
    courseName = name;
    {
        QuietConsole quiet;
        GameRunner runner(320, 240);
        // The game checks a generated course against its own prototypes and builds the next
        // seed (or its default course) when the checks refuse it: a verdict on that course
        // would be read as one on the course asked for.
        const std::string built = courseLabel(game->course);
        if (generated && built != name) {
            result.failure = "the game refused " + name + " and built " + printableName(built);
        } else {
            playAttempt(runner, result, elementOfEachPiece(level));
            const std::vector<MissedFruit> placed = fruitInCourseOrder(level);
            result.fruitTotal = int(game->ingredients.size());
            for (size_t i = 0; i < game->ingredients.size(); ++i) {
                if (game->ingredients[i]->collected)
                    ++result.fruitCollected;
                else if (i < placed.size())
                    result.missed.push_back(placed[i]);
            }
        }
    }
    courseName = previousCourse;
    fs::current_path(previousFolder, error);
    return result;
}

std::string formatPlaytest(const PlaytestResult& result)
{
    std::ostringstream out;
    out.setf(std::ios::fixed);
    out.precision(2);
    out << "Playtest: ";
    switch (result.outcome) {
    case PlaytestOutcome::NotStarted:
        out << "not played: " << result.failure << ".\n";
        return out.str();
    case PlaytestOutcome::ReachedGoal: out << "reached the goal in " << result.seconds << " s"; break;
    case PlaytestOutcome::Fell: out << "fell at element " << result.lastElement << " after " << result.seconds << " s"; break;
    case PlaytestOutcome::DidNotFinish:
        out << "did not finish in " << std::lround(result.limitSeconds) << " s, last at element " << result.lastElement;
        break;
    }
    out << ", score " << result.score << ", fruit " << result.fruitCollected << " of " << result.fruitTotal << "\n";
    for (const MissedFruit& fruit : result.missed)
        out << "  not collected: element " << fruit.element << ", slot " << fruit.slot << ", " << fruit.kind << "\n";
    return out.str();
}
