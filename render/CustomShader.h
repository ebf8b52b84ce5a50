#pragma once
#include "render/Shader.h"

namespace vantor::shadercode {

// A program that a render pass marks as running: models test `inUse` of the programs
// they hold to pick the vertex array and textures of that pass.
class CustomShader : public Shader {
public:
    CustomShader(const std::string& vertexFile, const std::string& fragmentFile);
    virtual ~CustomShader();

    bool inUse; // true only between the start and the end of the pass that draws with it
};

} // namespace vantor::shadercode
