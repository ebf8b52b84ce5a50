#include "generator/Generator.h"

#include "generator/Image.h"

#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace datagen {

bool ensureFolder(const std::string& path)
{
    std::string partial;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            if (!partial.empty() && partial != ".") {
                struct stat info;
                if (stat(partial.c_str(), &info) != 0 && mkdir(partial.c_str(), 0755) != 0)
                    return false;
            }
        }
        if (i < path.size())
            partial += path[i];
    }
    return true;
}

bool generateWhite(const std::string& folder, std::vector<std::string>& written)
{
    written.push_back("white.png");
    return saveImage(Image(4, 4, glm::vec3(1.0f)), folder + "/white.png");
}

namespace {

// One log line per written file: its size and, for a model, the triangles of each mesh.
void describe(const std::string& folder, const std::string& file, std::ostream& log)
{
    std::ifstream in(folder + "/" + file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string text = bytes.str();
    log << "wrote " << folder << "/" << file << " (" << text.size() << " bytes";
    if (file.size() > 4 && file.compare(file.size() - 4, 4, ".dae") == 0) {
        const char* separator = "; triangles: ";
        for (size_t at = text.find("<geometry id=\""); at != std::string::npos; at = text.find("<geometry id=\"", at + 1)) {
            size_t nameStart = at + 14, nameEnd = text.find('"', nameStart);
            size_t count = text.find("count=\"", text.find("<triangles ", at)) + 7;
            log << separator << text.substr(nameStart, nameEnd - nameStart) << " "
                << text.substr(count, text.find('"', count) - count);
            separator = ", ";
        }
    }
    log << ")\n";
}

} // namespace

bool generateAll(const GeneratorOptions& options, std::ostream& log)
{
    const std::string& folder = options.outputFolder;
    if (!ensureFolder(folder + "/Textures") || !ensureFolder(folder + "/skybox") || !ensureFolder(folder + "/Sound")) {
        log << "cannot create the folders under " << folder << "\n";
        return false;
    }
    struct Part {
        const char* name;
        bool (*run)(const std::string&, std::vector<std::string>&);
    };
    const Part parts[] = {
        {"white", generateWhite}, {"hero", generateHero},   {"fruit", generateFruit}, {"obstacles", generateObstacles},
        {"walls", generateWalls}, {"level", generateLevel}, {"courses", generateCoursePack},
        {"sky", generateSky},     {"font", generateFont},
    };
    bool ok = true;
    for (const Part& part : parts) {
        std::vector<std::string> written;
        bool partOk = part.run(folder, written);
        for (const std::string& file : written)
            describe(folder, file, log);
        if (!partOk)
            log << "FAILED: " << part.name << "\n";
        ok = ok && partOk;
    }
    if (options.sounds) {
        std::vector<std::string> written;
        bool partOk = generateSounds(folder, written, log);
        for (const std::string& file : written)
            describe(folder, file, log);
        if (!partOk)
            log << "FAILED: sounds\n";
        ok = ok && partOk;
    }
    return ok;
}

} // namespace datagen
