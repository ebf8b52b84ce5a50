#pragma once

// Keeps the game's console log (loading, contacts, every collected fruit) out of standard
// output while it lives, so that a tool running the game prints only its own lines.
class QuietConsole {
public:
    QuietConsole();
    ~QuietConsole(); // standard output back as it was

private:
    int saved; // the real standard output, put back at the end; -1 when it could not be kept
};
