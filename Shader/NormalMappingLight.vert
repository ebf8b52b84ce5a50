#version 330 core
// Lit, shadowed, normal-mapped objects. Everything that varies slowly across a surface is
// worked out here, once per vertex, so that the fragment stage only reads its textures:
// the light and half-way directions in the surface's tangent space, the sky's fill light,
// the haze of distance and the biased position in the light's shadow map.

in vec3 position;
in vec3 normal;
in vec2 uv;
in vec3 tangent;

uniform mat4 projectionMatrix;
uniform mat4 viewMatrix;
uniform mat4 modelMatrix;
uniform mat4 DepthBiasVP;
uniform vec3 Color;
uniform float AmbientIntensity;
uniform vec3 Direction;

out vec2 fragUv;
out vec3 lightTangent;  // toward the light, tangent space
out vec3 halfTangent;   // half-way between light and eye, tangent space
out vec3 shadowCoord;   // shadow-map texture coordinates and reference depth
out vec3 fillLight;     // ambient and sky light, not shadowed
out float haze;         // 0 near, toward 1 far away

// Sky light from above, the sea's darker green from below.
const vec3 skyFill = vec3(0.24, 0.27, 0.34);
const vec3 seaFill = vec3(0.08, 0.11, 0.10);
// The shadow map has 4096 texels over 140 units: 0.034 units a texel. Looking it up from a
// point pushed off the surface by about two texels keeps a lit surface from shadowing
// itself (acne) without lifting the shadows of things that stand on it. The fragment
// stage's filter reaches two texels to each side, where a top lit at the light's slant
// lies up to 0.1 units nearer the light: the offset and the bias together cover that.
const float normalOffset = 0.07;  // world units
const float depthBias = 0.0006;   // shadow-map depth, about 0.08 units
const float hazeDensity = 0.0045; // per world unit

void main()
{
    vec4 world = modelMatrix * vec4(position, 1.0);
    mat3 model = mat3(modelMatrix);
    vec3 n = normalize(model * normal);
    // A tangent of zero length (or parallel to the normal) would make the basis NaN.
    vec3 t = model * tangent;
    t -= dot(t, n) * n;
    t = dot(t, t) > 1e-10 ? normalize(t) : normalize(cross(n, abs(n.y) < 0.9 ? vec3(0.0, 1.0, 0.0) : vec3(1.0, 0.0, 0.0)));
    vec3 b = cross(n, t);

    // The eye is where the view matrix moves the origin to.
    vec3 eye = -transpose(mat3(viewMatrix)) * viewMatrix[3].xyz;
    vec3 toLight = -normalize(Direction);
    vec3 toEye = eye - world.xyz;
    float distance = length(toEye);
    vec3 halfway = toLight + toEye / max(distance, 1e-4);
    lightTangent = vec3(dot(toLight, t), dot(toLight, b), dot(toLight, n));
    halfTangent = vec3(dot(halfway, t), dot(halfway, b), dot(halfway, n));

    float facing = clamp(dot(n, toLight), 0.0, 1.0);
    vec3 offset = n * (normalOffset * (1.0 - 0.5 * facing));
    shadowCoord = (DepthBiasVP * vec4(world.xyz + offset, 1.0)).xyz;
    shadowCoord.z -= depthBias;

    fillLight = Color * AmbientIntensity + mix(seaFill, skyFill, n.y * 0.5 + 0.5);
    haze = 1.0 - exp(-hazeDensity * distance);
    fragUv = uv;
    gl_Position = projectionMatrix * viewMatrix * world;
}
