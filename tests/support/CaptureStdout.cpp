#include "support/CaptureStdout.h"

#include <iostream>

CaptureStdout::CaptureStdout() : previous(std::cout.rdbuf(captured.rdbuf())) {}

CaptureStdout::~CaptureStdout()
{
    std::cout.rdbuf(previous);
}

size_t occurrences(const std::string& text, const std::string& part)
{
    size_t found = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}
