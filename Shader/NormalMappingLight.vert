#version 330 core
// Lit, normal-mapped objects: passes the world-space tangent frame, the texture
// coordinate and the position in the light's shadow map on to the fragment stage.

in vec3 position;
in vec3 normal;
in vec2 uv;
in vec3 tangent;

uniform mat4 projectionMatrix;
uniform mat4 viewMatrix;
uniform mat4 modelMatrix;
uniform mat4 DepthBiasVP;

out vec2 fragUv;
out vec3 worldNormal;
out vec3 worldTangent;
out vec4 shadowCoord;
out vec4 clipPosition;

void main()
{
    vec4 world = modelMatrix * vec4(position, 1.0);
    mat3 normalMatrix = mat3(modelMatrix);
    worldNormal = normalMatrix * normal;
    worldTangent = normalMatrix * tangent;
    fragUv = uv;
    shadowCoord = DepthBiasVP * world;
    clipPosition = projectionMatrix * viewMatrix * world;
    gl_Position = clipPosition;
}
