#pragma once
#include "platform/GL.h"
#include "platform/ImageLibrary.h"
#include "render/TextOverlayGeometry.h"

namespace vantor::util { class Texture; }
namespace vantor::shadercode { class Shader; }

// Screen-space text from a 16 x 16 glyph atlas, blended into the framebuffer that is
// bound. The geometry is rebuilt and uploaded by every drawText call: the heads-up texts
// change every frame and are only a few characters long.
class TextOverlay {
public:
    // Uploads the glyph atlas from `fontAtlasImage` (16 x 16 glyphs, decoded with its mip
    // chain), loads the program "../Shader/font.vert" / "font.frag" and creates the
    // buffers; an atlas that was not decoded or a missing program ends the process. Needs
    // a current GL context.
    TextOverlay(float halfWidth, float halfHeight, DecodedImage fontAtlasImage);
    ~TextOverlay();

    // Draws up to 255 characters of `text` with its lower-left corner at pixel (x, y) of
    // the target (y upwards), each in a size x size cell, no spacing. Depth test and face
    // culling stay as the caller set them; blending is switched on only for the draw.
    // Leaves unit 0 active with the atlas bound and no vertex array bound.
    void drawText(const char* text, int x, int y, int size);

    float halfWidth;                        // pixels; half the target's width, set again when the window is resized
    float halfHeight;                       // pixels; half the target's height
    GLuint textVertexArray;                 // owned; attribute 0 positions, 1 texture coordinates
    vantor::util::Texture* fontAtlas;       // owned; 16 x 16 glyph grid
    GLuint textVertexBuffer;                // owned; two floats a vertex, refilled every draw
    GLuint textUVBuffer;                    // owned; two floats a vertex, refilled every draw
    vantor::shadercode::Shader* textShader; // owned; alpha from the glyph's brightness
    GLint fontTextureLocation;              // "fontTexture" in textShader, looked up once
    TextOverlayGeometry geometry;           // the last text built; its storage is reused
};
