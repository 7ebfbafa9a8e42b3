// CSS subset: parsing rules and declarations, selector matching, property values.
#include "page/style/css.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "page/util/strings.h"
#include "page/util/utf.h"

namespace page {
namespace {

constexpr size_t kMaxRules = 4000;

std::string stripComments(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '/' && i + 1 < s.size() && s[i + 1] == '*') {
      size_t end = s.find("*/", i + 2);
      if (end == std::string_view::npos) break;
      i = end + 1;
      continue;
    }
    out += s[i];
  }
  return out;
}

bool parseSimple(std::string_view s, SimpleSelector& out, int& specificity) {
  size_t i = 0;
  auto readName = [&]() {
    size_t start = i;
    while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '-' || s[i] == '_' ||
                            static_cast<unsigned char>(s[i]) >= 0x80))
      ++i;
    return std::string(s.substr(start, i - start));
  };
  if (i < s.size() && s[i] == '*') ++i;
  else if (i < s.size() && std::isalpha(static_cast<unsigned char>(s[i]))) {
    out.tag = lowerAscii(readName());
    ++specificity;
  }
  while (i < s.size()) {
    char c = s[i++];
    if (c == '.') {
      std::string n = readName();
      if (n.empty()) return false;
      out.classes.push_back(n);
      specificity += 100;
    } else if (c == '#') {
      std::string n = readName();
      if (n.empty()) return false;
      out.id = n;
      specificity += 10000;
    } else if (c == ':') {
      std::string n = lowerAscii(readName());
      if (n == "link" || n == "visited") {
        out.linkOnly = true;
        specificity += 100;
      } else {
        return false;  // :hover, :active...: states this engine never shows
      }
    } else {
      return false;  // attribute selectors, child combinators...
    }
  }
  return true;
}

bool parseSelector(std::string_view text, Selector& sel) {
  std::string_view s = trim(text);
  if (s.empty()) return false;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && isSpace(char32_t(s[i]))) ++i;
    size_t start = i;
    while (i < s.size() && !isSpace(char32_t(s[i]))) ++i;
    if (i == start) break;
    SimpleSelector simple;
    if (!parseSimple(s.substr(start, i - start), simple, sel.specificity)) return false;
    sel.chain.push_back(std::move(simple));
    if (sel.chain.size() > 8) return false;
  }
  return !sel.chain.empty();
}

bool matchesSimple(const SimpleSelector& s, const Node& e) {
  if (e.type != Node::Type::Element) return false;
  if (!s.tag.empty() && s.tag != e.tag) return false;
  if (s.linkOnly && !(e.tag == "a" && e.attribute("href"))) return false;
  if (!s.id.empty()) {
    const std::string* id = e.attribute("id");
    if (!id || *id != s.id) return false;
  }
  if (!s.classes.empty()) {
    const std::string* cls = e.attribute("class");
    if (!cls) return false;
    for (const std::string& want : s.classes) {
      bool found = false;
      std::string_view rest = *cls;
      while (!rest.empty() && !found) {
        size_t sp = rest.find_first_of(" \t\n\r");
        std::string_view word = rest.substr(0, sp);
        found = word == want;
        rest = sp == std::string_view::npos ? std::string_view() : rest.substr(sp + 1);
      }
      if (!found) return false;
    }
  }
  return true;
}

// Parses "12px", "1.5em", "120%", "9pt" to pixels; `em` is the size one em stands for.
std::optional<int> parsePixels(std::string_view v, int em, int percentBase) {
  std::string s = lowerAscii(trim(v));
  if (s.empty()) return std::nullopt;
  char* end = nullptr;
  double x = std::strtod(s.c_str(), &end);
  if (end == s.c_str()) return std::nullopt;
  if (!(x > -100000 && x < 100000)) return std::nullopt;
  std::string unit = trim(std::string_view(end)).data();
  double px;
  if (unit.empty() || unit == "px") px = x;
  else if (unit == "pt") px = x * 4 / 3;
  else if (unit == "em") px = x * em;
  else if (unit == "ex") px = x * em / 2;
  else if (unit == "%") px = x * percentBase / 100;
  else if (unit == "in") px = x * 96;
  else if (unit == "cm") px = x * 96 / 2.54;
  else if (unit == "mm") px = x * 96 / 25.4;
  else if (unit == "pc") px = x * 16;
  else return std::nullopt;
  return int(px + (px >= 0 ? 0.5 : -0.5));
}

