#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>

// The start-up reads the models and images on a worker thread, ahead of the main thread
// that takes them in. Whatever the worker met, the console must read as it did when every
// asset was loaded where the main thread takes it in: the same lines, in the same order,
// and a fatal one last.
namespace {

namespace fs = std::filesystem;

// The game's data as the game sees it from its working folder ("run"): ../Models mirrors
// the shipped models file by file through links, so that single files can be replaced,
// and ../Shader is the shipped folder.
class DataFolders {
public:
    DataFolders()
    {
        const fs::path shipped = fs::path(LANTERN_SOURCE_DIR) / "Models";
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(shipped)) {
            const fs::path target = fs::path(folder.path("Models")) / fs::relative(entry.path(), shipped);
            if (entry.is_directory())
                fs::create_directories(target);
            else
                fs::create_symlink(entry.path(), target);
        }
        fs::create_directory_symlink(fs::path(LANTERN_SOURCE_DIR) / "Shader", folder.path("Shader"));
        fs::create_directory(folder.path("run"));
    }

    // Replaces Models/`relative` by a file holding `text`.
    void replace(const std::string& relative, const std::string& text)
    {
        fs::remove(folder.path("Models/" + relative));
        folder.write("Models/" + relative, text);
    }

    std::string runFolder() const { return folder.path("run"); }

private:
    TempDir folder;
};

// Everything `output` holds before `line`; fails the test when it has no such line.
std::string before(const std::string& output, const std::string& line)
{
    const size_t at = output.find(line);
    EXPECT_NE(at, std::string::npos) << line << " missing from:\n" << output;
    return at == std::string::npos ? output : output.substr(0, at);
}

} // namespace

// The apple's image is among the last the worker decodes, long before the main thread
// reaches it; the model file in front of it cannot be read at all. The broken image still
// ends the game exactly where it is taken in, with the image library's lines and the fatal
// one last; the unreadable model still writes its error in its place and the loading goes
// on. Everything else matches a start-up from intact files line for line.
TEST(StartUpAssets, FailuresOfAssetsReadAheadReportInLoadingOrder)
{
    DataFolders intact;
    DataFolders broken;
    broken.replace("Sandhaufen.dae", "<COLLADA> this is not a model");
    broken.replace("Textures/apple.png", "not an image");

    GameProcess reference({}, LANTERN_GAME_BINARY, intact.runFolder());
    GameProcess game({}, LANTERN_GAME_BINARY, broken.runFolder());
    EXPECT_EQ(game.waitForExit(60), 255) << game.output();
    ASSERT_TRUE(reference.waitForOutput("Init complete", 60)) << reference.output();
    reference.sendSignal(SIGTERM);
    EXPECT_EQ(reference.waitForExit(30), 0) << reference.output();

    const std::string expected = reference.output();
    const std::string output = game.output();
    // Up to the unreadable model: the same.
    const std::string sandHeap = "\nReading file (../Models/Sandhaufen.dae)";
    const std::string head = before(expected, sandHeap);
    ASSERT_EQ(output.substr(0, head.size()), head);

    // Its error in its place, then the two fruit as from intact files up to the apple's image.
    const std::string rest = output.substr(head.size());
    const std::string error = "\nAssimp-Error: parsing file (../Models/Sandhaufen.dae) failed: ";
    ASSERT_EQ(rest.rfind(error, 0), 0u) << rest;
    const size_t errorEnd = rest.find('\n', error.size());
    ASSERT_NE(errorEnd, std::string::npos) << rest;
    const std::string banana = "\nReading file (../Models/Banana.dae)";
    const std::string fruit =
        before(expected.substr(expected.find(banana)), "\nLoaded diffuse texture '../Models/Textures/apple.png'");
    const std::string afterError = rest.substr(errorEnd + 1);
    ASSERT_EQ(afterError.substr(0, fruit.size()), fruit) << afterError;

    // The broken image's lines last: nothing of the sky, the level file or later.
    EXPECT_TRUE(std::regex_match(afterError.substr(fruit.size()),
                                 std::regex("(DevIL Error: [0-9]+, Bildpfad: \\.\\./Models/Textures/apple\\.png\n)+"
                                            "DevIL Error: Could not load image, path: \\.\\./Models/Textures/apple\\.png\n")))
        << afterError.substr(fruit.size());
}

// The game built with ThreadSanitizer (the test command builds it and names it in
// LANTERN_THREAD_SANITIZED_GAME): the worker reading ahead while the main thread opens the
// window and takes the assets in, and a fatal asset that ends the process while the worker
// may still read, show no race.
TEST(StartUpAssets, TheLoadingShowsNoRaceUnderThreadSanitizer)
{
    const char* binary = std::getenv("LANTERN_THREAD_SANITIZED_GAME");
    if (binary == nullptr || *binary == '\0')
        GTEST_SKIP() << "LANTERN_THREAD_SANITIZED_GAME names no ThreadSanitizer build of the game";

    setenv("TSAN_OPTIONS", "suppressions=" LANTERN_SOURCE_DIR "/tests/e2e/thread-sanitizer-suppressions.txt", 1);
    DataFolders broken;
    broken.replace("Textures/hero.png", "not an image");
    GameProcess game({}, binary);
    GameProcess failing({}, binary, broken.runFolder());
    EXPECT_EQ(failing.waitForExit(120), 255) << failing.output();
    ASSERT_TRUE(game.waitForOutput("Init complete", 120)) << game.output();
    game.sendSignal(SIGTERM);
    EXPECT_EQ(game.waitForExit(120), 0) << game.output();

    EXPECT_EQ(game.output().find("ThreadSanitizer"), std::string::npos) << game.output();
    EXPECT_EQ(failing.output().find("ThreadSanitizer"), std::string::npos) << failing.output();
    EXPECT_NE(failing.output().find("DevIL Error: Could not load image, path: ../Models/Textures/hero.png\n"),
              std::string::npos)
        << failing.output();
}
