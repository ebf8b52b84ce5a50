#pragma once
#include <glm/vec3.hpp>

namespace vantor::util { class Window; }

// The state of the current attempt, shared by the game, the hero, the camera and the
// heads-up display. The attempt has ended once heroFell or goalReached is set.
struct GameState {
    glm::vec3 heroPosition;       // world units; written by the hero's update
    glm::vec3 viewDirection;      // unit vector from the hero to the camera; written by the camera
    vantor::util::Window* window; // not owned: the process-wide window
    int score;                    // points collected in this attempt
    bool heroFell;                // the attempt is lost
    bool goalReached;             // the attempt is won
    double startTime;             // seconds on the window library's clock when the attempt began
    double endTime;               // seconds on the same clock when it ended; 0.0 while it runs
};
