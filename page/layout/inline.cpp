// Inline content: the atoms (words, images, breaks, blocks) of an element's flow, and styles.
#include <algorithm>
#include <cstdlib>

#include "page/layout/layouter.h"
#include "page/layout/text_breaks.h"
#include "page/util/strings.h"
#include "page/util/url.h"

namespace page::layout_internal {

const ComputedStyle& Layouter::style(const Node& e) {
  auto it = styles_.find(&e);
  if (it != styles_.end()) return it->second;
  const ComputedStyle& parent = (e.parent && e.parent->type == Node::Type::Element && e.parent->tag != "#document")
                                    ? style(*e.parent)
                                    : rootStyle_;
  ComputedStyle st = resolver_.compute(e, parent);
  return styles_.emplace(&e, std::move(st)).first->second;
}

FontMetrics Layouter::metrics(const FontSpec& f) {
  FontMetrics fm = m_.metrics(f);
  fm.ascent = std::clamp(fm.ascent, 0, 1000);
  fm.descent = std::clamp(fm.descent, 0, 1000);
  return fm;
}

int Layouter::linkIndex(const Node& a) {
  auto it = linkIds_.find(&a);
  if (it != linkIds_.end()) return it->second;
  int id = int(out_.links.size());
  out_.links.push_back(resolveUrl(base_, *a.attribute("href")));
  linkIds_[&a] = id;
  return id;
}

bool Layouter::isBlockLevel(const Node& e, const ComputedStyle& st) {
  return st.display == Display::Block || st.display == Display::ListItem || st.display == Display::Table ||
         e.tag == "marquee" || e.tag == "hr";
}

void Layouter::collect(const Node& parent, std::vector<Atom>& atoms, int link, bool& pendingSpace) {
  for (const auto& child : parent.children) {
    if (child->type == Node::Type::Text) {
      splitText(*child, style(parent), link, atoms, pendingSpace);
      continue;
    }
    const Node& e = *child;
    const ComputedStyle& st = style(e);
    if (st.display == Display::None) continue;
    if (e.tag == "br") {
      Atom a;
      a.kind = Atom::Kind::Break;
      a.node = &e;
      a.style = &style(parent);
      atoms.push_back(std::move(a));
      pendingSpace = false;
      continue;
    }
    if (isBlockLevel(e, st) || st.display == Display::TableRow || st.display == Display::TableCell ||
        st.display == Display::TableSection) {
      Atom a;
      a.kind = Atom::Kind::Block;
      a.node = &e;
      a.style = &st;
      a.link = (e.tag == "a" && e.attribute("href")) ? linkIndex(e) : link;
      atoms.push_back(std::move(a));
      pendingSpace = false;
      continue;
    }
    if (e.tag == "img" || (e.tag == "input" && e.attribute("type") && lowerAscii(*e.attribute("type")) == "image")) {
      atoms.push_back(imageAtom(e, st, link));
      atoms.back().spaceBefore = pendingSpace;
      pendingSpace = false;
      continue;
    }
    if (e.tag == "iframe") {
      Atom a;
      a.kind = Atom::Kind::Frame;
      a.node = &e;
      a.style = &st;
      a.link = link;
      a.breakBefore = true;
      a.spaceBefore = pendingSpace;
      a.width = std::clamp(st.width.resolve(0, 300), 0, 10000) + 2 * st.borderWidth + st.margin.left + st.margin.right;
      a.height = std::clamp(st.height.resolve(0, 150), 0, 10000) + 2 * st.borderWidth + st.margin.top + st.margin.bottom;
      atoms.push_back(std::move(a));
      pendingSpace = false;
      continue;
    }
    if (e.tag == "textarea" || e.tag == "select" || e.tag == "object" || e.tag == "embed" || e.tag == "applet")
      continue;  // form controls and plug-ins are not shown
    int innerLink = link;
    if (e.tag == "a" && e.attribute("href")) innerLink = linkIndex(e);
    collect(e, atoms, innerLink, pendingSpace);
  }
}

Atom Layouter::imageAtom(const Node& e, const ComputedStyle& st, int link) {
  Atom a;
  a.kind = Atom::Kind::Image;
  a.node = &e;
  a.style = &st;
  a.link = link;
  a.breakBefore = true;
  std::shared_ptr<const Image> img;
  if (const std::string* src = e.attribute("src")) img = host_.image(resolveUrl(base_, *src), &a.slot);
  int natW = img ? img->width : 0, natH = img ? img->height : 0;
  int w = st.width.isAuto() ? -1 : st.width.resolve(0, 0);
  int h = st.height.isAuto() ? -1 : st.height.resolve(0, 0);
  if (w < 0 && h < 0) { w = natW; h = natH; }
  else if (w < 0) w = natH ? int(int64_t(natW) * h / natH) : h;
  else if (h < 0) h = natW ? int(int64_t(natH) * w / natW) : w;
  w = std::clamp(w, 0, 10000);
  h = std::clamp(h, 0, 10000);
  a.width = w + 2 * st.borderWidth + st.margin.left + st.margin.right;
  a.height = h + 2 * st.borderWidth + st.margin.top + st.margin.bottom;
  return a;
}

void Layouter::splitText(const Node& text, const ComputedStyle& st, int link, std::vector<Atom>& atoms, bool& pendingSpace) {
  const std::u32string& s = text.text;
  auto push = [&](std::u32string word, bool breakable) {
    Atom a;
    a.kind = Atom::Kind::Word;
    a.node = &text;
    a.style = &st;
    a.link = link;
    a.spaceBefore = pendingSpace;
    a.breakBefore = breakable && st.whiteSpace == WhiteSpace::Normal && !noBreakBefore(word[0]);
    for (char32_t& c : word)
      if (c == 0xA0) c = ' ';
    a.text = std::move(word);
    a.width = textWidth(st.font, a.text);
    atoms.push_back(std::move(a));
    pendingSpace = false;
  };
  if (st.whiteSpace == WhiteSpace::Pre) {
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
      if (i == s.size() || s[i] == '\n') {
        std::u32string line = s.substr(start, i - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        for (char32_t& c : line)
          if (c == '\t') c = ' ';
        if (!line.empty()) push(std::move(line), false);
        if (i < s.size()) {
          Atom b;
          b.kind = Atom::Kind::Break;
          b.node = &text;
          b.style = &st;
          atoms.push_back(std::move(b));
        }
        start = i + 1;
      }
    }
    return;
  }
  std::u32string word;
  bool wordBreakable = false;
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (isSpace(c) || c == 0x3000) {
      if (!word.empty()) push(std::move(word), wordBreakable), word.clear();
      pendingSpace = true;
      wordBreakable = true;
      continue;
    }
    if (isCjk(c) && c != 0xFF0C && !noBreakBefore(c)) {
      if (!word.empty()) push(std::move(word), wordBreakable), word.clear();
      word += c;
      wordBreakable = true;
      // Closing punctuation right after stays with this character.
      while (i + 1 < s.size() && noBreakBefore(s[i + 1])) word += s[++i];
      push(std::move(word), true);
      word.clear();
      wordBreakable = true;
      continue;
    }
    if (word.empty()) {
      // After a CJK character any character may start a new line.
      wordBreakable = wordBreakable || pendingSpace || (!atoms.empty() && atoms.back().kind == Atom::Kind::Word &&
                                                        atoms.back().node == &text && isCjk(atoms.back().text.back()));
    }
    word += c;
  }
  if (!word.empty()) push(std::move(word), wordBreakable);
}

}  // namespace page::layout_internal
