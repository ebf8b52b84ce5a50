#include "model/ColladaFixture.h"

#include "model/ModelFile.h"
#include "platform/WorkerThread.h"
#include "support/CaptureStdout.h"

#include <gtest/gtest.h>

using namespace vantor::scene;

// What the loading worker reads of a model file: everything but GL objects, with the lines
// of the image library kept for the moment the main thread takes the model in. No OpenGL
// context exists in this test: a single GL call on the worker would crash it.
TEST(ModelFile, ReadOnTheWorkerItPrintsNothingAndKeepsEachImagesLinesForTheTakeIn)
{
    fixture::TempFolder folder;
    fixture::writeTexture(folder.file("red.png"), 255, 0, 0);
    const std::string path = folder.file("fruit.dae");
    fixture::writeModel(path, {{}, {0, 0, 0.5f}, {}}, "red.png", "missing.png");

    ModelFile file;
    ModelFile unreadable;
    CaptureStdout capture;
    {
        WorkerThread worker;
        worker.post([&] { file = readModelFile(path, ModelKind::Textured); });
        worker.post([&] { unreadable = readModelFile(folder.file("missing.dae"), ModelKind::Textured); });
        worker.finish();
    }
    EXPECT_EQ(capture.text(), "");

    ASSERT_TRUE(file.readable) << file.error;
    EXPECT_EQ(file.meshCount, 3u);
    ASSERT_EQ(file.drawnMeshes.size(), 2u);
    EXPECT_EQ(file.drawnMeshes[0].indices.size(), 6u);
    EXPECT_EQ(file.collisionTriangles.size(), 2u);

    ASSERT_EQ(file.textureSteps.size(), 2u);
    const TextureStep& diffuse = file.textureSteps[0];
    EXPECT_EQ(diffuse.slot, 0u);
    EXPECT_TRUE(diffuse.image.decoded);
    EXPECT_EQ(diffuse.image.log, "");
    ASSERT_EQ(diffuse.image.levels.size(), 2u) << "2 x 2 and its 1 x 1 mip level";
    EXPECT_EQ(diffuse.line, "\nLoaded diffuse texture '" + folder.path + "/red.png'\n");

    const TextureStep& normal = file.textureSteps[1];
    EXPECT_EQ(normal.slot, 1u);
    EXPECT_FALSE(normal.image.decoded);
    EXPECT_TRUE(normal.image.levels.empty());
    EXPECT_EQ(normal.image.log.rfind("DevIL Error: ", 0), 0u) << normal.image.log;
    EXPECT_NE(normal.image.log.find(", Bildpfad: " + folder.path + "/missing.png\n"), std::string::npos);

    EXPECT_FALSE(unreadable.readable);
    EXPECT_FALSE(unreadable.error.empty());
    EXPECT_TRUE(unreadable.drawnMeshes.empty());
    EXPECT_TRUE(unreadable.textureSteps.empty());
}

// A tool reads the collision description alone: the one the game keeps for the kind (a
// wall's drawn mesh, a textured model's last one), with nothing drawn and no image decoded.
TEST(ModelFile, ReadForItsCollisionAloneItKeepsTheGamesCollisionDescription)
{
    fixture::TempFolder folder;
    const std::string path = folder.file("model.dae");
    fixture::writeModel(path, {{0, 0, 0, 1}, {0, 0, 0, 2}, {0, 0, 0, 3}}, "missing.png", "missing.png");

    for (ModelKind kind : {ModelKind::Textured, ModelKind::Wall}) {
        const ModelFile full = readModelFile(path, kind);
        const ModelFile collision = readModelFile(path, kind, ModelParts::CollisionOnly);
        ASSERT_TRUE(collision.readable) << collision.error;
        EXPECT_EQ(collision.meshCount, 3u);
        EXPECT_FALSE(collision.collisionTriangles.empty());
        EXPECT_EQ(collision.collisionVertices, full.collisionVertices);
        EXPECT_EQ(collision.collisionTriangles, full.collisionTriangles);
        EXPECT_TRUE(collision.drawnMeshes.empty());
        EXPECT_TRUE(collision.textureSteps.empty());
    }
    EXPECT_NE(readModelFile(path, ModelKind::Textured, ModelParts::CollisionOnly).collisionVertices,
              readModelFile(path, ModelKind::Wall, ModelParts::CollisionOnly).collisionVertices)
        << "the last square for a textured model, the first for a wall";
}
