#pragma once
#include <functional>
#include <string>

// The wall pieces' outlines, shared by the wall builder (Walls.cpp) and the course (Level.cpp).
//
// Every piece fills one 6 x 6 cell centred on its origin; its walkable top lies at y = 0
// and its body reaches down to y = -wallDepth. The path is 2 * pathHalfWidth wide. In the
// piece's own coordinates (before the level file's "dir" turns it):
//   straight  open toward +z and -z (the path runs along z; "front" slots at +z),
//   curve     open toward +z and -x (entered from +z it turns left, entered from -x right),
//   end       open toward +z only; a round platform around the origin carries the goal
//             marker (a chequered disc on the floor and a gate across the path).
namespace datagen {

const float cellSize = 6.0f;
const float pathHalfWidth = 2.0f;
const float wallDepth = 1.2f;

enum class WallKind { Straight, Curve, End };

// Signed distance (x, z) -> negative inside the walkable top, in the piece's coordinates.
// The outline reaches past the cell where the path continues into the neighbour.
float wallOutline(WallKind kind, float x, float z);

} // namespace datagen
