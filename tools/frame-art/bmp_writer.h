#pragma once
// 24-bit Windows bitmap files (bottom-up rows padded to four bytes).
#include <cstdint>
#include <string>
#include <vector>

#include "tools/frame-art/frame_art.h"

std::vector<std::uint8_t> EncodeBmp24(const ArtImage& image);
bool WriteBmpFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
