#include "support/GameProcess.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// Last: Xlib defines macros (None, Status, KeyPress) that clash with other headers.
#include <X11/Xlib.h>

namespace {
std::string runCommand(const std::string& command)
{
    std::string result;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr)
            result += buffer;
        pclose(pipe);
    }
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r'))
        result.pop_back();
    return result;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Delivers one key event to `window` alone. NOTE: not through the test extension (what
// xdotool uses for the focused window): that goes to whichever window has the focus when
// the server takes it, and a game starting beside this one may just have taken it.
// `modifiers`: the X modifier state the event carries (Mod1Mask for Alt).
void sendKeyEvent(unsigned long window, const std::string& key, bool press, unsigned int modifiers = 0)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return;
    XKeyEvent event = {};
    event.type = press ? KeyPress : KeyRelease;
    event.display = display;
    event.window = window;
    event.root = DefaultRootWindow(display);
    event.time = CurrentTime;
    event.same_screen = True;
    event.state = modifiers;
    event.keycode = XKeysymToKeycode(display, XStringToKeysym(key.c_str()));
    XSendEvent(display, window, True, press ? KeyPressMask : KeyReleaseMask, reinterpret_cast<XEvent*>(&event));
    XCloseDisplay(display); // flushes the event
}
} // namespace

GameProcess::GameProcess(const std::vector<std::string>& arguments, const std::string& binary,
                         const std::string& workingFolder, bool terminalInput)
    : pid(-1), exitCode(-1000), terminal(-1)
{
    char pattern[] = "/tmp/lantern-game-XXXXXX";
    int logDescriptor = mkstemp(pattern);
    logFile = pattern;
    std::string terminalName = "/dev/null";
    if (terminalInput) {
        terminal = posix_openpt(O_RDWR | O_NOCTTY);
        if (terminal >= 0 && grantpt(terminal) == 0 && unlockpt(terminal) == 0)
            terminalName = ptsname(terminal);
    }

    // Pictures and frame rates stay comparable: a fixed render scale of 1 unless the test
    // chose one. Built before the fork, which leaves the child only async-signal-safe calls.
    std::vector<std::string> environment;
    for (char** variable = environ; *variable != nullptr; ++variable)
        environment.emplace_back(*variable);
    if (std::getenv("LANTERN_TRAIL_RENDER_SCALE") == nullptr)
        environment.emplace_back("LANTERN_TRAIL_RENDER_SCALE=1");
    std::vector<char*> envp;
    for (std::string& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(binary.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid = fork();
    if (pid == 0) {
        if (chdir(workingFolder.c_str()) != 0)
            _exit(126);
        int input = open(terminalName.c_str(), O_RDWR | O_NOCTTY);
        dup2(input, STDIN_FILENO);
        dup2(logDescriptor, STDOUT_FILENO);
        dup2(logDescriptor, STDERR_FILENO);
        execve(binary.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    close(logDescriptor);
}

GameProcess::~GameProcess()
{
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (terminal >= 0)
        close(terminal);
    std::remove(logFile.c_str());
}

std::string GameProcess::waitForWindow(double timeoutSeconds)
{
    // By process id (the window's _NET_WM_PID), never by title: another test's game may
    // have a window of the same name on this display. Asked again until it answers, since
    // a search ends with an X error when another game's window closes while it looks.
    const std::string search = "xdotool search --onlyvisible --pid " + std::to_string(pid) + " 2>/dev/null | head -n 1";
    const auto start = std::chrono::steady_clock::now();
    do {
        windowId = runCommand(search);
        if (!windowId.empty() || hasEnded())
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (secondsSince(start) < timeoutSeconds);
    return windowId;
}

bool GameProcess::waitForOutput(const std::string& text, double timeoutSeconds, double pollSeconds)
{
    return waitUntil([&text](const std::string& output) { return output.find(text) != std::string::npos; },
                     timeoutSeconds, pollSeconds);
}

bool GameProcess::waitUntil(const std::function<bool(const std::string&)>& done, double timeoutSeconds,
                            double pollSeconds)
{
    auto start = std::chrono::steady_clock::now();
    while (secondsSince(start) < timeoutSeconds) {
        if (done(output()))
            return true;
        std::this_thread::sleep_for(std::chrono::duration<double>(pollSeconds));
    }
    return done(output());
}

bool ballMetTheCourse(const std::string& output)
{
    return output.find("Hero collected object: ") != std::string::npos ||
           output.find("Hero collides with Obstacle of type: ") != std::string::npos ||
           output.find("Hero fell from wall.") != std::string::npos;
}

void GameProcess::pressKey(const std::string& key, double holdSeconds)
{
    if (windowId.empty())
        waitForWindow(10);
    if (windowId.empty())
        return;
    const unsigned long window = std::stoul(windowId);
    if (holdSeconds <= 0.0) {
        sendKeyEvent(window, key, true);
        sendKeyEvent(window, key, false);
        return;
    }
    // A held key repeats, as the X server's auto-repeat would: a game that starts beside
    // this one takes the focus, and a window losing the focus lets go of its keys.
    const auto start = std::chrono::steady_clock::now();
    do {
        sendKeyEvent(window, key, true);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (secondsSince(start) < holdSeconds);
    sendKeyEvent(window, key, false);
}

void GameProcess::pressKeyWithAlt(const std::string& key)
{
    if (windowId.empty())
        waitForWindow(10);
    if (windowId.empty())
        return;
    const unsigned long window = std::stoul(windowId);
    sendKeyEvent(window, key, true, Mod1Mask);
    sendKeyEvent(window, key, false, Mod1Mask);
}

void GameProcess::sendSignal(int signal)
{
    if (pid > 0)
        kill(pid, signal);
}

bool GameProcess::hasEnded()
{
    if (pid <= 0)
        return true;
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) != pid)
        return false;
    pid = -1;
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

int GameProcess::waitForExit(double timeoutSeconds)
{
    auto start = std::chrono::steady_clock::now();
    while (!hasEnded()) {
        if (secondsSince(start) > timeoutSeconds) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            pid = -1;
            return -1000;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return exitCode;
}

std::string GameProcess::output() const
{
    std::ifstream in(logFile);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
