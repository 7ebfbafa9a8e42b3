#include "movie/text/html_text.h"

#include <cstdlib>
#include <vector>

#include "textcodec/utf8.h"

namespace movie::text {
namespace {

constexpr size_t kMaxNesting = 256;

struct Tag {
  std::string name;  // lower case
  bool closing = false;
  std::vector<std::pair<std::string, std::u32string>> attributes;  // names lower case
  const std::u32string* get(const char* key) const {
    for (const auto& [k, v] : attributes)
      if (k == key) return &v;
    return nullptr;
  }
};

std::string lowerAscii(std::u32string_view s) {
  std::string out;
  for (char32_t c : s) out += c < 0x80 ? char(c >= 'A' && c <= 'Z' ? c + 32 : c) : '?';
  return out;
}

bool isMarkupSpace(char32_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Reads a tag starting after '<'; pos ends after '>'.
Tag readTag(std::u32string_view s, size_t& pos) {
  Tag t;
  if (pos < s.size() && s[pos] == '/') {
    t.closing = true;
    ++pos;
  }
  size_t start = pos;
  while (pos < s.size() && !isMarkupSpace(s[pos]) && s[pos] != '>' && s[pos] != '/') ++pos;
  t.name = lowerAscii(s.substr(start, pos - start));
  while (pos < s.size() && s[pos] != '>') {
    while (pos < s.size() && (isMarkupSpace(s[pos]) || s[pos] == '/')) ++pos;
    size_t k = pos;
    while (pos < s.size() && !isMarkupSpace(s[pos]) && s[pos] != '=' && s[pos] != '>') ++pos;
    std::string key = lowerAscii(s.substr(k, pos - k));
    std::u32string value;
    while (pos < s.size() && isMarkupSpace(s[pos])) ++pos;
    if (pos < s.size() && s[pos] == '=') {
      ++pos;
      while (pos < s.size() && isMarkupSpace(s[pos])) ++pos;
      char32_t quote = pos < s.size() && (s[pos] == '"' || s[pos] == '\'') ? s[pos++] : 0;
      size_t v = pos;
      while (pos < s.size() && (quote ? s[pos] != quote : !isMarkupSpace(s[pos]) && s[pos] != '>')) ++pos;
      value = s.substr(v, pos - v);
      if (quote && pos < s.size()) ++pos;
    }
    if (!key.empty()) t.attributes.emplace_back(key, value);
  }
  if (pos < s.size()) ++pos;
  return t;
}

// An entity starting at '&'; returns 0 (and leaves pos) when it is none.
char32_t readEntity(std::u32string_view s, size_t& pos) {
  size_t end = s.find(U';', pos);
  if (end == std::u32string_view::npos || end - pos > 10) return 0;
  std::string name = lowerAscii(s.substr(pos + 1, end - pos - 1));
  char32_t c = 0;
  if (name == "lt") c = '<';
  else if (name == "gt") c = '>';
  else if (name == "amp") c = '&';
  else if (name == "quot") c = '"';
  else if (name == "apos") c = '\'';
  else if (name == "nbsp") c = 0xA0;
  else if (name.size() > 1 && name[0] == '#') {
    long v = name[1] == 'x' ? std::strtol(name.c_str() + 2, nullptr, 16) : std::strtol(name.c_str() + 1, nullptr, 10);
    c = v > 0 && v <= 0x10FFFF ? char32_t(v) : 0;
  }
  if (c) pos = end + 1;
  return c;
}

bool parseColor(const std::u32string& v, render::Color& out) {
  std::string s = lowerAscii(v);
  if (s.empty() || s[0] != '#') return false;
  unsigned long rgb = std::strtoul(s.c_str() + 1, nullptr, 16);
  out = render::Color{uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb), 255};
  return true;
}

float number(const std::u32string& v) { return float(std::atof(lowerAscii(v).c_str())); }

class HtmlReader {
 public:
  HtmlReader(bool condenseWhite, StyledText& out, const Format& base) : condense_(condenseWhite), out_(out) {
    stack_.push_back(base);
  }

