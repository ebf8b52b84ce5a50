#pragma once
#include "model/MeshEntry.h"
#include "scene/SceneObject.h"

#include <string>
#include <vector>

class btRigidBody; class btTriangleMesh; class btCollisionShape; class btDefaultMotionState;
namespace vantor::util { class Texture; }
namespace vantor::shadercode { class Shader; }

namespace vantor::scene {

struct ModelFile;

// A segment of the course. A prototype is read from a model file and owns the mesh's GL
// objects and textures; an instance draws with its prototype's and owns only its place,
// its bounding-sphere copy and its static body, whose triangles lie where it is drawn.
// A prototype must outlive its instances.
class WallPiece : public SceneObject {
public:
    // A prototype from `file`, a model file read with the wall rules; the programs must be
    // linked already. It gets a body too, which is never added to the world.
    WallPiece(const glm::mat4& modelMatrix, shadercode::Shader* shader, shadercode::CustomShader* shadowShader,
              shadercode::CustomShader* glowShader, ModelFile file);
    // The same from the model file `fileName`, read now.
    WallPiece(const glm::mat4& modelMatrix, shadercode::Shader* shader, shadercode::CustomShader* shadowShader,
              shadercode::CustomShader* glowShader, const std::string& fileName);
    // An instance of `prototype` placed by `modelMatrix`.
    WallPiece(WallPiece* prototype, const glm::mat4& modelMatrix);
    // Deletes the textures and GL objects (prototype) and the body parts. The body must be
    // out of the physics world: the Game destroys the world before the walls.
    ~WallPiece() override;

    void update(double deltaTime, GameState* state) override;
    // Draws the wall mesh; every level of detail draws the same.
    void draw(unsigned int levelOfDetail) override;
    void collideWith(collision::ICollision* other) override;

    std::vector<glm::mat4> collisionVertices;  // prototype: one translation matrix per vertex; instance: empty
    std::vector<glm::vec3> collisionTriangles; // prototype: three vertex indices a face; instance: empty
    btRigidBody* rigidBody;                    // owned; static, user pointer = this wall
    shadercode::Shader* shader;                // not owned: the lit, normal-mapped program
    MeshEntry mesh;                            // prototype: the wall mesh; instance: empty, never read
    std::vector<util::Texture*> textures;      // prototype: owned, 0 diffuse, 1 normal map; instance: empty
    WallPiece* prototype;                      // instance: not owned, draws with it; prototype: null
    btTriangleMesh* triangleMesh;              // owned; the triangles in world space
    btCollisionShape* collisionShape;          // owned; over triangleMesh (empty shape without triangles)
    btDefaultMotionState* motionState;         // owned; identity

private:
    bool loadModel(ModelFile& file);
    void createPhysicsBody(const std::vector<glm::mat4>& vertices, const std::vector<glm::vec3>& triangles,
                           const glm::mat4& modelMatrix);
};

} // namespace vantor::scene
