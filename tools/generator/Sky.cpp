// The sky box: a finely divided cube around the eye (half size 50, inside the camera's far
// plane of 100 even at its corners) whose texture coordinates follow the view direction
// (u = azimuth, v = elevation), so one seamless panorama covers it: a blue gradient with
// clouds, the sun where the game's light comes from, hazy hills on the horizon and a
// misty valley below. The panorama's left and right edges meet behind the start.
#include "generator/Collada.h"
#include "generator/Generator.h"
#include "generator/Image.h"
#include "generator/Random.h"

#include <cmath>
#include <glm/geometric.hpp>

namespace datagen {

namespace {

const float pi = 3.14159265358979f;
const float halfSize = 50.0f;
const int faceCells = 16;

glm::vec2 directionUv(glm::vec3 d)
{
    d = glm::normalize(d);
    float u = 0.5f + std::atan2(d.x, -d.z) / (2.0f * pi);
    float v = 0.5f + std::asin(std::max(-1.0f, std::min(1.0f, d.y))) / pi;
    return glm::vec2(u, v);
}

Mesh makeSkyBox()
{
    Mesh mesh("skybox");
    const glm::vec3 normals[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (const glm::vec3& n : normals) {
        glm::vec3 a = std::fabs(n.y) > 0.5f ? glm::vec3(1, 0, 0) : glm::vec3(0, 1, 0);
        glm::vec3 b = glm::cross(n, a);
        auto corner = [&](int i, int j) {
            float s = -1.0f + 2.0f * float(i) / float(faceCells), t = -1.0f + 2.0f * float(j) / float(faceCells);
            return (n + a * s + b * t) * halfSize;
        };
        for (int j = 0; j < faceCells; ++j) {
            for (int i = 0; i < faceCells; ++i) {
                glm::vec3 p[4] = {corner(i, j), corner(i + 1, j), corner(i + 1, j + 1), corner(i, j + 1)};
                const int triangles[2][3] = {{0, 1, 2}, {0, 2, 3}};
                for (const auto& tri : triangles) {
                    glm::vec3 centroid = (p[tri[0]] + p[tri[1]] + p[tri[2]]) / 3.0f;
                    glm::vec2 centroidUv = directionUv(centroid);
                    Vertex v[3];
                    for (int k = 0; k < 3; ++k) {
                        glm::vec3 q = p[tri[k]];
                        glm::vec2 uv = directionUv(q);
                        bool onSeam = std::fabs(q.x) < 1e-4f && q.z > 0.0f;
                        bool atPole = std::fabs(q.x) < 1e-4f && std::fabs(q.z) < 1e-4f;
                        if (atPole)
                            uv.x = centroidUv.x;
                        else if (onSeam)
                            uv.x = centroid.x > 0.0f ? 1.0f : 0.0f;
                        v[k] = Vertex{q, -glm::normalize(q), uv};
                    }
                    mesh.addTriangle(v[0], v[1], v[2]);
                }
            }
        }
    }
    return mesh;
}

glm::vec3 skyColour(glm::vec3 d, float u)
{
    const glm::vec3 sun = glm::normalize(glm::vec3(1.0f, 1.0f, 1.0f)); // opposite the light's direction
    float elevation = std::asin(std::max(-1.0f, std::min(1.0f, d.y)));
    // Hills on the horizon, repeating once around.
    float hills = 0.01f + 0.08f * fractalNoise(u * 12.0f, 0.5f, 111u, 4, 12, 0) *
                              smoothstep(0.3f, 0.7f, fractalNoise(u * 5.0f, 2.5f, 112u, 2, 5, 0));
    if (elevation < hills) {
        // Paler where the hills meet the sky, darker further down.
        glm::vec3 hillColour = mix(rgb(132, 160, 164), rgb(84, 118, 104), clamp01((hills - elevation) / 0.06f));
        float depth = clamp01(-elevation / 0.5f);
        glm::vec3 valley = mix(rgb(110, 140, 112), rgb(64, 92, 80), std::pow(depth, 0.6f));
        glm::vec3 c = elevation > 0.0f ? hillColour : mix(hillColour, valley, smoothstep(0.0f, 0.12f, -elevation));
        float texture = fractalNoise(u * 200.0f, elevation * 60.0f, 113u, 3, 200, 0);
        c *= 0.9f + 0.15f * texture;
        // Haze toward the horizon.
        float haze = std::exp(-std::fabs(elevation) * 6.0f);
        return mix(c, rgb(200, 212, 218), 0.55f * haze);
    }
    float t = std::pow(clamp01(elevation / (pi * 0.5f)), 0.45f);
    glm::vec3 c = mix(rgb(214, 226, 232), rgb(52, 112, 196), t);
    // Clouds on a plane above the eye.
    float lift = std::max(d.y, 0.02f);
    float px = d.x / lift * 0.9f, pz = d.z / lift * 0.9f;
    float cloud = fractalNoise(px + 40.0f, pz + 40.0f, 114u, 5);
    float cover = smoothstep(0.5f, 0.72f, cloud) * smoothstep(0.02f, 0.2f, elevation);
    glm::vec3 cloudColour = mix(rgb(236, 238, 242), rgb(176, 184, 200), smoothstep(0.72f, 0.95f, cloud) * 0.8f);
    c = mix(c, cloudColour, cover * 0.9f);
    // The sun and its glow.
    float toSun = glm::dot(d, sun);
    c = mix(c, rgb(255, 244, 214), smoothstep(0.9995f, 0.9998f, toSun));
    c += rgb(255, 220, 160) * (0.35f * std::pow(std::max(toSun, 0.0f), 64.0f) + 0.12f * std::pow(std::max(toSun, 0.0f), 6.0f));
    return c;
}

} // namespace

bool generateSky(const std::string& folder, std::vector<std::string>& written)
{
    Image image(1024, 512);
    for (int row = 0; row < image.height; ++row) {
        float v = 1.0f - (float(row) + 0.5f) / float(image.height);
        float elevation = (v - 0.5f) * pi;
        for (int col = 0; col < image.width; ++col) {
            float u = (float(col) + 0.5f) / float(image.width);
            float azimuth = (u - 0.5f) * 2.0f * pi;
            glm::vec3 d(std::sin(azimuth) * std::cos(elevation), std::sin(elevation), -std::cos(azimuth) * std::cos(elevation));
            image.at(col, row) = skyColour(d, u);
        }
    }
    bool ok = saveImage(image, folder + "/skybox/sky.png");
    written.push_back("skybox/sky.png");
    // The sky has one real material and no normal map (the game reads only its diffuse texture).
    ok = writeCollada(folder + "/skybox/boxNormal.dae", {makeSkyBox()}, {"sky.png", ""}) && ok;
    written.push_back("skybox/boxNormal.dae");
    return ok;
}

} // namespace datagen
