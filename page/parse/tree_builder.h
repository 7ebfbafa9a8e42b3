#pragma once
// Builds a document tree from tag soup: implied html/head/body, auto-closed p, li, dt,
// dd, option, table rows and cells, end tags matched to the nearest open element (and
// ignored when nothing matches), nesting capped at kMaxDepth and nodes at kMaxNodes.
#include <string_view>

#include "page/parse/dom.h"

namespace page {

DocumentTree parseDocument(std::u32string_view html);

}  // namespace page
