#include "app/FatalExit.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

[[noreturn]] void fatalExit(const std::string& line)
{
    std::cout << line << std::endl;
    if (isatty(STDIN_FILENO)) {
        std::cout << "Press Enter to continue . . ." << std::flush;
        std::getchar();
    }
    std::exit(-1);
}
