#pragma once
// Outlines as the drawing layer takes them.
#include <cstdint>
#include <vector>

namespace movie::render {

// Path in path space (the engine uses twips); subpaths need not be closed.
struct Path {
  enum Verb : uint8_t { MoveTo, LineTo, QuadTo };
  std::vector<Verb> verbs;
  std::vector<float> coords;  // x, y per point; QuadTo takes two points
  void moveTo(float x, float y);
  void lineTo(float x, float y);
  void quadTo(float cx, float cy, float x, float y);
  bool empty() const { return verbs.empty(); }
};

}  // namespace movie::render
