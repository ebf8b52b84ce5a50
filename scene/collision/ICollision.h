#pragma once

namespace vantor::scene {
class SceneObject; class WallPiece; class Obstacle; class Ingredient; class Hero;
}

namespace vantor::scene::collision {

// What a scene object does when it touches another. A contact reaches exactly one of these
// through double dispatch: other->collideWith(this) calls back the handler that names the
// other's kind. Every handler does nothing unless a class overrides it.
class ICollision {
public:
    virtual ~ICollision() = default;
    // The other object is of a kind without dispatch of its own (camera, bare model).
    virtual void onCollisionWithSceneObject(SceneObject* /*other*/) {}
    virtual void onCollisionWithWallPiece(WallPiece* /*other*/) {}
    virtual void onCollisionWithObstacle(Obstacle* /*other*/) {}
    // Only for fruit not collected yet.
    virtual void onCollisionWithIngredient(Ingredient* /*other*/) {}
    virtual void onCollisionWithHero(Hero* /*other*/) {}
};

} // namespace vantor::scene::collision
