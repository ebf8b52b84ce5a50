#pragma once
#include <sstream>
#include <string>

// Redirects std::cout into a string for the lifetime of the object.
class CaptureStdout {
public:
    CaptureStdout();
    ~CaptureStdout();
    std::string text() const { return captured.str(); }

private:
    std::ostringstream captured;
    std::streambuf* previous;
};
