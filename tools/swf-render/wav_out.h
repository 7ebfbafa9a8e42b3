#pragma once
// Writes 16-bit PCM samples as a RIFF WAVE file.
#include <cstdint>
#include <string>
#include <vector>

bool writeWav(const std::string& path, int rate, int channels, const std::vector<int16_t>& samples);
