#pragma once
#include "scene/collision/ICollision.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

struct GameState;
namespace vantor::shadercode { class CustomShader; }

namespace vantor::scene {

// Everything that lives in the scene and can be updated, drawn or touched. The render
// passes upload `modelMatrix` as "modelMatrix" before they call draw().
class SceneObject : public collision::ICollision {
public:
    explicit SceneObject(const glm::mat4& modelMatrix);
    virtual ~SceneObject() = default;

    // Once per frame, before the physics step. deltaTime in seconds.
    virtual void update(double deltaTime, GameState* state) = 0;
    // Draws with the program the running pass made current; 0 is the finest level of detail.
    virtual void draw(unsigned int levelOfDetail) = 0;
    // The entry of a contact: calls the handler of `other` that names this object's kind.
    virtual void collideWith(collision::ICollision* other);

    glm::mat4 modelMatrix;                       // object to world
    shadercode::CustomShader* shadowShader;      // not owned: the Game's shadow-map program, or null
    shadercode::CustomShader* glowShader;        // not owned: the Game's glow program, or null
    glm::vec3 boundingSphereCenter;              // model space
    float boundingSphereRadius;                  // world units, not scaled by modelMatrix
    bool visible;                                // set each frame by the frustum test; draw() skips while false
};

} // namespace vantor::scene
