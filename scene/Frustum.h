#pragma once
#include "render/PixelBox.h"

#include <array>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

namespace vantor::scene {

using FrustumPlanes = std::array<glm::vec4, 6>; // (a, b, c, d) each: right, left, top, bottom, far, near

// The six planes of the frustum of `viewProjection` in world space, each normalised so
// that a·x + b·y + c·z + d is the signed distance of a point, positive inside.
FrustumPlanes computeFrustumPlanes(const glm::mat4& viewProjection);

// Whether a bounding sphere (centre in model space, placed by modelMatrix; radius not
// scaled) reaches into the frustum. A sphere exactly tangent from outside counts as visible.
bool sphereInFrustum(const FrustumPlanes& planes, const glm::mat4& modelMatrix, const glm::vec3& center, float radius);

// The pixels of a width x height target that an object may cover under the perspective
// `viewProjection`: the box round the projected corners of the cube round its bounding
// sphere (centre in model space, placed by modelMatrix; radius grown by the matrix's
// largest scale), a pixel of margin round it, not clamped to the target. Empty where the
// cube lies wholly behind the eye; the whole target where it reaches from behind the eye to
// before it, since a projection there says nothing.
PixelBox screenFootprint(const glm::mat4& viewProjection, const glm::mat4& modelMatrix, const glm::vec3& center,
                         float radius, int width, int height);

} // namespace vantor::scene
