#include "render/CustomShader.h"
#include "support/GLContext.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using vantor::shadercode::Shader;

// Every program the game builds links from the sources in Shader/ and keeps active every
// attribute and uniform the game sets by name, and its colour output "fragColor".
TEST(ShaderSources, EveryProgramDeclaresWhatTheGameFeedsIt)
{
    struct Program {
        const char* vertex;
        const char* fragment;
        std::vector<const char*> attributes;
        std::vector<const char*> uniforms;
    };
    const Program programs[] = {
        {"NormalMappingLight.vert", "NormalMappingLight.frag", {"position", "normal", "uv", "tangent"},
         {"projectionMatrix", "viewMatrix", "modelMatrix", "Color", "AmbientIntensity", "DiffuseIntensity", "Direction",
          "shadowMap", "glowMap", "DepthBiasVP", "alpha", "colorTexture", "normalTexture"}},
        {"Basic.vert", "Basic.frag", {"position", "uv"}, {"projectionMatrix", "modelMatrix", "colorTexture"}},
        {"shadowMapping.vert", "shadowMapping.frag", {"position"}, {"depthMVP"}},
        {"glow.vert", "glow.frag", {"position", "uv"}, {"projectionMatrix", "viewMatrix", "modelMatrix", "colorTexture"}},
        {"shadowDebug.vert", "shadowDebug.frag", {}, {}},
        {"image.vert", "blur.frag", {}, {"colorTexture"}},
        {"image.vert", "mixer.frag", {}, {"scene", "glowing", "gameEnded", "glow", "hud"}},
    };
    GLContext context;
    ASSERT_TRUE(context.started()) << context.failure;
    for (const Program& p : programs) {
        Shader shader(std::string("../Shader/") + p.vertex, std::string("../Shader/") + p.fragment);
        const std::string name = std::string(p.vertex) + " + " + p.fragment;
        for (const char* attribute : p.attributes)
            EXPECT_GE(glGetAttribLocation(shader.program, attribute), 0) << name << ": " << attribute;
        for (const char* uniform : p.uniforms)
            EXPECT_GE(glGetUniformLocation(shader.program, uniform), 0) << name << ": " << uniform;
        EXPECT_EQ(glGetFragDataLocation(shader.program, "fragColor"), 0) << name;
    }
    // The full-screen quad feeds attribute 0 without asking for it by name.
    Shader quad("../Shader/image.vert", "../Shader/mixer.frag");
    GLint count = 0;
    glGetProgramiv(quad.program, GL_ACTIVE_ATTRIBUTES, &count);
    ASSERT_EQ(count, 1);
    char attributeName[32];
    GLint size = 0;
    GLenum type = 0;
    glGetActiveAttrib(quad.program, 0, sizeof attributeName, nullptr, &size, &type, attributeName);
    EXPECT_EQ(glGetAttribLocation(quad.program, attributeName), 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
