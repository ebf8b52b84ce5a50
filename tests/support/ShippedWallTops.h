#pragma once
#include "tooling/WalkableTop.h"

#include <array>

// The walkable tops of the shipped wall models, indexed by WallKind; a test that needs
// them fails (without stopping) when they cannot be read.
std::array<vantor::scene::WalkableTop, 3> shippedWallTops();
