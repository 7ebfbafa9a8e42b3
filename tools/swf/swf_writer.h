#pragma once
// A small SWF writer for making test movies and the sample lessons. It knows the
// records the movie engine reads (header, shapes, bitmaps, sprites, display list
// tags) and packs them bit for bit; raw() writes any tag, valid or not, for tests of
// damaged input. Coordinates are in twips (1/20 pixel) unless a name says pixels.
#include "tools/swf/bit_writer.h"
#include "tools/swf/filter_record.h"
#include "tools/swf/movie_file.h"
#include "tools/swf/place.h"
#include "tools/swf/records.h"
#include "tools/swf/shape.h"
#include "tools/swf/shape_styles.h"
#include "tools/swf/tag_list.h"
