#pragma once
// The HTML subset of text fields: p, br, font (face, size, color, letterspacing,
// kerning), b, i, u, a (href, target), li, span, textformat (margins, indent, block
// indent, leading, tab stops) and the align attribute of p; entities by name and number.
// Unknown tags are dropped and their text kept.
#include <string>
#include <string_view>

#include "movie/text/styled_text.h"

namespace movie::text {

// Appends the parsed html to out, starting from the base format. condenseWhite folds
// runs of white space to one space and ignores source line breaks.
void parseHtml(std::u32string_view html, const Format& base, bool condenseWhite, StyledText& out);
// The text as html, in the shape fields give it back (upper-case tags, one P per
// paragraph, FONT with every attribute).
std::u32string toHtml(const StyledText& text);

}  // namespace movie::text
