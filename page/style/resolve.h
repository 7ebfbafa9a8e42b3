#pragma once
// Computes each element's style: inherited values, the engine's defaults for the tag,
// the HTML presentational attributes, then style sheet rules by specificity and order,
// then the element's style attribute.
#include "page/parse/dom.h"
#include "page/style/css.h"
#include "page/style/style.h"

namespace page {

class StyleResolver {
 public:
  explicit StyleResolver(const DocumentTree& doc);
  ComputedStyle compute(const Node& element, const ComputedStyle& parent) const;
  // The style the root starts from (before <html>).
  ComputedStyle initial() const;
  Color linkColor() const { return linkColor_; }

 private:
  void defaults(const Node& e, ComputedStyle& st, const ComputedStyle& parent) const;
  void presentational(const Node& e, ComputedStyle& st, const ComputedStyle& parent) const;
  StyleSheet sheet_;
  Color linkColor_ = 0xFF0000FF;
};

}  // namespace page
