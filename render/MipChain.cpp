#include "render/MipChain.h"

#include <algorithm>

namespace {

ImageLevel halve(const ImageLevel& source)
{
    ImageLevel half;
    half.width = std::max(1, source.width / 2);
    half.height = std::max(1, source.height / 2);
    half.pixels.resize(size_t(half.width) * size_t(half.height) * 3);
    const size_t sourceRow = size_t(source.width) * 3;
    for (int y = 0; y < half.height; ++y) {
        const size_t rows[2] = {size_t(std::min(2 * y, source.height - 1)) * sourceRow,
                                size_t(std::min(2 * y + 1, source.height - 1)) * sourceRow};
        for (int x = 0; x < half.width; ++x) {
            const size_t columns[2] = {size_t(std::min(2 * x, source.width - 1)) * 3,
                                       size_t(std::min(2 * x + 1, source.width - 1)) * 3};
            unsigned char* out = &half.pixels[(size_t(y) * size_t(half.width) + size_t(x)) * 3];
            for (int channel = 0; channel < 3; ++channel) {
                unsigned sum = 2; // rounds the mean to the nearest value
                for (size_t row : rows)
                    for (size_t column : columns)
                        sum += source.pixels[row + column + size_t(channel)];
                out[channel] = static_cast<unsigned char>(sum / 4);
            }
        }
    }
    return half;
}

} // namespace

void buildMipChain(DecodedImage& image)
{
    if (!image.decoded || image.levels.empty())
        return;
    while (image.levels.back().width > 1 || image.levels.back().height > 1)
        image.levels.push_back(halve(image.levels.back()));
}
