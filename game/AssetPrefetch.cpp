#include "game/AssetPrefetch.h"

#include "game/LevelLoader.h"
#include "model/ModelImport.h"
#include "platform/FatalExit.h"
#include "platform/WorkerThread.h"
#include "render/TextOverlay.h"
#include "render/Texture.h"
#include "render/TextureImage.h"
#include "scene/Hero.h"

#include <future>
#include <memory>

using namespace vantor::scene;

namespace {

std::unique_ptr<WorkerThread> worker; // runs while the start-up loads

// A fatal start-up error ends the process while the worker may still be inside the model
// or image library: it stops (after its current file) before their static objects go.
void stopWorker()
{
    worker.reset();
}

// Runs `work` on the worker after everything posted before it; the future holds its result.
template <typename Result, typename Work>
std::future<Result> runOnWorker(Work work)
{
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
    std::future<Result> result = task->get_future();
    worker->post([task] { (*task)(); });
    return result;
}

void prefetchModel(const char* file, ModelKind kind)
{
    const std::string fileName = file;
    prefetchedModels.promise(prefetchKey(fileName, kind), runOnWorker<ModelFile>(
        [fileName, kind] { return readModelFile(fileName, kind); }));
}

} // namespace

void startPrefetchingAssets()
{
    worker = std::make_unique<WorkerThread>();
    setFatalExitHook(stopWorker);
    prefetchedModels.missed = prefetchedModels.unused = 0;
    prefetchedImages.missed = prefetchedImages.unused = 0;
    prefetchModel(heroModelFile, ModelKind::Textured);
    for (const CourseModelFile& model : courseModelFiles)
        prefetchModel(model.file, model.kind);
    const std::string font = fontAtlasFile;
    prefetchedImages.promise(font, runOnWorker<DecodedImage>([font] { return decodeTextureImage(font); }));
}

void finishPrefetchingAssets()
{
    if (worker != nullptr)
        worker->finish();
    worker.reset();
    setFatalExitHook(nullptr);
    prefetchedModels.clear();
    prefetchedImages.clear();
}
