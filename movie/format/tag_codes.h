#pragma once
// Tag codes of the movie file format that the engine reads or names.
#include <cstdint>

namespace movie::format {

enum TagCode : uint16_t {
  kEnd = 0,
  kShowFrame = 1,
  kDefineShape = 2,
  kPlaceObject = 4,
  kRemoveObject = 5,
  kDefineBits = 6,
  kJPEGTables = 8,
  kSetBackgroundColor = 9,
  kDefineFont = 10,
  kDefineText = 11,
  kDoAction = 12,
  kDefineFontInfo = 13,
  kStartSound = 15,
  kDefineBitsLossless = 20,
  kDefineBitsJPEG2 = 21,
  kDefineShape2 = 22,
  kProtect = 24,
  kPlaceObject2 = 26,
  kRemoveObject2 = 28,
  kDefineShape3 = 32,
  kDefineText2 = 33,
  kDefineBitsJPEG3 = 35,
  kDefineBitsLossless2 = 36,
  kDefineEditText = 37,
  kDefineSprite = 39,
  kFrameLabel = 43,
  kDefineMorphShape = 46,
  kDefineFont2 = 48,
  kExportAssets = 56,
  kDoInitAction = 59,
  kDefineFontInfo2 = 62,
  kScriptLimits = 65,
  kFileAttributes = 69,
  kPlaceObject3 = 70,
  kDefineFontAlignZones = 73,
  kDefineFont3 = 75,
  kMetadata = 77,
  kDefineShape4 = 83,
  kDefineMorphShape2 = 84,
  kDefineFontName = 88,
  kStartSound2 = 89,
  kDefineBitsJPEG4 = 90,
};

}  // namespace movie::format
