#include "platform/Gamepads.h"

#include "platform/GL.h"
#include "platform/Window.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iostream>

namespace {

// The names of the gamepads connected now, by joystick id, "" for none: by the time the
// library reports a pad gone it no longer knows its name.
std::string padNames[GLFW_JOYSTICK_LAST + 1];

void joystickConnected(int joystick)
{
    if (!glfwJoystickIsGamepad(joystick)) {
        const char* name = glfwGetJoystickName(joystick);
        const char* guid = glfwGetJoystickGUID(joystick);
        std::cout << "Joystick without a gamepad mapping ignored: " << (name ? name : "") << " ("
                  << (guid ? guid : "") << ")" << std::endl;
        return;
    }
    const char* name = glfwGetGamepadName(joystick);
    padNames[joystick] = name ? name : "";
    std::cout << "Gamepad connected: " << padNames[joystick] << std::endl;
}

void joystickEvent(int joystick, int event)
{
    if (joystick < 0 || joystick > GLFW_JOYSTICK_LAST)
        return;
    if (event == GLFW_CONNECTED) {
        joystickConnected(joystick);
    } else if (event == GLFW_DISCONNECTED && !padNames[joystick].empty()) {
        std::cout << "Gamepad disconnected: " << padNames[joystick] << std::endl;
        padNames[joystick].clear();
    }
}

} // namespace

std::string addPadMappings(const std::string& path)
{
    std::ifstream file(path);
    if (!file)
        return "Gamepad mappings not read: cannot open " + path;
    std::string line;
    std::string problem;
    int lineNumber = 0;
    int taken = 0;
    while (std::getline(file, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        // NOTE: the library silently skips a line that does not start with a hex digit (no
        // GUID), so that is caught here; and lines go one at a time, so that the library's
        // complaint can be given its line number.
        glfwGetError(nullptr);
        std::string reason = "not a mapping";
        if (std::isxdigit(static_cast<unsigned char>(line[0]))) {
            glfwUpdateGamepadMappings(line.c_str());
            reason = vantor::util::windowLibraryReason();
        }
        if (reason.empty())
            ++taken;
        else if (problem.empty())
            problem = "line " + std::to_string(lineNumber) + ": " + reason;
    }
    if (!problem.empty())
        return "Gamepad mappings in " + path + " not understood at " + problem;
    return "Gamepad mappings read from " + path + ": " + std::to_string(taken);
}

void watchGamepads()
{
    if (const char* mappings = std::getenv("LANTERN_TRAIL_PAD_MAPPINGS"))
        std::cout << addPadMappings(mappings) << std::endl;
    for (int joystick = GLFW_JOYSTICK_1; joystick <= GLFW_JOYSTICK_LAST; ++joystick)
        if (glfwJoystickPresent(joystick))
            joystickConnected(joystick);
    glfwSetJoystickCallback(joystickEvent);
}
