#pragma once
#include <functional>

class Clock;
struct GameState;
namespace vantor::util { class Window; }

// The body of one frame of the game loop, after the window's events were polled: the
// picture follows the window's framebuffer should it have changed size (Game::resize),
// reads what the player asks (keys and pad, once), clears, Game::update by deltaTime
// seconds with those controls, Game::render (unless `draw` is false), the frame-rate line
// every 61 frames while showFrametime is on (only where `frameRateLine` is true: the
// player's loop prints it, scripted runs do not), buffer swap, the frame's wall-clock time
// to the render scale (Game::frameShown), and the OpenGL error check.
// Returns whether the loop goes on: not once the same controls ask to quit (Escape or
// Back), the window was asked to close, or a stop signal came. Works on the process-wide
// game and window, which startUp() created, and on the process-wide input.
bool playFrame(double deltaTime, bool draw = true, bool frameRateLine = true);

// The window library's event wait, a tenth of a second at most: long enough not to spin a
// core, short enough that a stop signal (which cannot wake the wait) is seen at once.
void waitForWindowEvents();

// While `window` is minimised nothing is drawn: sleeps in `waitForEvents` until the window
// is restored or asked to close, or a stop signal came. The attempt's clock in `state`
// (startTime, and endTime once the attempt has ended) moves on by the time waited on
// `clock`, so the minimised time counts in no attempt. Returns the seconds waited; 0 for a
// window that is not minimised.
double waitWhileMinimised(vantor::util::Window& window, GameState& state, Clock& clock,
                          const std::function<void()>& waitForEvents = waitForWindowEvents);

// One turn of the player's game loop on the process-wide game and window: the window's
// events, the wait of a minimised window, the time step since `previousFrameTime` (seconds
// on `clock`; the wait left out, so the frame after it steps as far as an ordinary one, and
// the render scale does not count it), then playFrame, drawn unless the window is still
// minimised. Returns what playFrame returns.
bool playLoopTurn(double& previousFrameTime, Clock& clock,
                  const std::function<void()>& waitForEvents = waitForWindowEvents);
