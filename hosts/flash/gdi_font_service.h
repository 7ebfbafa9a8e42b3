#pragma once
// Device fonts for the movie engine on Windows: the system's glyph outlines through GDI
// (unhinted, at 1024 units to the em), drawn by the engine's own rasterizer. A face
// without the character hands over to a Chinese face, so Chinese text in a Western face
// name still shows.
#include <windows.h>

#include <map>
#include <string>

#include "movie/text/font_service.h"

namespace hosts::flash {

class GdiFontService : public movie::text::FontService {
 public:
  GdiFontService();
  ~GdiFontService() override;
  GdiFontService(const GdiFontService&) = delete;
  GdiFontService& operator=(const GdiFontService&) = delete;

  bool glyph(const movie::text::FaceRequest& face, char32_t code, movie::text::DeviceGlyph& out) override;
  movie::text::DeviceMetrics metrics(const movie::text::FaceRequest& face) override;

 private:
  HFONT font(const std::wstring& name, bool bold, bool italic);
  bool outline(HFONT font, wchar_t code, movie::text::DeviceGlyph& out);
  HDC dc_;
  std::map<std::wstring, HFONT> fonts_;
};

}  // namespace hosts::flash
