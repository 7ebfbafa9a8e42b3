#pragma once
// Small movies built with the SWF writer, and helpers to load and draw them.
#include <cstdint>
#include <string>
#include <vector>

#include "movie/player.h"
#include "tools/swf/actions.h"
#include "tools/swf/swf_writer.h"

namespace movie_test {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

// A 100 x 100 pixel stage (unless given) with the tags; the header counts its frames.
swf::Bytes movieOf(const swf::TagList& tags, int widthPx = 100, int heightPx = 100,
                   bool compressed = false);
// A shape with one solid rectangle (pixels).
swf::Shape rectShape(double x, double y, double w, double h, uint32_t rgb, uint8_t alpha = 255);
swf::Place placeAt(uint16_t depth, uint16_t id, double xPx = 0, double yPx = 0);
// A one-frame sprite that shows the character at depth 1.
void defineSpriteOf(swf::TagList& tags, uint16_t spriteId, uint16_t characterId);

// A 100 x 100 movie with the clip "box" (a square of colour over the whole stage) and
// one frame whose actions are given.
swf::Bytes boxMovie(const swf::Actions& actions, uint32_t color = kRed);

void load(movie::Player& player, const swf::Bytes& bytes);
// Renders at the given size and returns 0xAARRGGBB pixels.
std::vector<uint32_t> renderPixels(movie::Player& player, int width, int height);
inline uint32_t rgbOf(uint32_t argb) { return argb & 0xFFFFFF; }

// A player showing a movie in a viewport of the given size that keeps what it traces.
struct TracingStage {
  movie::Player player;
  std::vector<std::string> lines;
  int width, height;
  TracingStage(const swf::Bytes& movie, int widthPx, int heightPx);
  uint32_t rgbAt(int x, int y);
};

}  // namespace movie_test
