#include "support/CaptureStdout.h"

#include <iostream>

CaptureStdout::CaptureStdout() : previous(std::cout.rdbuf(captured.rdbuf())) {}

CaptureStdout::~CaptureStdout()
{
    std::cout.rdbuf(previous);
}