std::optional<Length> parseCssLength(std::string_view v, int em) {
  std::string s = lowerAscii(trim(v));
  if (s == "auto") return Length{};
  if (!s.empty() && s.back() == '%') {
    double x = std::strtod(s.c_str(), nullptr);
    return Length::percent(int(std::clamp(x, 0.0, 1000.0)));
  }
  if (auto px = parsePixels(s, em, 0)) return Length::px(std::clamp(*px, 0, 100000));
  return std::nullopt;
}

std::vector<std::string> splitWords(std::string_view v) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < v.size() && out.size() < 8) {
    while (i < v.size() && isSpace(char32_t(v[i]))) ++i;
    size_t start = i;
    int depth = 0;
    while (i < v.size() && (depth > 0 || !isSpace(char32_t(v[i])))) {
      if (v[i] == '(') ++depth;
      if (v[i] == ')') --depth;
      ++i;
    }
    if (i > start) out.emplace_back(v.substr(start, i - start));
  }
  return out;
}

void applyEdges(Edges& e, std::string_view v, int em) {
  std::vector<int> px;
  for (auto& w : splitWords(v)) {
    if (lowerAscii(w) == "auto") { px.push_back(0); continue; }
    if (auto p = parsePixels(w, em, 0)) px.push_back(std::clamp(*p, -10000, 10000));
    else return;
  }
  if (px.empty()) return;
  if (px.size() == 1) e = {px[0], px[0], px[0], px[0]};
  else if (px.size() == 2) e = {px[0], px[1], px[0], px[1]};
  else if (px.size() == 3) e = {px[0], px[1], px[2], px[1]};
  else e = {px[0], px[1], px[2], px[3]};
}

std::string urlValue(std::string_view v) {
  std::string s(trim(v));
  std::string lower = lowerAscii(s);
  size_t at = lower.find("url(");
  if (at == std::string::npos) return {};
  size_t end = s.find(')', at);
  if (end == std::string::npos) end = s.size();
  std::string_view inner = trim(std::string_view(s).substr(at + 4, end - at - 4));
  if (!inner.empty() && (inner.front() == '"' || inner.front() == '\'')) inner.remove_prefix(1);
  if (!inner.empty() && (inner.back() == '"' || inner.back() == '\'')) inner.remove_suffix(1);
  return std::string(inner);
}

int fontSizeKeyword(const std::string& s, int parent) {
  if (s == "xx-small") return 9;
  if (s == "x-small") return 10;
  if (s == "small") return 13;
  if (s == "medium") return 16;
  if (s == "large") return 18;
  if (s == "x-large") return 24;
  if (s == "xx-large") return 32;
  if (s == "smaller") return std::max(1, parent * 5 / 6);
  if (s == "larger") return parent * 6 / 5;
  return 0;
}

}  // namespace

std::vector<Declaration> parseDeclarations(std::string_view text) {
  std::vector<Declaration> out;
  std::string s = stripComments(text);
  size_t i = 0;
  while (i < s.size() && out.size() < 200) {
    size_t semi = s.find(';', i);
    if (semi == std::string::npos) semi = s.size();
    std::string_view part = std::string_view(s).substr(i, semi - i);
    i = semi + 1;
    size_t colon = part.find(':');
    if (colon == std::string_view::npos) continue;
    Declaration d;
    d.property = lowerAscii(trim(part.substr(0, colon)));
    std::string value(trim(part.substr(colon + 1)));
    size_t bang = lowerAscii(value).find("!important");
    if (bang != std::string::npos) value = std::string(trim(std::string_view(value).substr(0, bang)));
    d.value = std::move(value);
    if (!d.property.empty()) out.push_back(std::move(d));
  }
  return out;
}

