// Tag-soup tokenizer. Every step consumes at least one character, so it always ends.
#include "page/parse/tokenizer.h"

#include "page/util/strings.h"
#include "page/util/utf.h"

namespace page {
namespace {

bool isNameStart(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isNameChar(char32_t c) { return !isSpace(c) && c != '>' && c != '/' && c != '=' && c != '<'; }

std::string lowerName(std::u32string_view s) {
  std::string out;
  for (char32_t c : s) {
    c = asciiLower(c);
    if (c < 0x80) out += char(c); else appendUtf8(out, c);
  }
  return out;
}

bool isRawText(const std::string& name) {
  return name == "script" || name == "style" || name == "title" || name == "textarea" || name == "xmp";
}

}  // namespace

Token Tokenizer::next() {
  if (!rawEnd_.empty()) {
    std::string end = std::move(rawEnd_);
    rawEnd_.clear();
    return rawText(end);
  }
  if (pos_ >= in_.size()) return Token{};
  if (in_[pos_] == '<' && pos_ + 1 < in_.size()) {
    char32_t c = in_[pos_ + 1];
    if (isNameStart(c) || c == '/' || c == '!' || c == '?') return tag();
  }
  // Text up to the next thing that can start a tag.
  size_t start = pos_++;
  while (pos_ < in_.size()) {
    if (in_[pos_] == '<' && pos_ + 1 < in_.size()) {
      char32_t c = in_[pos_ + 1];
      if (isNameStart(c) || c == '/' || c == '!' || c == '?') break;
    }
    ++pos_;
  }
  Token t;
  t.type = Token::Type::Text;
  t.text = decodeEntities(in_.substr(start, pos_ - start));
  return t;
}

Token Tokenizer::tag() {
  size_t p = pos_ + 1;
  if (in_[p] == '!' || in_[p] == '?') return comment(p);
  bool endTag = in_[p] == '/';
  if (endTag && (++p >= in_.size() || !isNameStart(in_[p]))) return bogusComment(p);  // "</>" or "</ 3"
  Token t;
  size_t nameStart = p;
  while (p < in_.size() && isNameChar(in_[p])) ++p;
  t.name = lowerName(in_.substr(nameStart, p - nameStart));
  t.type = endTag ? Token::Type::EndTag : Token::Type::StartTag;
  pos_ = readAttributes(t, p);
  if (!endTag && isRawText(t.name) && !t.selfClosing) rawEnd_ = t.name;
  if (endTag) t.attributes.clear();
  return t;
}

Token Tokenizer::comment(size_t p) {
  if (in_.substr(p, 3) != U"!--") return bogusComment(p);
  Token t;
  t.type = Token::Type::Comment;
  size_t end = in_.find(U"-->", p + 3);
  if (end == std::u32string_view::npos) end = in_.size();
  t.text = in_.substr(p + 3, end - std::min(end, p + 3));
  pos_ = std::min(in_.size(), end + 3);
  return t;
}

Token Tokenizer::bogusComment(size_t p) {
  Token t;
  t.type = Token::Type::Comment;
  size_t end = in_.find(U'>', p);
  pos_ = end == std::u32string_view::npos ? in_.size() : end + 1;
  return t;
}

size_t Tokenizer::readAttributes(Token& t, size_t p) {
  while (p < in_.size()) {
    while (p < in_.size() && isSpace(in_[p])) ++p;
    if (p >= in_.size()) break;
    if (in_[p] == '>') return p + 1;
    if (in_[p] == '/') {
      if (p + 1 < in_.size() && in_[p + 1] == '>') {
        t.selfClosing = true;
        return p + 2;
      }
      ++p;
      continue;
    }
    if (in_[p] == '<') break;  // an unclosed tag: the next tag starts here
    size_t nameStart = p;
    while (p < in_.size() && isNameChar(in_[p])) ++p;
    if (p == nameStart) {  // a stray '='
      ++p;
      continue;
    }
    std::string name = lowerName(in_.substr(nameStart, p - nameStart));
    std::u32string value = readAttributeValue(p);
    bool duplicate = false;
    for (auto& a : t.attributes) duplicate |= a.first == name;
    if (!duplicate && t.attributes.size() < 64) t.attributes.emplace_back(std::move(name), toUtf8(decodeEntities(value)));
  }
  return p;
}

std::u32string Tokenizer::readAttributeValue(size_t& p) {
  while (p < in_.size() && isSpace(in_[p])) ++p;
  if (p >= in_.size() || in_[p] != '=') return {};
  ++p;
  while (p < in_.size() && isSpace(in_[p])) ++p;
  if (p < in_.size() && (in_[p] == '"' || in_[p] == '\'')) {
    char32_t quote = in_[p++];
    size_t start = p;
    while (p < in_.size() && in_[p] != quote) ++p;
    std::u32string value(in_.substr(start, p - start));
    if (p < in_.size()) ++p;
    return value;
  }
  size_t start = p;
  while (p < in_.size() && !isSpace(in_[p]) && in_[p] != '>') ++p;
  return std::u32string(in_.substr(start, p - start));
}

Token Tokenizer::rawText(const std::string& endTag) {
  // Find "</name" case-insensitively.
  size_t p = pos_;
  size_t found = in_.size();
  while (p < in_.size()) {
    size_t lt = in_.find(U"</", p);
    if (lt == std::u32string_view::npos) break;
    size_t q = lt + 2, k = 0;
    while (k < endTag.size() && q + k < in_.size() && asciiLower(in_[q + k]) == char32_t(endTag[k])) ++k;
    if (k == endTag.size()) { found = lt; break; }
    p = lt + 2;
  }
  Token t;
  t.type = Token::Type::Text;
  std::u32string_view raw = in_.substr(pos_, found - pos_);
  t.text = (endTag == "title" || endTag == "textarea") ? decodeEntities(raw) : std::u32string(raw);
  pos_ = found;
  return t;
}

}  // namespace page
