#pragma once
#include "model/MeshEntry.h"

#include <vector>

namespace vantor::util { class Texture; }
namespace vantor::shadercode { class CustomShader; }

namespace vantor::scene {

// Draws one mesh on the path of the pass that is running, without changing the current
// program: the glow path (glow vertex array, diffuse texture as "colorTexture") while
// `glow` is set and in use, else the shadow path (shadow vertex array, no texture) while
// `shadow` is set and in use, else the lit path (own vertex array, diffuse on unit 0 as
// "colorTexture", normal map on unit 1 as "normalTexture", located in `ownProgram`).
// A missing texture slot binds no texture. Leaves vertex array 0 bound.
void drawMesh(const MeshEntry& mesh, GLuint ownProgram, shadercode::CustomShader* shadow,
              shadercode::CustomShader* glow, const std::vector<util::Texture*>& textures);

} // namespace vantor::scene
