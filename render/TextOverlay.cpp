#include "render/TextOverlay.h"

#include "render/Shader.h"
#include "render/Texture.h"

TextOverlay::TextOverlay(float halfWidth, float halfHeight, DecodedImage fontAtlasImage)
    : halfWidth(halfWidth), halfHeight(halfHeight), textVertexArray(0), fontAtlas(nullptr),
      textVertexBuffer(0), textUVBuffer(0), textShader(nullptr), fontTextureLocation(-1)
{
    fontAtlas = new vantor::util::Texture(GL_TEXTURE_2D, fontAtlasImage.path.c_str());
    fontAtlas->load(fontAtlasImage);
    glGenBuffers(1, &textVertexBuffer);
    glGenBuffers(1, &textUVBuffer);
    glGenVertexArrays(1, &textVertexArray);
    textShader = new vantor::shadercode::Shader("../Shader/font.vert", "../Shader/font.frag");
    fontTextureLocation = glGetUniformLocation(textShader->program, "fontTexture");

    // A whole line's worth up front, so that drawing never grows the arrays.
    geometry.positions.reserve(maxTextCharacters * 12);
    geometry.textureCoordinates.reserve(maxTextCharacters * 12);
}

TextOverlay::~TextOverlay()
{
    glDeleteVertexArrays(1, &textVertexArray);
    glDeleteBuffers(1, &textVertexBuffer);
    glDeleteBuffers(1, &textUVBuffer);
    delete fontAtlas; // deletes its GL texture
    delete textShader; // deletes its program and both shader objects
}

void TextOverlay::drawText(const char* text, int x, int y, int size)
{
    buildTextOverlayGeometry(text, x, y, size, halfWidth, halfHeight, geometry);
    if (geometry.characterCount == 0)
        return;
    const GLsizei vertexCount = geometry.characterCount * 6;
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(vertexCount) * 2 * sizeof(float);

    glUseProgram(textShader->program);
    glBindVertexArray(textVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, textVertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, bytes, geometry.positions.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, textUVBuffer);
    glBufferData(GL_ARRAY_BUFFER, bytes, geometry.textureCoordinates.data(), GL_STATIC_DRAW);

    glActiveTexture(GL_TEXTURE0);
    glBindTexture(fontAtlas->target, fontAtlas->textureObject);
    glUniform1i(fontTextureLocation, 0);

    glEnableVertexAttribArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, textVertexBuffer);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(1);
    glBindBuffer(GL_ARRAY_BUFFER, textUVBuffer);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 0, nullptr);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDrawArrays(GL_TRIANGLES, 0, vertexCount);

    glDisable(GL_BLEND);
    glDisableVertexAttribArray(0);
    glDisableVertexAttribArray(1);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}
