#pragma once
#include <vector>

// The vertices of one line of text, built without OpenGL so that plain tests reach it.
// Each character is a size x size pixel cell with two counter-clockwise triangles, six
// vertices in the order upper-left, lower-left, upper-right, lower-right, upper-right,
// lower-left, each with a position and a texture coordinate into a 16 x 16 glyph atlas.
struct TextOverlayGeometry {
    std::vector<float> positions;          // x, y per vertex, normalised device coordinates
    std::vector<float> textureCoordinates; // s, t per vertex; t = 0 is the atlas's top row
    int characterCount = 0;                // characters built; 6 vertices each
};

// Longest text drawn in one call; the rest of a longer text is cut.
const int maxTextCharacters = 255;

// Fills `geometry` (replacing its contents, keeping its storage) for `text` with its
// lower-left corner at pixel (x, y) of a target of 2 x halfWidth by 2 x halfHeight pixels,
// y upwards. Character codes are read as unsigned, so 128 … 255 come from their own cells
// in the lower half of the atlas. A null text builds nothing.
void buildTextOverlayGeometry(const char* text, int x, int y, int size, float halfWidth, float halfHeight,
                       TextOverlayGeometry& geometry);
