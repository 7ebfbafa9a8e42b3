// Style resolution.
#include "page/style/resolve.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

#include "page/util/strings.h"

namespace page {
namespace {

// <font size=1..7> and its "+1" / "-2" forms, against the base size 3.
int fontSizeFromAttribute(std::string_view v) {
  static const int kSizes[7] = {10, 13, 16, 18, 24, 32, 48};
  std::string s(trim(v));
  if (s.empty()) return 0;
  int n = std::atoi(s.c_str() + ((s[0] == '+') ? 1 : 0));
  if (s[0] == '+' || s[0] == '-') n += 3;
  n = std::clamp(n, 1, 7);
  return kSizes[n - 1];
}

int intAttribute(const Node& e, std::string_view name, int fallback, int lo = 0, int hi = 10000) {
  const std::string* v = e.attribute(name);
  if (!v) return fallback;
  std::string s(trim(*v));
  if (s.empty() || !(std::isdigit(static_cast<unsigned char>(s[0])) || s[0] == '-')) return fallback;
  return std::clamp(std::atoi(s.c_str()), lo, hi);
}

std::optional<TextAlign> alignAttribute(const Node& e) {
  const std::string* v = e.attribute("align");
  if (!v) return std::nullopt;
  std::string s = lowerAscii(trim(*v));
  if (s == "center" || s == "middle") return TextAlign::Center;
  if (s == "right") return TextAlign::Right;
  if (s == "left") return TextAlign::Left;
  return std::nullopt;
}

}  // namespace

StyleResolver::StyleResolver(const DocumentTree& doc) {
  for (const auto& s : doc.styleSheets) sheet_.add(s);
  if (doc.body)
    if (const std::string* link = doc.body->attribute("link"))
      if (auto c = parseColor(*link)) linkColor_ = *c;
}

ComputedStyle StyleResolver::initial() const {
  ComputedStyle st;
  st.display = Display::Block;
  return st;
}

void StyleResolver::defaults(const Node& e, ComputedStyle& st, const ComputedStyle& parent) const {
  const std::string& t = e.tag;
  if (oneOf(t, {"html", "body", "div", "p", "center", "form", "ul", "ol", "dl", "dd", "dt", "blockquote",
                "pre", "h1", "h2", "h3", "h4", "h5", "h6", "hr", "address", "marquee", "frameset", "menu",
                "dir", "fieldset", "noframes", "caption"}))
    st.display = Display::Block;
  if (oneOf(t, {"head", "script", "style", "title", "meta", "link", "base", "noembed", "param",
                "frame", "bgsound", "area", "map", "option", "select", "col", "colgroup"}))
    st.display = Display::None;
  if (t == "li") st.display = Display::ListItem;
  if (t == "table") st.display = Display::Table;
  if (t == "tr") st.display = Display::TableRow;
  if (t == "td" || t == "th") st.display = Display::TableCell;
  if (oneOf(t, {"tbody", "thead", "tfoot"})) st.display = Display::TableSection;

  if (t == "body") st.margin = {8, 8, 8, 8};
  if (t == "p" || t == "dl" || t == "blockquote" || t == "pre") st.margin.top = st.margin.bottom = st.font.pixelSize;
  if (t == "ul" || t == "ol" || t == "menu" || t == "dir") {
    st.margin.top = st.margin.bottom = (parent.display == Display::ListItem) ? 0 : st.font.pixelSize;
    st.padding.left = 40;
  }
  if (t == "blockquote" || t == "dd") st.margin.left = 40;
  if (t == "blockquote") st.margin.right = 40;
  static const int kHeading[6] = {32, 24, 19, 16, 13, 11};
  if (t.size() == 2 && t[0] == 'h' && t[1] >= '1' && t[1] <= '6') {
    st.font.pixelSize = kHeading[t[1] - '1'];
    st.font.bold = true;
    st.margin.top = st.margin.bottom = st.font.pixelSize * 2 / 3;
  }
  if (oneOf(t, {"b", "strong", "th"})) st.font.bold = true;
  if (oneOf(t, {"i", "em", "cite", "var", "address", "dfn"})) st.font.italic = true;
  if (oneOf(t, {"u", "ins"})) st.font.underline = true;
  if (oneOf(t, {"s", "strike", "del"})) st.lineThrough = true;
  if (t == "center" || t == "th") st.textAlign = TextAlign::Center;
  if ((t == "td" || t == "th") && st.verticalAlign == VAlign::Baseline) st.verticalAlign = VAlign::Middle;
  if (t == "pre" || t == "xmp" || t == "textarea") st.whiteSpace = WhiteSpace::Pre;
  if (oneOf(t, {"pre", "tt", "code", "kbd", "samp", "xmp"})) st.font.family = "Courier New";
  if (t == "small") st.font.pixelSize = std::max(1, parent.font.pixelSize * 5 / 6);
  if (t == "big") st.font.pixelSize = parent.font.pixelSize * 6 / 5;
  if (t == "a" && e.attribute("href")) {
    st.color = linkColor_;
    st.font.underline = true;
  }
  if (t == "nobr") st.whiteSpace = WhiteSpace::NoWrap;
  if (t == "table") {
    st.font.pixelSize = 16;  // old quirk: tables do not inherit the font size
    st.textAlign = TextAlign::Left;
  }
}

void StyleResolver::presentational(const Node& e, ComputedStyle& st, const ComputedStyle& parent) const {
  const std::string& t = e.tag;
  if (const std::string* v = e.attribute("bgcolor"))
    if (auto c = parseColor(*v)) st.background = *c;
  if (const std::string* v = e.attribute("background"); v && oneOf(t, {"body", "table", "td", "th", "tr"}))
    st.backgroundImage = *v;
  if (t == "body") {
    if (const std::string* v = e.attribute("text"))
      if (auto c = parseColor(*v)) st.color = *c;
    int mx = intAttribute(e, "marginwidth", intAttribute(e, "leftmargin", st.margin.left));
    int my = intAttribute(e, "marginheight", intAttribute(e, "topmargin", st.margin.top));
    st.margin = {my, mx, my, mx};
    if (const std::string* v = e.attribute("scroll"); v && lowerAscii(trim(*v)) == "no") st.overflow = Overflow::Hidden;
  }
  if (t == "font" || t == "basefont") {
    if (const std::string* v = e.attribute("color"))
      if (auto c = parseColor(*v)) st.color = *c;
    if (const std::string* v = e.attribute("size"))
      if (int px = fontSizeFromAttribute(*v)) st.font.pixelSize = px;
    if (const std::string* v = e.attribute("face")) {
      std::string first(trim(std::string_view(*v).substr(0, v->find(','))));
      if (!first.empty()) st.font.family = first;
    }
  }
  if (auto a = alignAttribute(e)) {
    if (oneOf(t, {"table", "img", "iframe", "marquee", "hr", "input"})) st.blockAlign = *a;
    else st.textAlign = *a;
  }
  if (const std::string* v = e.attribute("valign")) {
    std::string s = lowerAscii(trim(*v));
    if (s == "top") st.verticalAlign = VAlign::Top;
    else if (s == "bottom") st.verticalAlign = VAlign::Bottom;
    else if (s == "middle" || s == "center") st.verticalAlign = VAlign::Middle;
    else if (s == "baseline") st.verticalAlign = VAlign::Baseline;
  }
  if (oneOf(t, {"table", "td", "th", "img", "marquee", "iframe", "hr", "div", "col", "input", "embed", "object"})) {
    if (const std::string* v = e.attribute("width")) st.width = parseHtmlLength(*v);
    if (const std::string* v = e.attribute("height")) st.height = parseHtmlLength(*v);
  }
  if (t == "tr")
    if (const std::string* v = e.attribute("height")) st.height = parseHtmlLength(*v);
  if (t == "td" || t == "th") {
    if (e.attribute("nowrap")) st.whiteSpace = WhiteSpace::NoWrap;
  }
  if (t == "img" || t == "table" || t == "iframe") {
    int border = intAttribute(e, "border", t == "img" && e.parent && e.parent->isElement("a") ? 2 : 0, 0, 100);
    if (t == "iframe") border = lowerAscii(e.attribute("frameborder") ? *e.attribute("frameborder") : "1") == "0" ? 0 : 2;
    if (t == "table" && e.attribute("border") && border == 0 && trim(*e.attribute("border")).empty()) border = 1;
    st.borderWidth = border;
    if (t == "img" && border && e.parent && e.parent->isElement("a")) st.borderColor = parent.color;
  }
  if (t == "img" || t == "marquee" || t == "iframe") {
    int h = intAttribute(e, "hspace", 0, 0, 1000), vs = intAttribute(e, "vspace", 0, 0, 1000);
    st.margin = {vs, h, vs, h};
  }
  if (t == "hr") {
    st.margin.top = st.margin.bottom = 8;
  }
}

ComputedStyle StyleResolver::compute(const Node& e, const ComputedStyle& parent) const {
  ComputedStyle st;
  st.font = parent.font;
  st.color = parent.color;
  st.textAlign = parent.textAlign;
  st.whiteSpace = parent.whiteSpace;
  if (parent.display == Display::TableRow || parent.display == Display::TableSection ||
      parent.display == Display::Table)
    st.verticalAlign = parent.verticalAlign;  // valign of a row reaches its cells
  defaults(e, st, parent);
  presentational(e, st, parent);
  // Style sheet rules, lowest specificity first, then in sheet order.
  std::vector<const CssRule*> matched;
  for (const CssRule& r : sheet_.rules)
    if (matches(r.selector, e)) matched.push_back(&r);
  std::stable_sort(matched.begin(), matched.end(), [](const CssRule* a, const CssRule* b) {
    return a->selector.specificity < b->selector.specificity;
  });
  for (const CssRule* r : matched)
    for (const Declaration& d : r->declarations) applyDeclaration(st, d, parent);
  if (const std::string* v = e.attribute("style"))
    for (const Declaration& d : parseDeclarations(*v)) applyDeclaration(st, d, parent);
  return st;
}

}  // namespace page
