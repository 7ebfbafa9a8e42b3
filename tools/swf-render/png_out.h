#pragma once
// Writes premultiplied 0xAARRGGBB pixels as an RGBA PNG with straight alpha.
#include <cstdint>
#include <string>
#include <vector>

bool writePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb);
