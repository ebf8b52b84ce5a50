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

// How often `part` stands in `text` (a log, captured here or from a game's console).
size_t occurrences(const std::string& text, const std::string& part);
