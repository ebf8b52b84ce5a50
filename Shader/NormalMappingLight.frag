#version 330 core
// Diffuse texture lit by one directional light, with the normal map, the shadow map and a
// little of the blurred glow added on top.

in vec2 fragUv;
in vec3 worldNormal;
in vec3 worldTangent;
in vec4 shadowCoord;
in vec4 clipPosition;

uniform sampler2D colorTexture;
uniform sampler2D normalTexture;
uniform sampler2DShadow shadowMap;
uniform sampler2D glowMap;
uniform vec3 Color;
uniform float AmbientIntensity;
uniform float DiffuseIntensity;
uniform vec3 Direction;
uniform float alpha;

out vec4 fragColor;

void main()
{
    vec3 n = normalize(worldNormal);
    // A tangent of zero length (or parallel to the normal) would make the basis NaN.
    vec3 t = worldTangent - dot(worldTangent, n) * n;
    t = dot(t, t) > 1e-8 ? normalize(t) : vec3(1.0, 0.0, 0.0);
    vec3 b = cross(n, t);
    vec3 mapped = texture(normalTexture, fragUv).rgb * 2.0 - 1.0;
    vec3 surfaceNormal = normalize(mat3(t, b, n) * mapped);

    float diffuse = max(dot(surfaceNormal, -normalize(Direction)), 0.0) * DiffuseIntensity;
    // Outside the shadow map (w <= 0) everything counts as lit.
    float lit = shadowCoord.w > 0.0 ? textureProj(shadowMap, shadowCoord) : 1.0;
    vec3 light = Color * (AmbientIntensity + diffuse * mix(0.4, 1.0, lit));

    vec2 screen = clipPosition.xy / clipPosition.w * 0.5 + 0.5;
    vec3 glow = texture(glowMap, screen).rgb * 0.25;

    vec4 base = texture(colorTexture, fragUv);
    fragColor = vec4(base.rgb * light + glow, alpha);
}
