// The hero: a ball of radius 1 (drawn at half size by the game) painted like a beach ball,
// six coloured panels between two white caps, so that its rolling is plain to see.
#include "generator/Hero.h"

#include "generator/Collada.h"
#include "generator/Generator.h"
#include "generator/Random.h"

#include <cmath>

namespace datagen {

namespace {
const float pi = 3.14159265358979f;
} // namespace

void paintBall(Image& colour, HeightField& height)
{
    const glm::vec3 panels[6] = {rgb(222, 58, 46), rgb(246, 240, 226), rgb(40, 110, 200),
                                 rgb(246, 240, 226), rgb(250, 190, 30), rgb(246, 240, 226)};
    const glm::vec3 cap = rgb(250, 246, 236);
    const glm::vec3 seam = rgb(120, 110, 100);
    paintTexels(colour, height, [&](const Texel& texel) -> TexelPaint {
        const float u = texel.u, v = texel.v;
        float latitude = (v - 0.5f) * pi;
        float metresPerU = 2.0f * pi * std::cos(latitude); // arc length of one u unit on the unit sphere
        int panel = int(u * 6.0f) % 6;
        float toSeam = std::fabs(u * 6.0f - std::round(u * 6.0f)) / 6.0f * metresPerU;
        float toCap = std::fabs(std::fabs(latitude) - 1.2f);
        bool inCap = std::fabs(latitude) > 1.2f;
        glm::vec3 c = inCap ? cap : panels[panel];
        float grain = valueNoise(u * 64.0f, v * 32.0f, 11u, 64, 0) * 0.06f;
        c *= 0.97f + grain;
        float groove = 0.0f;
        float seamDistance = inCap ? toCap : std::min(toSeam, toCap);
        const float seamWidth = 0.035f;
        if (seamDistance < seamWidth) {
            float t = 1.0f - seamDistance / seamWidth;
            c = mix(c, seam, 0.7f * t);
            groove = -t * t;
        }
        return {c, groove * 0.6f + grain};
    });
}

bool generateHero(const std::string& folder, std::vector<std::string>& written)
{
    Image colour(512, 256);
    HeightField height(512, 256);
    paintBall(colour, height);
    bool ok = saveImage(colour, folder + "/Textures/hero.png");
    ok = saveImage(normalMapFromHeight(height, 0.15f, true, false), folder + "/Textures/hero_normal.png") && ok;
    written.push_back("Textures/hero.png");
    written.push_back("Textures/hero_normal.png");

    std::vector<Mesh> meshes;
    meshes.push_back(makeSphere("hero-ball", 1.0f, 48, 24));
    meshes.push_back(makeBoundingBoxMesh("hero-boundingbox", {&meshes[0]}));
    ok = writeCollada(folder + "/hero.dae", meshes, {"Textures/hero.png", "Textures/hero_normal.png"}) && ok;
    written.push_back("hero.dae");
    return ok;
}

} // namespace datagen
