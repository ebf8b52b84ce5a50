#include "png/PngWriter.h"

#include <fstream>
#include <zlib.h>

namespace {

void appendBigEndian(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(value >> shift));
}

void appendChunk(std::vector<uint8_t>& file, const char type[4], const std::vector<uint8_t>& data)
{
    appendBigEndian(file, uint32_t(data.size()));
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    file.insert(file.end(), typed.begin(), typed.end());
    appendBigEndian(file, uint32_t(crc32(0, typed.data(), uInt(typed.size()))));
}

// colourType: 0 grey, 2 RGB, 3 indexed, 6 RGBA (the PNG header's numbering).
bool writeImage(const std::string& path, int width, int height, uint8_t colourType, int bytesPerPixel,
                const std::vector<uint8_t>& pixels, const std::vector<uint8_t>* palette)
{
    size_t rowBytes = size_t(width) * bytesPerPixel;
    if (width <= 0 || height <= 0 || pixels.size() != rowBytes * height)
        return false;

    // Each row starts with filter type 0 (none); zlib does the rest.
    std::vector<uint8_t> raw;
    raw.reserve((rowBytes + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), pixels.begin() + y * rowBytes, pixels.begin() + (y + 1) * rowBytes);
    }
    uLongf compressedSize = compressBound(uLong(raw.size()));
    std::vector<uint8_t> compressed(compressedSize);
    if (compress2(compressed.data(), &compressedSize, raw.data(), uLong(raw.size()), 9) != Z_OK)
        return false;
    compressed.resize(compressedSize);

    std::vector<uint8_t> header;
    appendBigEndian(header, uint32_t(width));
    appendBigEndian(header, uint32_t(height));
    header.insert(header.end(), {8, colourType, 0, 0, 0});

    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    appendChunk(file, "IHDR", header);
    if (palette != nullptr)
        appendChunk(file, "PLTE", *palette);
    appendChunk(file, "IDAT", compressed);
    appendChunk(file, "IEND", {});

    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    return out.good();
}

} // namespace

bool writePng(const std::string& path, int width, int height, int channels, const std::vector<uint8_t>& pixels)
{
    switch (channels) {
    case 1: return writeImage(path, width, height, 0, 1, pixels, nullptr);
    case 3: return writeImage(path, width, height, 2, 3, pixels, nullptr);
    case 4: return writeImage(path, width, height, 6, 4, pixels, nullptr);
    default: return false;
    }
}

bool writePalettePng(const std::string& path, int width, int height, const std::vector<uint8_t>& palette,
                     const std::vector<uint8_t>& indices)
{
    if (palette.empty() || palette.size() % 3 != 0 || palette.size() > 256 * 3)
        return false;
    return writeImage(path, width, height, 3, 1, indices, &palette);
}
