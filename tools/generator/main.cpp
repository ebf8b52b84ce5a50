// lantern-datagen: writes the game's data files (see scripts/generate-data.sh).
//   lantern-datagen [--out FOLDER] [--no-sound] [--icons FOLDER]
#include "generator/Generator.h"
#include "generator/Icon.h"

#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    datagen::GeneratorOptions options;
    std::string iconFolder; // the desktop icons, when given
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
            options.outputFolder = argv[++i];
        } else if (std::strcmp(argv[i], "--no-sound") == 0) {
            options.sounds = false;
        } else if (std::strcmp(argv[i], "--icons") == 0 && i + 1 < argc) {
            iconFolder = argv[++i];
        } else {
            std::cerr << "usage: " << argv[0] << " [--out FOLDER] [--no-sound] [--icons FOLDER]\n";
            return 2;
        }
    }
    bool ok = datagen::generateAll(options, std::cout);
    if (!iconFolder.empty())
        ok = datagen::generateIcons(iconFolder, std::cout) && ok;
    return ok ? 0 : 1;
}
