#pragma once
#include <ostream>
#include <string>
#include <vector>

// The data generator: writes every file the game reads from Models/ into one folder.
// Deterministic: the same options give the same bytes on every run.
namespace datagen {

struct GeneratorOptions {
    std::string outputFolder = "Models"; // created if missing, with its subfolders
    bool sounds = true;                  // synthesise and encode the MP3 files (needs `lame`)
};

// Generates everything; writes one line per file to `log`. Returns false (after saying
// why in `log`) when a file could not be written or the encoder failed.
bool generateAll(const GeneratorOptions& options, std::ostream& log);

// The parts, each writing its own files below `folder` (paths relative to it are appended
// to `written`). Used by generateAll and by the tests.
bool generateHero(const std::string& folder, std::vector<std::string>& written);
bool generateFruit(const std::string& folder, std::vector<std::string>& written);
bool generateObstacles(const std::string& folder, std::vector<std::string>& written);
bool generateWalls(const std::string& folder, std::vector<std::string>& written);
bool generateLevel(const std::string& folder, std::vector<std::string>& written);
bool generateCoursePack(const std::string& folder, std::vector<std::string>& written);
bool generateSky(const std::string& folder, std::vector<std::string>& written);
bool generateFont(const std::string& folder, std::vector<std::string>& written);
bool generateWhite(const std::string& folder, std::vector<std::string>& written);
bool generateSounds(const std::string& folder, std::vector<std::string>& written, std::ostream& log);

// Writes a texture pair, returns false on failure: helpers shared by the parts.
bool ensureFolder(const std::string& path);

} // namespace datagen
