#version 330 core
// Spreads the small glow map over the window. The glow map is magnified about six times,
// so its own linear filter already smooths each texel over six pixels; four more linear
// reads, each the mean of a 2 x 2 block, widen that to a soft halo of about three texels
// (some twenty pixels) at the price of four reads a pixel.

in vec2 fragUv;

uniform sampler2D colorTexture;

out vec4 fragColor;

const float reach = 0.9;     // texels from the pixel to each read, on the diagonals
const float strength = 1.25; // the halo is a little brighter than the fruit's mean

void main()
{
    vec2 step = reach / vec2(textureSize(colorTexture, 0));
    vec3 sum = texture(colorTexture, fragUv + vec2(-step.x, -step.y)).rgb
             + texture(colorTexture, fragUv + vec2( step.x, -step.y)).rgb
             + texture(colorTexture, fragUv + vec2(-step.x,  step.y)).rgb
             + texture(colorTexture, fragUv + vec2( step.x,  step.y)).rgb;
    fragColor = vec4(sum * (0.25 * strength), 1.0);
}
