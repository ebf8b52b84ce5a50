#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes 8-bit PNG files, deterministically (same pixels, same bytes). Rows run top to
// bottom. Used by the data generator and by tests that need images of every kind.

// channels: 1 grey, 3 RGB, 4 RGBA; pixels holds width x height x channels bytes.
bool writePng(const std::string& path, int width, int height, int channels, const std::vector<uint8_t>& pixels);

// An indexed-colour image: palette holds RGB triples, indices one byte a pixel.
bool writePalettePng(const std::string& path, int width, int height, const std::vector<uint8_t>& palette,
                     const std::vector<uint8_t>& indices);
