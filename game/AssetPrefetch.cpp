#include "game/AssetPrefetch.h"

#include "platform/FatalExit.h"
#include "platform/WorkerThread.h"
#include "render/TextureImage.h"

#include <cassert>
#include <future>
#include <memory>

using vantor::scene::ModelFile;
using vantor::scene::ModelKind;

namespace {

// NOTE: the fatal-exit hook is a plain function; it finds the prefetch that runs here.
AssetPrefetch* runningPrefetch = nullptr; // set from start to finish

// Runs `work` on `worker` after everything posted before it; the future holds its result.
template <typename Result, typename Work>
std::future<Result> runOnWorker(WorkerThread& worker, Work work)
{
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
    std::future<Result> result = task->get_future();
    worker.post([task] { (*task)(); });
    return result;
}

} // namespace

AssetPrefetch::~AssetPrefetch()
{
    finish();
}

void AssetPrefetch::start()
{
    assert(worker == nullptr && runningPrefetch == nullptr && "one prefetch runs at a time");
    worker = new WorkerThread();
    runningPrefetch = this;
    setFatalExitHook(stopOnFatalExit);
    for (const StartUpAssetFile& asset : startUpAssetFiles) {
        const std::string file = asset.file;
        if (asset.modelKind.has_value()) {
            const ModelKind kind = *asset.modelKind;
            models.promise(file, runOnWorker<ModelFile>(*worker, [file, kind] { return readModelFile(file, kind); }));
        } else {
            images.promise(file, runOnWorker<DecodedImage>(*worker, [file] { return decodeTextureImage(file); }));
        }
    }
}

ModelFile AssetPrefetch::takeModel(StartUpAsset asset)
{
    const StartUpAssetFile& entry = startUpAssetFile(asset);
    assert(entry.modelKind.has_value() && "a model of the list");
    ModelFile file;
    if (!models.take(entry.file, file))
        file = readModelFile(entry.file, *entry.modelKind);
    return file;
}

DecodedImage AssetPrefetch::takeImage(StartUpAsset asset)
{
    const StartUpAssetFile& entry = startUpAssetFile(asset);
    assert(!entry.modelKind.has_value() && "an image of the list");
    DecodedImage image;
    if (!images.take(entry.file, image))
        image = decodeTextureImage(entry.file);
    return image;
}

void AssetPrefetch::finish()
{
    if (worker != nullptr)
        worker->finish();
    delete worker;
    worker = nullptr;
    if (runningPrefetch == this) {
        setFatalExitHook(nullptr);
        runningPrefetch = nullptr;
    }
    models.clear();
    images.clear();
}

// A fatal start-up error ends the process while the worker may still be inside the model
// or image library: it stops (after its current file) before their static objects go.
void AssetPrefetch::stopOnFatalExit()
{
    delete runningPrefetch->worker;
    runningPrefetch->worker = nullptr;
}
