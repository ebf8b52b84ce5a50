#pragma once
#include "generator/Mesh.h"

#include <string>
#include <vector>

// A small COLLADA 1.4.1 writer for the game's model files: the meshes are
// written as geometries and instanced by the visual scene in the order given (so assimp
// returns them in that order, each named by its geometry id); every file has exactly two
// materials: "a-plain-material", which sorts first and is never read by the game, and
// "b-textured-material" (assimp's index 1) whose diffuse channel names the colour texture
// and whose emission channel names the tangent-space normal map. Texture paths are
// relative to the folder of the model file.
namespace datagen {

struct ColladaMaterial {
    std::string diffuseTexture;  // e.g. "Textures/hero.png"
    std::string normalTexture;   // e.g. "Textures/hero_normal.png"; empty: none
};

// Writes the file; false if it cannot be written.
bool writeCollada(const std::string& path, const std::vector<Mesh>& meshes, const ColladaMaterial& material);

} // namespace datagen
