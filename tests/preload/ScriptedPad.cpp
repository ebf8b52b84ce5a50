// A gamepad for machines that have none: preloaded into the game (LD_PRELOAD), it stands in
// for the window library's joystick functions and plays the pad that a test writes into
// the file LANTERN_TRAIL_TEST_PAD, one command a line, appended while the game runs:
//   connect NAME        a gamepad called NAME plugs in as joystick 0
//   disconnect          it is pulled out (its sticks and buttons go back to rest)
//   axis INDEX VALUE    a GLFW_GAMEPAD_AXIS_* index, -1 to 1
//   button INDEX 0|1    a GLFW_GAMEPAD_BUTTON_* index, released or pressed
//   joystick GUID NAME  a joystick without a gamepad mapping plugs in as joystick 1
// Commands already in the file when the game first asks are there from the start; later
// ones take effect inside glfwPollEvents, where the joystick callback hears of (un)plugs,
// as with a real device.
#include <GLFW/glfw3.h>

#include <dlfcn.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const int padId = 0;
const int joystickId = 1;

struct Joystick {
    bool present = false;
    bool gamepad = false;
    std::string name;
    std::string guid = "00000000000000000000000000000000";
    GLFWgamepadstate state = {};
};

Joystick joysticks[2];
GLFWjoystickfun joystickCallback = nullptr;
bool started = false;        // whether the file was read once
std::streamoff consumed = 0; // bytes of the file whose lines were applied

void plug(int id, bool present)
{
    joysticks[id].present = present;
    if (!present)
        joysticks[id].state = {};
    if (started && joystickCallback)
        joystickCallback(id, present ? GLFW_CONNECTED : GLFW_DISCONNECTED);
}

void apply(const std::string& line)
{
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command == "connect") {
        std::getline(words >> std::ws, joysticks[padId].name);
        joysticks[padId].gamepad = true;
        plug(padId, true);
    } else if (command == "disconnect") {
        plug(padId, false);
    } else if (command == "axis") {
        int index = 0;
        float value = 0.0f;
        if (words >> index >> value && index >= 0 && index <= GLFW_GAMEPAD_AXIS_LAST)
            joysticks[padId].state.axes[index] = value;
    } else if (command == "button") {
        int index = 0, down = 0;
        if (words >> index >> down && index >= 0 && index <= GLFW_GAMEPAD_BUTTON_LAST)
            joysticks[padId].state.buttons[index] = down ? GLFW_PRESS : GLFW_RELEASE;
    } else if (command == "joystick") {
        words >> joysticks[joystickId].guid;
        std::getline(words >> std::ws, joysticks[joystickId].name);
        plug(joystickId, true);
    }
}

// Applies the complete lines written since the last call.
void catchUp()
{
    const char* path = std::getenv("LANTERN_TRAIL_TEST_PAD");
    std::ifstream file(path ? path : "");
    file.seekg(consumed);
    std::string line;
    while (std::getline(file, line) && !file.eof()) {
        consumed += std::streamoff(line.size()) + 1;
        apply(line);
    }
    started = true;
}

const Joystick* find(int id)
{
    if (!started)
        catchUp();
    return (id == padId || id == joystickId) && joysticks[id].present ? &joysticks[id] : nullptr;
}

} // namespace

extern "C" {

void glfwPollEvents(void)
{
    static auto real = reinterpret_cast<void (*)(void)>(dlsym(RTLD_NEXT, "glfwPollEvents"));
    real();
    catchUp();
}

int glfwJoystickPresent(int jid)
{
    return find(jid) != nullptr;
}

int glfwJoystickIsGamepad(int jid)
{
    const Joystick* joystick = find(jid);
    return joystick && joystick->gamepad;
}

int glfwGetGamepadState(int jid, GLFWgamepadstate* state)
{
    const Joystick* joystick = find(jid);
    if (!joystick || !joystick->gamepad)
        return GLFW_FALSE;
    *state = joystick->state;
    return GLFW_TRUE;
}

const char* glfwGetGamepadName(int jid)
{
    const Joystick* joystick = find(jid);
    return joystick && joystick->gamepad ? joystick->name.c_str() : nullptr;
}

const char* glfwGetJoystickName(int jid)
{
    const Joystick* joystick = find(jid);
    return joystick ? joystick->name.c_str() : nullptr;
}

const char* glfwGetJoystickGUID(int jid)
{
    const Joystick* joystick = find(jid);
    return joystick ? joystick->guid.c_str() : nullptr;
}

GLFWjoystickfun glfwSetJoystickCallback(GLFWjoystickfun callback)
{
    GLFWjoystickfun previous = joystickCallback;
    joystickCallback = callback;
    return previous;
}

} // extern "C"
