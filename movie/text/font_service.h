#pragma once
// The fonts of the system the engine runs on ("device fonts"), provided by the host:
// glyph outlines that the engine's own rasterizer draws, so device text looks like
// embedded text. A service finds a face that has the character when the named one has
// not (Chinese text in a Western face name).
#include <string>

#include "movie/render/render.h"

namespace movie::text {

// Device outlines and metrics are in units of 1024 to the em; y grows downwards and the
// origin is on the baseline.
constexpr float kDeviceUnitsPerEm = 1024;

struct FaceRequest {
  std::string name;  // UTF-8; "_sans", "_serif" and "_typewriter" name the generic faces
  bool bold = false;
  bool italic = false;
  bool operator<(const FaceRequest& o) const {
    return name != o.name ? name < o.name : bold != o.bold ? bold < o.bold : italic < o.italic;
  }
};

struct DeviceGlyph {
  render::Path path;  // filled non-zero
  float advance = 0;
};

struct DeviceMetrics {
  float ascent = 0, descent = 0, leading = 0;
};

class FontService {
 public:
  virtual ~FontService() = default;
  // false when no face of the system has the character.
  virtual bool glyph(const FaceRequest& face, char32_t code, DeviceGlyph& out) = 0;
  virtual DeviceMetrics metrics(const FaceRequest& face) = 0;
};

}  // namespace movie::text