void StyleSheet::add(std::u32string_view text32) {
  std::string text = stripComments(toUtf8(text32));
  size_t i = 0;
  while (i < text.size() && rules.size() < kMaxRules) {
    size_t open = text.find('{', i);
    if (open == std::string::npos) break;
    std::string_view prelude = trim(std::string_view(text).substr(i, open - i));
    // Skip "<!--" and "-->" that pages wrap their sheets in.
    while (prelude.substr(0, 4) == "<!--") prelude = trim(prelude.substr(4));
    while (prelude.substr(0, 3) == "-->") prelude = trim(prelude.substr(3));
    // Find the matching close brace (at-rules may nest one level).
    int depth = 0;
    size_t close = open;
    for (; close < text.size(); ++close) {
      if (text[close] == '{') ++depth;
      else if (text[close] == '}' && --depth == 0) break;
    }
    std::string_view body = std::string_view(text).substr(open + 1, std::min(close, text.size()) - open - 1);
    i = close + 1;
    if (!prelude.empty() && prelude[0] == '@') continue;  // @media, @font-face...: not used
    std::vector<Declaration> decls = parseDeclarations(body);
    size_t start = 0;
    while (start <= prelude.size()) {
      size_t comma = prelude.find(',', start);
      if (comma == std::string_view::npos) comma = prelude.size();
      Selector sel;
      if (parseSelector(prelude.substr(start, comma - start), sel)) {
        CssRule r;
        r.selector = std::move(sel);
        r.declarations = decls;
        r.order = int(rules.size());
        rules.push_back(std::move(r));
      }
      start = comma + 1;
    }
  }
}

bool matches(const Selector& selector, const Node& element) {
  if (selector.chain.empty() || !matchesSimple(selector.chain.back(), element)) return false;
  const Node* n = element.parent;
  int k = int(selector.chain.size()) - 2;
  while (k >= 0 && n) {
    if (matchesSimple(selector.chain[k], *n)) --k;
    n = n->parent;
  }
  return k < 0;
}

