#pragma once
// The artwork of the bitmap-drawn frame style: four corner pieces and three faces
// (normal, hot, pressed) of the minimise, maximise and close buttons. White is the
// transparent colour: everything outside a piece's shape is pure white.
#include <cstdint>
#include <string>
#include <vector>

struct ArtPixel {
    std::uint8_t r = 255, g = 255, b = 255;
    bool operator==(const ArtPixel&) const = default;
};

struct ArtImage {
    std::string name;  // the resource name
    int width = 0, height = 0;
    std::vector<ArtPixel> pixels;  // rows top to bottom
    const ArtPixel& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// All thirteen, in the order of the resource script.
std::vector<ArtImage> DrawFrameBitmaps();
