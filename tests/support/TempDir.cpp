#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

TempDir::TempDir()
{
    char pattern[] = "/tmp/lantern-test-XXXXXX";
    root = mkdtemp(pattern);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& text) const
{
    std::string file = path(name);
    std::ofstream(file, std::ios::binary) << text;
    return file;
}
