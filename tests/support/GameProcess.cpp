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
                         const std::string& workingFolder)
    : pid(-1)
{
    char pattern[] = "/tmp/lantern-game-XXXXXX";
    int logDescriptor = mkstemp(pattern);
    logFile = pattern;

    pid = fork();
    if (pid == 0) {
        if (chdir(workingFolder.c_str()) != 0)
            _exit(126);
        int nullInput = open("/dev/null", O_RDONLY);
        dup2(nullInput, STDIN_FILENO);
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
    std::remove(logFile.c_str());
}

std::string GameProcess::waitForWindow(double timeoutSeconds)
{
    std::ostringstream command;
    command << "timeout " << timeoutSeconds << " xdotool search --sync --onlyvisible --name '^Lantern Trail$' 2>/dev/null | head -n 1";
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
    if (!windowId.empty())
        runCommand("xdotool windowfocus " + windowId + " 2>/dev/null");
    if (holdSeconds <= 0.0) {
        runCommand("xdotool key " + key);
        return;
    }
    runCommand("xdotool keydown " + key);
    std::this_thread::sleep_for(std::chrono::duration<double>(holdSeconds));
    runCommand("xdotool keyup " + key);
}

void GameProcess::sendSignal(int signal)
{
    if (pid > 0)
        kill(pid, signal);
}

int GameProcess::waitForExit(double timeoutSeconds)
{
    auto start = std::chrono::steady_clock::now();
    while (pid > 0) {
        int status = 0;
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (secondsSince(start) > timeoutSeconds) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            pid = -1;
            return -1000;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1000;
}

std::string GameProcess::output() const
{
    std::ifstream in(logFile);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
