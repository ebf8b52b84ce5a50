#pragma once
#include "model/ModelKind.h"

#include <optional>

// The assets the start-up takes in, in the order Game::init takes them in. The loading
// worker reads them ahead in the same order, so each take waits for its own asset only.
enum class StartUpAsset {
    Hero, StraightWall, EndWall, CurveWall, Fence, Roller, Barricade, SandHeap, Banana, Apple, Sky, FontAtlas
};
// NOTE: counted from the last enumerator, FontAtlas; an asset added after it takes its place here.
constexpr int startUpAssetCount = static_cast<int>(StartUpAsset::FontAtlas) + 1;

// One asset of the start-up: its file and how it is read.
struct StartUpAssetFile {
    const char* file;                                // relative to the working folder
    std::optional<vantor::scene::ModelKind> modelKind; // the rules a model file is read with; none: an image
};
extern const StartUpAssetFile startUpAssetFiles[startUpAssetCount]; // in StartUpAsset order

inline const StartUpAssetFile& startUpAssetFile(StartUpAsset asset)
{
    return startUpAssetFiles[static_cast<int>(asset)];
}
