// The data generator (tools/generator/) is deterministic: two runs write the same bytes,
// and they are the bytes committed in Models/ (so the shipped data is what the generator
// makes; after changing the generator, run scripts/generate-data.sh).
#include "data/DataFiles.h"
#include "generator/Generator.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>
#include <map>

using namespace datatest;

namespace {

// Every regular file below `folder`, by path relative to it, with its bytes.
void readTree(const std::string& folder, const std::string& prefix, std::map<std::string, std::string>& files)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + "/" + name;
        struct stat info;
        if (stat(path.c_str(), &info) != 0)
            continue;
        if (S_ISDIR(info.st_mode))
            readTree(path, prefix + name + "/", files);
        else if (S_ISREG(info.st_mode))
            files[prefix + name] = readText(path);
    }
    closedir(dir);
}

void removeTree(const std::string& folder)
{
    std::string command = "rm -rf '" + folder + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
}

std::string generateInto(const char* label, bool sounds)
{
    char pattern[] = "/tmp/lantern-datagen-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made)
        return "";
    std::string folder = std::string(made) + "/" + label;
    datagen::GeneratorOptions options;
    options.outputFolder = folder;
    options.sounds = sounds;
    std::ostringstream log;
    EXPECT_TRUE(datagen::generateAll(options, log)) << log.str();
    return folder;
}

} // namespace

TEST(Generator, TwoRunsWriteIdenticalFilesAndMatchTheCommittedData)
{
    std::string first = generateInto("first", true);
    std::string second = generateInto("second", true);
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    std::map<std::string, std::string> a, b, committed;
    readTree(first, "", a);
    readTree(second, "", b);
    readTree(modelsFolder().substr(0, modelsFolder().size() - 1), "", committed);
    removeTree(first.substr(0, first.rfind('/')));
    removeTree(second.substr(0, second.rfind('/')));

    ASSERT_GE(a.size(), 30u);
    for (const char* expected : {"level.json", "white.png", "font.png", "hero.dae", "skybox/boxNormal.dae",
                                 "Sound/Happy_Mandolin.mp3", "Sound/beginend.mp3", "Sound/loose.mp3",
                                 "Sound/collect1.mp3"})
        EXPECT_TRUE(a.count(expected)) << expected;
    for (const auto& file : a) {
        ASSERT_TRUE(b.count(file.first)) << file.first;
        EXPECT_TRUE(file.second == b[file.first]) << file.first << " differs between two runs";
        ASSERT_TRUE(committed.count(file.first)) << file.first << " is not committed in Models/";
        EXPECT_TRUE(file.second == committed[file.first])
            << "Models/" << file.first << " is not what the generator writes: run scripts/generate-data.sh";
    }
    EXPECT_EQ(a.size(), b.size());
    for (const auto& file : committed)
        EXPECT_TRUE(a.count(file.first)) << "Models/" << file.first << " is not written by the generator";
}
