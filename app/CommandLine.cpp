#include "app/CommandLine.h"

#include <cstdlib>

WindowConfig parseCommandLine(int argc, const char* const* argv)
{
    WindowConfig config;
    if (argc == 4) {
        config.width = std::atoi(argv[1]);
        config.height = std::atoi(argv[2]);
        config.windowed = std::atoi(argv[3]) == 0;
    }
    return config;
}

std::string startLine(const WindowConfig& config)
{
    return "Starting game with " + std::to_string(config.width) + "x" + std::to_string(config.height) +
           " and windowmode = " + std::to_string(config.windowed ? 1 : 0);
}
