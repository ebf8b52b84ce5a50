#version 330 core
// One directional light on the diffuse texture, bent by the normal map, shadowed through
// the shadow map, with a soft highlight, the light of nearby glowing fruit and the haze of
// distance. Six texture reads a pixel: colour, normal, three of the shadow map and glow.

in vec2 fragUv;
in vec3 lightTangent;
in vec3 halfTangent;
in vec3 shadowCoord;
in vec3 fillLight;
in float haze;

uniform sampler2D colorTexture;
uniform sampler2D normalTexture;
uniform sampler2DShadow shadowMap;
uniform sampler2D glowMap;   // the blurred glow, window size
uniform vec3 Color;
uniform float DiffuseIntensity;
uniform float alpha;

out vec4 fragColor;

const vec3 hazeColor = vec3(0.72, 0.79, 0.84); // the horizon of the sky
const float glowLight = 1.6;    // how strongly fruit light what lies around them
const float shininess = 28.0;
const float highlight = 0.22;

void main()
{
    vec3 albedo = texture(colorTexture, fragUv).rgb;
    vec3 n = normalize(texture(normalTexture, fragUv).rgb * 2.0 - 1.0);
    // Three compare reads on a triangle one texel around the point; the sampler's linear
    // filter blends four texels for each, so together they weigh about a 4 x 4 block of
    // the map: edges fade over about three texels instead of stepping by one. (A fourth
    // read would cost as much again for little more softness.) The map's texel, in texture
    // coordinates, comes from the map itself, whose size the render targets choose.
    vec2 texel = 1.0 / vec2(textureSize(shadowMap, 0));
    float lit = (texture(shadowMap, shadowCoord + vec3(0.0, texel.y, 0.0))
                 + texture(shadowMap, shadowCoord + vec3(0.866 * texel.x, -0.5 * texel.y, 0.0))
                 + texture(shadowMap, shadowCoord + vec3(-0.866 * texel.x, -0.5 * texel.y, 0.0))) / 3.0;
    // The glow target is the window's size, so the pixel's own texel needs no filtering.
    vec3 glow = texelFetch(glowMap, ivec2(gl_FragCoord.xy), 0).rgb;

    float diffuse = max(dot(n, normalize(lightTangent)), 0.0) * DiffuseIntensity;
    float specular = pow(max(dot(n, normalize(halfTangent)), 0.0), shininess) * highlight;
    vec3 color = albedo * (fillLight + glow * glowLight) + Color * (albedo * diffuse + specular) * lit;
    fragColor = vec4(mix(color, hazeColor, haze), alpha);
}
