#include "render/TextOverlayGeometry.h"

namespace {

const float cellSpan = 1.0f / 16.0f; // one glyph cell of the atlas in s and in t

void append(std::vector<float>& values, float a, float b)
{
    values.push_back(a);
    values.push_back(b);
}

} // namespace

void buildTextOverlayGeometry(const char* text, int x, int y, int size, float halfWidth, float halfHeight,
                       TextOverlayGeometry& geometry)
{
    geometry.positions.clear();
    geometry.textureCoordinates.clear();
    geometry.characterCount = 0;
    if (text == nullptr)
        return;

    for (int i = 0; i < maxTextCharacters && text[i] != '\0'; ++i) {
        const float left = (static_cast<float>(x + i * size) - halfWidth) / halfWidth;
        const float right = (static_cast<float>(x + (i + 1) * size) - halfWidth) / halfWidth;
        const float bottom = (static_cast<float>(y) - halfHeight) / halfHeight;
        const float top = (static_cast<float>(y + size) - halfHeight) / halfHeight;
        append(geometry.positions, left, top);
        append(geometry.positions, left, bottom);
        append(geometry.positions, right, top);
        append(geometry.positions, right, bottom);
        append(geometry.positions, right, top);
        append(geometry.positions, left, bottom);

        // NOTE: plain char is signed here; read as such, codes above 127 would index
        // cells before the atlas.
        const int code = static_cast<unsigned char>(text[i]);
        const float u = static_cast<float>(code % 16) * cellSpan;
        const float v = static_cast<float>(code / 16) * cellSpan;
        append(geometry.textureCoordinates, u, v);
        append(geometry.textureCoordinates, u, v + cellSpan);
        append(geometry.textureCoordinates, u + cellSpan, v);
        append(geometry.textureCoordinates, u + cellSpan, v + cellSpan);
        append(geometry.textureCoordinates, u + cellSpan, v);
        append(geometry.textureCoordinates, u, v + cellSpan);
        ++geometry.characterCount;
    }
}
