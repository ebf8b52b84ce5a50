#pragma once
#include <string>

// A fresh directory under /tmp, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    std::string path(const std::string& name) const { return root + "/" + name; }
    // Writes `text` to the file `name` in this directory and returns its path.
    std::string write(const std::string& name, const std::string& text) const;

    std::string root; // absolute path
};
