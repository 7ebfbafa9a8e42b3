#pragma once
// How a conformance case is judged, read from its test.toml: the frames to run, the
// render quality, and per image the frame it is taken at and its tolerance checks.
#include <cstdint>
#include <string>
#include <vector>

namespace movie_test {

// A whole file as bytes ("" when it cannot be read).
std::string readWholeFile(const std::string& path);

struct Check {
  int tolerance = 0;
  int maxOutliers = 0;
};

struct Comparison {
  std::string name;  // "output" is expected.png; others are NAME.png
  int trigger = 0;   // frame (1-based) the image is taken after; 0: the last frame
  std::vector<Check> checks;
};

struct CaseRules {
  int numFrames = 1;
  std::string quality = "high";
  int viewportWidth = 0, viewportHeight = 0;  // the picture's size when not the stage's
  std::vector<Comparison> comparisons;
};

// Reads the subset of TOML the corpus uses (keys, tables, arrays of tables, inline tables).
CaseRules parseCaseRules(const std::string& text);

// Pixels that differ in any channel by more than tolerance.
struct Image {
  int width = 0, height = 0;
  std::vector<uint32_t> argb;  // premultiplied, as the engine renders
};
// A rectangle of pixels, both corners included.
struct PixelBox {
  int x0 = 0, y0 = 0, x1 = -1, y1 = -1;
  bool contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};
// Pixels in `unjudged` are not compared.
int countOutliers(const Image& expected, const Image& actual, int tolerance,
                  const std::vector<PixelBox>& unjudged = {});
// "x0,y0,x1,y1" words at the start of `text`, up to the first word that is not one.
std::vector<PixelBox> leadingBoxes(const std::string& text);

}  // namespace movie_test
