#pragma once
#include "game/StartUpAssets.h"
#include "model/ModelFile.h"
#include "platform/ImageLibrary.h"
#include "platform/Prefetch.h"

class WorkerThread;

// The start-up's assets (startUpAssetFiles), read ahead on a worker thread while the main
// thread opens the window, makes the context and builds the programs. The start-up owns it
// and hands it to Game::init, which takes each asset where it creates the object that
// uploads it; the lines an asset writes are printed there, so the log and every failure
// read as in a start-up without the worker. Never started (tests and tools that build a
// game themselves), each take reads its asset on the spot.
class AssetPrefetch {
public:
    AssetPrefetch() = default;
    ~AssetPrefetch(); // finishes
    AssetPrefetch(const AssetPrefetch&) = delete;
    AssetPrefetch& operator=(const AssetPrefetch&) = delete;

    // Starts the worker reading every asset of the list, in its order. A fatal start-up
    // error stops it (after its current file) before the process ends. One runs at a time.
    void start();
    // The model file `asset` names, as the worker read it (waiting for it when it is still
    // being read), or read now when the worker did not read it.
    vantor::scene::ModelFile takeModel(StartUpAsset asset);
    // The image `asset` names, decoded with its mip chain: the worker's or decoded now.
    DecodedImage takeImage(StartUpAsset asset);
    // Waits for the worker to end and forgets whatever was not taken. The counts of
    // `models` and `images` then tell whether the game took every asset read ahead once
    // (missed and unused both 0).
    void finish();

    Prefetch<vantor::scene::ModelFile> models; // read ahead, by file, until taken
    Prefetch<DecodedImage> images;             // read ahead, by file, until taken

private:
    // The fatal-exit hook: stops the worker of the prefetch that runs.
    static void stopOnFatalExit();

    WorkerThread* worker = nullptr; // owned; from start to finish
};
