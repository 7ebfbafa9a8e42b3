#pragma once
// DefineShape 1-4 and DefineMorphShape 1-2 bodies into shape definitions.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "movie/format/shape.h"

namespace movie::format {

// Finds an earlier bitmap by character id (null when there is none).
using BitmapLookup = std::function<std::shared_ptr<const Bitmap>(uint16_t)>;

// version 1..4; false with a reason when the record is unreadable.
bool parseShape(const uint8_t* body, size_t size, int version, const BitmapLookup& bitmaps,
                ShapeDef& out, std::string& error);
bool parseMorphShape(const uint8_t* body, size_t size, int version, const BitmapLookup& bitmaps,
                     MorphShapeDef& out, std::string& error);
// A font glyph (SHAPE: records without style arrays); its edges use fill style 1.
bool parseGlyphShape(const uint8_t* data, size_t size, ShapeOutline& out, std::string& error);

}  // namespace movie::format
