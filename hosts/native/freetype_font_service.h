#pragma once
// Device fonts for the movie engine off Windows: faces found by fontconfig (the face
// name, else one that has the character, so Chinese text finds a Chinese face) and
// outlines read with FreeType, unhinted, in the engine's units.
#include <map>
#include <memory>
#include <string>

#include "movie/text/font_service.h"

namespace hosts {

class FreetypeFontService : public movie::text::FontService {
 public:
  // Faces as the system's fontconfig configuration lists them, or, given a configuration
  // file, only those it lists (tests use that, so that every machine draws device text
  // in the same faces). With no usable configuration no face is found.
  explicit FreetypeFontService(const std::string& configFile = {});
  ~FreetypeFontService() override;
  FreetypeFontService(const FreetypeFontService&) = delete;
  FreetypeFontService& operator=(const FreetypeFontService&) = delete;

  bool glyph(const movie::text::FaceRequest& face, char32_t code, movie::text::DeviceGlyph& out) override;
  movie::text::DeviceMetrics metrics(const movie::text::FaceRequest& face) override;
  // The file the face name resolves to (for tests and diagnostics); empty when none.
  std::string fileFor(const movie::text::FaceRequest& face);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace hosts
