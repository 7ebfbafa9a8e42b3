#pragma once
// How an outline is stroked: width, caps, joins and how the width follows scaling.

namespace movie {

enum class Cap { Round, None, Square };
enum class Join { Round, Bevel, Miter };
enum class StrokeScaling { Normal, None, Horizontal, Vertical };

struct StrokeStyle {
  float width = 20;  // path units; drawn at least one device pixel wide
  Cap startCap = Cap::Round, endCap = Cap::Round;
  Join join = Join::Round;
  float miterLimit = 3;
  bool noClose = false;
  StrokeScaling scaling = StrokeScaling::Normal;
  // Device width = width times a scale of toDevice: Normal the mean of its x and y scale,
  // Horizontal the x scale, Vertical the y scale. None ignores toDevice and uses this
  // factor (device pixels per path unit; the default suits twips on an unzoomed stage).
  float unscaledPixelsPerUnit = 1.0f / 20;
};

}  // namespace movie
