#include "render/CustomShader.h"

namespace vantor::shadercode {

CustomShader::CustomShader(const std::string& vertexFile, const std::string& fragmentFile)
    : Shader(vertexFile, fragmentFile), inUse(false)
{
}

// The program and its shader objects go with the Shader part, exactly once.
CustomShader::~CustomShader() = default;

} // namespace vantor::shadercode
