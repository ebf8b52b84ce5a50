// lantern-trail-demo [width height [folder [attempts]]]
//
// The real game (start-up, update, render) played by the autopilot at fixed 1/60 s steps,
// for machines without a player or a screen (Xvfb will do). Writes PNG screenshots into
// `folder` (default "demo"): each attempt's start, its first collected fruit, every ten
// seconds of play, and its end screen; and one summary line per attempt to the console and
// to "summary.txt" in the folder. Runs from the build folder like the game (it reads
// ../Models/ and ../Shader/), and plays the course LANTERN_TRAIL_COURSE names as the game
// does; on a generated course each attempt after the first plays the next course, as N
// would. An attempt is given up after tooling/Playtest.h's attemptTimeLimit for the
// course's length. Exit code 0 when the last attempt reached the goal, 2 for wrong
// arguments or a course name the game refuses.
#include "Screenshot.h"

#include "game/Game.h"
#include "game/LevelLoader.h"
#include "platform/GL.h"
#include "platform/Globals.h"
#include "platform/Window.h"
#include "scene/GameState.h"
#include "scene/Ingredient.h"
#include "tooling/Autopilot.h"
#include "tooling/GameRunner.h"
#include "tooling/Playtest.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

const double frameTime = 1.0 / 60.0;  // seconds
const double shotInterval = 10.0;     // seconds of play between timed screenshots
const int endScreenFrames = 90;       // frames shown after the end before its screenshot

struct Demo {
    GameRunner& runner;
    std::string folder;
    int width, height;
    std::vector<std::string> written; // screenshot files, in order
    Autopilot* autopilot = nullptr;   // owned; made for the course the game holds
    double attemptLimit = 0.0;        // seconds of play before an attempt is given up

    ~Demo() { delete autopilot; }

    // The autopilot and the time limit for the course the game has just built.
    void takeCourse()
    {
        delete autopilot;
        autopilot = new Autopilot(game);
        attemptLimit = attemptTimeLimit(autopilot->path.length);
    }

    // Ready for the next attempt: on a generated course the next course (N at the end
    // screen, as a player presses it; after an attempt given up, straight to it), else the
    // same course again (R).
    void nextAttempt()
    {
        if (game->course.kind != vantor::scene::CourseChoice::Kind::Generated) {
            runner.replay(frameTime, false);
            return;
        }
        if (game->state->heroFell || game->state->goalReached) {
            runner.keys.releaseAll();
            runner.keys.press(GLFW_KEY_N);
            runner.frame(frameTime, false);
            runner.keys.releaseAll();
        } else {
            game->goToNextCourse(false);
        }
        takeCourse();
    }

    // One frame; when `shot` is not empty, the frame is also drawn and saved under that name.
    void frame(const std::string& shot = "")
    {
        autopilot->steer(runner.keys);
        runner.frame(frameTime, false);
        if (shot.empty())
            return;
        // Drawn after the update, as the game loop draws it; drawing only the frames that
        // are kept lets the demo run quickly on a software renderer.
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        game->render();
        const std::string path = folder + "/" + shot;
        if (writeScreenshot(path, width, height))
            written.push_back(path);
        else
            std::cout << "FAILED: could not write " << path << std::endl;
        glfwSwapBuffers(gameWindow->handle);
    }

    int collected() const
    {
        int count = 0;
        for (vantor::scene::Ingredient* item : game->ingredients)
            count += item->collected ? 1 : 0;
        return count;
    }

    // Plays one attempt; returns its summary line.
    std::string attempt(int number)
    {
        const std::string prefix = "attempt" + std::to_string(number) + "-";
        const GameState& state = *game->state;
        const double start = state.startTime;
        bool fruitShot = false;
        int nextShot = 1;
        frame(prefix + "start.png");
        while (!state.heroFell && !state.goalReached && runner.clock.now() - start < attemptLimit) {
            const double played = runner.clock.now() - start;
            std::string shot;
            if (!fruitShot && collected() > 0) {
                fruitShot = true;
                shot = prefix + "first-fruit.png";
            } else if (played >= shotInterval * nextShot) {
                shot = prefix + "at-" + std::to_string(int(shotInterval) * nextShot) + "s.png";
                ++nextShot;
            }
            frame(shot);
        }
        const bool ended = state.heroFell || state.goalReached;
        const double seconds = (ended ? state.endTime : runner.clock.now()) - start;
        for (int i = 1; i < endScreenFrames; ++i)
            frame();
        frame(prefix + "end.png");

        std::ostringstream line;
        line.setf(std::ios::fixed);
        line.precision(2);
        line << "Attempt " << number << ": "
             << (state.heroFell      ? "Hero fell from wall."
                 : state.goalReached ? "Hero reached goal."
                                     : "Hero did not finish.")
             << " Time " << seconds << " s, score " << state.score << ", fruit " << collected() << " of "
             << game->ingredients.size() << ". Course " << vantor::scene::printableName(courseLabel(game->course))
             << ".";
        return line.str();
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 1 && argc != 3 && argc != 4 && argc != 5) {
        std::cout << "Usage: lantern-trail-demo [width height [folder [attempts]]]" << std::endl;
        return 2;
    }
    if (!takeCourseFromEnvironment())
        return 2;
    const int width = argc >= 3 ? std::atoi(argv[1]) : 800;
    const int height = argc >= 3 ? std::atoi(argv[2]) : 600;
    const std::string folder = argc >= 4 ? argv[3] : "demo";
    const int attempts = argc >= 5 ? std::atoi(argv[4]) : 1;
    if (width < 16 || height < 16 || width > 8192 || height > 8192 || attempts < 1) {
        std::cout << "FAILED: the window must be 16 to 8192 pixels a side and there must be an attempt." << std::endl;
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::ofstream summary(folder + "/summary.txt");
    if (!summary) {
        std::cout << "FAILED: could not write into the folder " << folder << std::endl;
        return 2;
    }

    GameRunner runner(width, height);
    Demo demo{runner, folder, width, height, {}};
    demo.takeCourse();
    std::vector<std::string> lines;
    for (int number = 1; number <= attempts; ++number) {
        if (number > 1)
            demo.nextAttempt();
        lines.push_back(demo.attempt(number));
        std::cout << lines.back() << std::endl;
        summary << lines.back() << "\n";
    }
    summary.flush();
    const bool won = game->state->goalReached && !game->state->heroFell;
    std::cout << "Demo: " << demo.written.size() << " screenshots and summary.txt in "
              << std::filesystem::absolute(folder).lexically_normal().string() << std::endl;
    return won ? 0 : 1;
}
