#pragma once
// The CSS subset pages use: rules with element, class and id selectors (compound, and
// descendant chains), declarations from style sheets and style attributes.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "page/parse/dom.h"
#include "page/style/style.h"

namespace page {

struct Declaration {
  std::string property;  // lower-case
  std::string value;     // trimmed, "!important" dropped
};

struct SimpleSelector {
  std::string tag;  // empty = any
  std::string id;
  std::vector<std::string> classes;
  bool linkOnly = false;  // :link / :visited: an <a> with an href
};

struct Selector {
  std::vector<SimpleSelector> chain;  // ancestors first; the last one is the subject
  int specificity = 0;                // ids * 10000 + classes * 100 + tags
};

struct CssRule {
  Selector selector;
  std::vector<Declaration> declarations;
  int order = 0;
};

struct StyleSheet {
  std::vector<CssRule> rules;
  void add(std::u32string_view text);  // appends the rules of one sheet
};

std::vector<Declaration> parseDeclarations(std::string_view text);
bool matches(const Selector& selector, const Node& element);

// Applies one declaration. `parent` is the parent's computed style (for em and %).
void applyDeclaration(ComputedStyle& style, const Declaration& d, const ComputedStyle& parent);

}  // namespace page
