#pragma once
#include "platform/ImageLibrary.h"

// Appends the mip chain to a decoded image: each level half the size of the one before
// (rounded down, at least 1), down to 1 x 1, every texel the rounded mean of the 2 x 2
// texels it covers (a side of one texel is read twice). Built on the loading
// worker, so that the renderer does not build it on the thread that draws. Does nothing
// to an image that was not decoded.
void buildMipChain(DecodedImage& image);
