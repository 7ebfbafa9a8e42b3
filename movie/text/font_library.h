#pragma once
// The faces one movie's text uses: its embedded fonts by id or name, and device faces
// through the host's font service. Faces live as long as the library.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "movie/format/character.h"
#include "movie/text/face.h"

namespace movie::text {

class FontLibrary {
 public:
  // characters must outlive the library; service may be null (no device fonts).
  FontLibrary(const format::CharacterTable& characters, FontService* service)
      : characters_(characters), service_(service) {}

  const Face* embedded(uint16_t fontId);
  // An embedded font of that name (bold and italic matched when the movie has both), or
  // null.
  const Face* embeddedByName(const std::string& name, bool bold, bool italic);
  const Face* device(const FaceRequest& request);
  // The name a text field's font id stands for ("_sans" when the id names no font).
  std::string nameOf(uint16_t fontId) const;

 private:
  const format::CharacterTable& characters_;
  FontService* service_;
  std::map<uint16_t, std::unique_ptr<EmbeddedFace>> embedded_;
  std::map<FaceRequest, std::unique_ptr<DeviceFace>> devices_;
};

}  // namespace movie::text