  void run(std::u32string_view s) {
    size_t pos = 0;
    while (pos < s.size()) {
      char32_t c = s[pos];
      if (c == '<') {
        ++pos;
        tag(readTag(s, pos));
      } else if (c == '&') {
        char32_t e = readEntity(s, pos);
        if (!e) ++pos;
        text(e ? e : c);
      } else {
        ++pos;
        text(c);
      }
    }
  }

 private:
  Format& top() { return stack_.back(); }

  void text(char32_t c) {
    if (condense_ && isMarkupSpace(c)) {
      if (lastSpace_) return;
      c = ' ';
    }
    if (c == '\n' || c == '\r') return lineBreak();
    flushBreak();
    lastSpace_ = isMarkupSpace(c);
    out_.append(std::u32string(1, c), top());
  }

  void lineBreak() {
    flushBreak();
    out_.append(U"\r", top());
    lastSpace_ = true;
  }

  void flushBreak() {
    if (!pendingBreak_) return;
    pendingBreak_ = false;
    out_.append(U"\r", paragraph_);
  }

  void open(Format f) {
    if (stack_.size() < kMaxNesting) stack_.push_back(std::move(f));
  }

  void startParagraph(const Tag& t, Format f) {
    if (pendingBreak_)
      flushBreak();
    else if (out_.size() && out_.chars().back() != U'\r')
      lineBreak();
    if (const auto* a = t.get("align")) {
      std::string v = lowerAscii(*a);
      f.para.align = v == "right" ? Align::Right : v == "center" ? Align::Center : v == "justify" ? Align::Justify : Align::Left;
    }
    open(f);
  }

  void fontTag(const Tag& t, Format f) {
    if (const auto* v = t.get("face")) f.chars.font = textcodec::toUtf8(*v);
    if (const auto* v = t.get("size")) {
      float n = number(*v);
      f.chars.size = (!v->empty() && ((*v)[0] == '+' || (*v)[0] == '-')) ? f.chars.size + n : n;
    }
    if (const auto* v = t.get("color")) parseColor(*v, f.chars.color);
    if (const auto* v = t.get("letterspacing")) f.chars.letterSpacing = number(*v);
    if (const auto* v = t.get("kerning")) f.chars.kerning = number(*v) != 0;
    open(f);
  }

  void textFormatTag(const Tag& t, Format f) {
    if (const auto* v = t.get("leftmargin")) f.para.leftMargin = number(*v);
    if (const auto* v = t.get("rightmargin")) f.para.rightMargin = number(*v);
    if (const auto* v = t.get("indent")) f.para.indent = number(*v);
    if (const auto* v = t.get("blockindent")) f.para.blockIndent = number(*v);
    if (const auto* v = t.get("leading")) f.para.leading = number(*v);
    if (const auto* v = t.get("tabstops")) {
      f.para.tabStops.clear();
      std::string list = lowerAscii(*v);
      for (const char* p = list.c_str(); *p;) {
        char* end = nullptr;
        double n = std::strtod(p, &end);
        if (end == p) { ++p; continue; }
        f.para.tabStops.push_back(float(n));
        p = end;
      }
    }
    open(f);
  }

  void tag(const Tag& t) {
    if (t.closing) {
      if (t.name == "p" || t.name == "li") {
        pendingBreak_ = out_.size() > 0;
        paragraph_ = top();
      }
      if (stack_.size() > 1 && isContainer(t.name)) stack_.pop_back();
      return;
    }
    Format f = top();
    if (t.name == "br" || t.name == "sbr") return lineBreak();
    if (t.name == "p") return startParagraph(t, f);
    if (t.name == "li") {
      f.para.bullet = true;
      return startParagraph(t, f);
    }
    if (t.name == "b") f.chars.bold = true;
    if (t.name == "i") f.chars.italic = true;
    if (t.name == "u") f.chars.underline = true;
    if (t.name == "a") {
      if (const auto* v = t.get("href")) f.chars.url = textcodec::toUtf8(*v);
      if (const auto* v = t.get("target")) f.chars.target = textcodec::toUtf8(*v);
    }
    if (t.name == "font") return fontTag(t, f);
    if (t.name == "textformat") return textFormatTag(t, f);
    if (isContainer(t.name)) open(f);
  }

