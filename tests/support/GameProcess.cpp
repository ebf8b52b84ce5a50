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

    pid = fork();
    if (pid == 0) {
        if (chdir(workingFolder.c_str()) != 0)
            _exit(126);
        int input = open(terminalName.c_str(), O_RDWR | O_NOCTTY);
        dup2(input, STDIN_FILENO);
        dup2(logDescriptor, STDOUT_FILENO);
        dup2(logDescriptor, STDERR_FILENO);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(binary.c_str()));
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(binary.c_str(), argv.data());
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
    // have a window of the same name on this display.
    std::ostringstream command;
    command << "timeout " << timeoutSeconds << " xdotool search --sync --onlyvisible --pid " << pid
            << " 2>/dev/null | head -n 1";
    windowId = runCommand(command.str());
    return windowId;
}

bool GameProcess::waitForOutput(const std::string& text, double timeoutSeconds)
{
    auto start = std::chrono::steady_clock::now();
    while (secondsSince(start) < timeoutSeconds) {
        if (output().find(text) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return output().find(text) != std::string::npos;
}

void GameProcess::pressKey(const std::string& key, double holdSeconds)
{
    if (windowId.empty())
        waitForWindow(10);
    // Sent to this game's window alone: the keyboard focus may belong to another game.
    const std::string window = " --window " + (windowId.empty() ? std::string("0") : windowId) + " ";
    if (holdSeconds <= 0.0) {
        runCommand("xdotool key" + window + key);
        return;
    }
    // A held key repeats, as the X server's auto-repeat would: a game that starts beside
    // this one takes the focus, and a window losing the focus lets go of its keys.
    const auto start = std::chrono::steady_clock::now();
    do {
        runCommand("xdotool keydown" + window + key);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (secondsSince(start) < holdSeconds);
    runCommand("xdotool keyup" + window + key);
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
