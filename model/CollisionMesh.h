#pragma once
#include <cstddef>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <vector>

class btTriangleMesh; class btCollisionShape; class btDefaultMotionState; class btRigidBody;

namespace vantor::scene {

class SceneObject;

// The rotation about +y, in radians, that addCollisionTriangles recognises in a model
// matrix: a quarter, half or three-quarter turn from column 0; anything else counts as 0.
float recogniseYaw(const glm::mat4& modelMatrix);

// Where the game places one collision vertex (a position in its model's coordinates) in
// world space: by the translation and the recognised yaw of `modelMatrix` only.
glm::vec3 placeCollisionVertex(const glm::vec3& position, const glm::mat4& modelMatrix);

// Whether `index`, an entry of a collision triangle, names one of `vertexCount` vertices: the
// index is truncated like a cast, and NaN, negative and too large values name none. The
// lists may come from an untrusted file, so every reader of them asks this first.
bool isCollisionIndex(float index, size_t vertexCount);

// Adds the triangles of a model's collision description to `triangleMesh`, placed in world
// space by the translation and the recognised yaw of `modelMatrix` (scale and other
// rotations are not applied). Each entry of `collisionTriangles` holds three indices into
// `collisionVertices`, whose fourth columns are the positions. A triangle with an index
// outside the vertex list is skipped, since the lists may come from an untrusted file.
// Returns the number of triangles added.
int addCollisionTriangles(btTriangleMesh* triangleMesh, const std::vector<glm::mat4>& collisionVertices,
                          const std::vector<glm::vec3>& collisionTriangles, const glm::mat4& modelMatrix);

// Builds the static body of a wall piece or an obstacle: its triangles already placed in
// world space, an identity motion state, mass 0, rolling friction 0.1, restitution 0.1,
// user pointer `owner`. With no triangle to hold (an unreadable model file) the shape is an
// empty one, so the body still exists but touches nothing. The four parts are new and
// owned by the caller; release them with destroyStaticMeshBody.
void createStaticMeshBody(const std::vector<glm::mat4>& collisionVertices,
                          const std::vector<glm::vec3>& collisionTriangles, const glm::mat4& modelMatrix,
                          SceneObject* owner, btTriangleMesh*& triangleMesh, btCollisionShape*& collisionShape,
                          btDefaultMotionState*& motionState, btRigidBody*& rigidBody);

// Deletes those parts that exist and sets each pointer to null. The body must be out of the
// physics world already.
void destroyStaticMeshBody(btTriangleMesh*& triangleMesh, btCollisionShape*& collisionShape,
                           btDefaultMotionState*& motionState, btRigidBody*& rigidBody);

} // namespace vantor::scene
