#pragma once
// A movie as parsed so far: header facts, the character table and the main timeline.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "movie/format/character.h"
#include "movie/format/records.h"
#include "movie/format/timeline_def.h"

namespace movie::format {

struct InitAction {
  uint16_t spriteId = 0;
  int frame = 0;  // the main timeline's frame the tag came with (they run before it)
  std::vector<uint8_t> actions;
};

// Characters another movie exports, bound to ids of this one once it has been fetched.
struct ImportedAsset {
  uint16_t id = 0;   // the id this movie uses
  std::string name;  // the name the other movie exports it by
};
struct AssetImport {
  std::string url;  // relative to this movie's address
  int frame = 0;    // the main timeline's frame the tag came with
  std::vector<ImportedAsset> assets;
};
constexpr size_t kMaxImportTags = 64;  // more in one movie are left out

struct MovieDef {
  // Header.
  bool compressed = false;
  int version = 0;
  uint32_t fileLength = 0;  // as the header states, header included
  Rect stage;
  float frameRate = 12;
  int frameCount = 0;
  // Movie-wide tags.
  Color background{255, 255, 255, 255};
  bool hasBackground = false;
  uint32_t fileAttributes = 0;
  std::string metadata;
  bool isProtected = false;
  std::map<std::string, uint16_t> exports;
  uint16_t maxRecursion = 256, scriptTimeout = 15;
  std::vector<uint8_t> jpegTables;
  std::vector<InitAction> initActions;
  std::vector<AssetImport> imports;

  CharacterTable characters;
  Timeline root;
};

}  // namespace movie::format