  static bool isContainer(const std::string& n) {
    return n == "p" || n == "li" || n == "b" || n == "i" || n == "u" || n == "a" || n == "font" ||
           n == "textformat" || n == "span";
  }

  bool condense_;
  StyledText& out_;
  std::vector<Format> stack_;
  bool pendingBreak_ = false;
  bool lastSpace_ = false;
  Format paragraph_;
};

void appendEscaped(std::u32string& out, char32_t c) {
  switch (c) {
    case '<': out += U"&lt;"; break;
    case '>': out += U"&gt;"; break;
    case '&': out += U"&amp;"; break;
    case '"': out += U"&quot;"; break;
    default: out += c;
  }
}

std::u32string widen(const std::string& s) { return textcodec::utf8ToUtf32(s); }

std::u32string colorText(render::Color c) {
  static const char* hex = "0123456789ABCDEF";
  std::u32string s = U"#";
  for (uint8_t v : {c.r, c.g, c.b}) {
    s += char32_t(hex[v >> 4]);
    s += char32_t(hex[v & 15]);
  }
  return s;
}

std::u32string number(float v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", double(v));
  return widen(buf);
}

std::u32string openFont(const CharFormat& c) {
  std::u32string s = U"<FONT FACE=\"" + widen(c.font) + U"\" SIZE=\"" + number(c.size) + U"\" COLOR=\"" +
                     colorText(c.color) + U"\" LETTERSPACING=\"" + number(c.letterSpacing) + U"\" KERNING=\"" +
                     (c.kerning ? U"1" : U"0") + U"\">";
  if (!c.url.empty()) s += U"<A HREF=\"" + widen(c.url) + U"\" TARGET=\"" + widen(c.target) + U"\">";
  if (c.bold) s += U"<B>";
  if (c.italic) s += U"<I>";
  if (c.underline) s += U"<U>";
  return s;
}

std::u32string closeFont(const CharFormat& c) {
  std::u32string s;
  if (c.underline) s += U"</U>";
  if (c.italic) s += U"</I>";
  if (c.bold) s += U"</B>";
  if (!c.url.empty()) s += U"</A>";
  return s + U"</FONT>";
}

std::u32string alignName(Align a) {
  return a == Align::Right ? U"RIGHT" : a == Align::Center ? U"CENTER" : a == Align::Justify ? U"JUSTIFY" : U"LEFT";
}

}  // namespace

void parseHtml(std::u32string_view html, const Format& base, bool condenseWhite, StyledText& out) {
  HtmlReader reader(condenseWhite, out, base);
  reader.run(html);
}

std::u32string toHtml(const StyledText& text) {
  std::u32string out;
  const std::u32string& chars = text.chars();
  size_t start = 0;
  do {
    size_t end = chars.find(U'\r', start);
    if (end == std::u32string::npos) end = chars.size();
    const ParaFormat& para = text.paragraphAt(start);
    std::u32string tag = para.bullet ? U"LI" : U"P";
    out += U"<" + tag + U" ALIGN=\"" + alignName(para.align) + U"\">";
    size_t i = start;
    if (i == end) out += openFont(chars.empty() ? CharFormat{} : text.formatAt(std::min(i, chars.size() - 1)).chars) +
                         closeFont(chars.empty() ? CharFormat{} : text.formatAt(std::min(i, chars.size() - 1)).chars);
    while (i < end) {
      const CharFormat& c = text.formatAt(i).chars;
      out += openFont(c);
      while (i < end && text.formatAt(i).chars == c) appendEscaped(out, chars[i++]);
      out += closeFont(c);
    }
    out += U"</" + tag + U">";
    start = end + 1;
  } while (start <= chars.size() && start > 0 && start - 1 < chars.size());
  return out;
}

}  // namespace movie::text