namespace {

// Each group below applies the properties it knows and says whether it knew the property.

bool applyColourProperty(ComputedStyle& st, const Declaration& d, const std::string& v) {
  const std::string& p = d.property;
  if (p == "color") {
    if (auto c = parseColor(v)) st.color = *c;
  } else if (p == "background-color") {
    if (v == "transparent") st.background.reset();
    else if (auto c = parseColor(v)) st.background = *c;
  } else if (p == "background-image") {
    st.backgroundImage = urlValue(d.value);
  } else if (p == "background") {
    for (auto& w : splitWords(d.value)) {
      if (auto c = parseColor(w)) st.background = *c;
      else if (lowerAscii(w) == "transparent") st.background.reset();
      else if (lowerAscii(w).rfind("url(", 0) == 0) st.backgroundImage = urlValue(w);
    }
  } else {
    return false;
  }
  return true;
}

std::string firstFontFamily(const std::string& list) {
  std::string first(trim(std::string_view(list).substr(0, list.find(','))));
  if (!first.empty() && (first.front() == '"' || first.front() == '\'')) first.erase(first.begin());
  if (!first.empty() && (first.back() == '"' || first.back() == '\'')) first.pop_back();
  return first;
}

// "bold 12px SimSun": the words of the font shorthand this engine understands.
void applyFontShorthand(FontSpec& font, const std::string& value, int parentSize) {
  for (auto& w : splitWords(value)) {
    std::string lw = lowerAscii(w);
    if (lw == "bold") font.bold = true;
    else if (lw == "italic") font.italic = true;
    else if (std::isdigit(static_cast<unsigned char>(lw[0]))) {
      std::string size = lw.substr(0, lw.find('/'));
      if (auto px = parsePixels(size, parentSize, parentSize)) font.pixelSize = std::clamp(*px, 1, 200);
    } else if (lw != "normal") {
      font.family = w;
    }
  }
}

bool applyFontProperty(ComputedStyle& st, const Declaration& d, const std::string& v, const ComputedStyle& parent) {
  const std::string& p = d.property;
  const int parentSize = parent.font.pixelSize;
  if (p == "font-size") {
    if (int k = fontSizeKeyword(v, parentSize)) st.font.pixelSize = k;
    else if (auto px = parsePixels(v, parentSize, parentSize)) st.font.pixelSize = *px;
    st.font.pixelSize = std::clamp(st.font.pixelSize, 1, 200);
  } else if (p == "font-weight") {
    st.font.bold = v == "bold" || v == "bolder" || std::atoi(v.c_str()) >= 600;
  } else if (p == "font-style") {
    st.font.italic = v == "italic" || v == "oblique";
  } else if (p == "font-family") {
    if (std::string first = firstFontFamily(d.value); !first.empty()) st.font.family = first;
  } else if (p == "font") {
    applyFontShorthand(st.font, d.value, parentSize);
  } else if (p == "text-align") {
    if (v == "center") st.textAlign = TextAlign::Center;
    else if (v == "right") st.textAlign = TextAlign::Right;
    else if (v == "left" || v == "justify") st.textAlign = TextAlign::Left;
  } else if (p == "text-decoration") {
    st.font.underline = v.find("underline") != std::string::npos;
    st.lineThrough = v.find("line-through") != std::string::npos;
  } else {
    return false;
  }
  return true;
}

// margin-top, padding-left and their kin: one side of the margin or the padding.
void applyEdgeSide(ComputedStyle& st, const std::string& p, const std::string& v, int em) {
  bool margin = p[0] == 'm';
  Edges& e = margin ? st.margin : st.padding;
  std::string side = p.substr(margin ? 7 : 8);
  auto px = parsePixels(v, em, 0);
  if (!px) return;
  int x = std::clamp(*px, margin ? -10000 : 0, 10000);
  if (side == "top") e.top = x;
  else if (side == "right") e.right = x;
  else if (side == "bottom") e.bottom = x;
  else if (side == "left") e.left = x;
}

void applyBorder(ComputedStyle& st, const Declaration& d, int em) {
  const std::string& p = d.property;
  for (auto& w : splitWords(d.value)) {
    if (auto c = parseColor(w); c && p != "border-width") st.borderColor = *c;
    else if (auto px = parsePixels(w, em, 0); px && p != "border-color") st.borderWidth = std::clamp(*px, 0, 100);
    else if (lowerAscii(w) == "none" && p == "border") st.borderWidth = 0;
  }
}

bool applyBoxProperty(ComputedStyle& st, const Declaration& d, const std::string& v) {
  const std::string& p = d.property;
  const int em = st.font.pixelSize;
  if (p == "margin") {
    applyEdges(st.margin, v, em);
  } else if (p == "padding") {
    applyEdges(st.padding, v, em);
    st.padding = {std::max(0, st.padding.top), std::max(0, st.padding.right), std::max(0, st.padding.bottom),
                  std::max(0, st.padding.left)};
  } else if (p.rfind("margin-", 0) == 0 || p.rfind("padding-", 0) == 0) {
    applyEdgeSide(st, p, v, em);
  } else if (p == "width") {
    if (auto l = parseCssLength(v, em)) st.width = *l;
  } else if (p == "height") {
    if (auto l = parseCssLength(v, em)) st.height = *l;
  } else if (p == "border" || p == "border-width" || p == "border-color") {
    applyBorder(st, d, em);
  } else {
    return false;
  }
  return true;
}

void applyFlowProperty(ComputedStyle& st, const std::string& p, const std::string& v) {
  if (p == "display") {
    if (v == "none") st.display = Display::None;
    else if (v == "block") st.display = Display::Block;
    else if (v == "inline" || v == "inline-block") st.display = Display::Inline;
    else if (v == "list-item") st.display = Display::ListItem;
  } else if (p == "overflow") {
    if (v == "hidden") st.overflow = Overflow::Hidden;
    else if (v == "scroll") st.overflow = Overflow::Scroll;
    else if (v == "auto") st.overflow = Overflow::Auto;
    else if (v == "visible") st.overflow = Overflow::Visible;
  } else if (p == "white-space") {
    if (v == "nowrap") st.whiteSpace = WhiteSpace::NoWrap;
    else if (v == "pre") st.whiteSpace = WhiteSpace::Pre;
    else if (v == "normal") st.whiteSpace = WhiteSpace::Normal;
  } else if (p == "vertical-align") {
    if (v == "top") st.verticalAlign = VAlign::Top;
    else if (v == "middle") st.verticalAlign = VAlign::Middle;
    else if (v == "bottom") st.verticalAlign = VAlign::Bottom;
    else if (v == "baseline") st.verticalAlign = VAlign::Baseline;
  }
}

}  // namespace

void applyDeclaration(ComputedStyle& st, const Declaration& d, const ComputedStyle& parent) {
  const std::string v = lowerAscii(d.value);
  if (applyColourProperty(st, d, v) || applyFontProperty(st, d, v, parent) || applyBoxProperty(st, d, v)) return;
  applyFlowProperty(st, d.property, v);
}

}  // namespace page
