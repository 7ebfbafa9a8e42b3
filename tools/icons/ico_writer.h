#pragma once
// Writes one 32 x 32 image as a .ico file: 8 bits per pixel with a palette of at most 256
// colours, and a transparency mask.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/icons/canvas.h"

// The .ico bytes for `pixels` (32 x 32, rows top down).
std::vector<std::uint8_t> EncodeIcon(const std::vector<Pixel>& pixels);

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
