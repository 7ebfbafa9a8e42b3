#pragma once
// HTML tokenizer for tag soup: start and end tags with quoted, unquoted or bare
// attributes, text with named and numeric character references, comments, doctypes and
// processing instructions (dropped), and raw-text elements (script, style, title,
// textarea, xmp) whose content is taken up to the matching end tag.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace page {

struct Token {
  enum class Type { StartTag, EndTag, Text, Comment, End };
  Type type = Type::End;
  std::string name;  // lower-case tag name
  std::vector<std::pair<std::string, std::string>> attributes;  // values decoded, UTF-8
  bool selfClosing = false;
  std::u32string text;  // Text and Comment
};

class Tokenizer {
 public:
  explicit Tokenizer(std::u32string_view input) : in_(input) {}
  Token next();  // Type::End once the input is used up

 private:
  Token tag();
  // "<!--...-->"; anything else after "<!" or "<?" is a bogus comment up to '>'.
  Token comment(size_t p);
  Token bogusComment(size_t p);
  // Reads attributes from p to the tag's end; returns where the tag ends.
  size_t readAttributes(Token& t, size_t p);
  // "= value", quoted or not, after an attribute's name (empty when there is none).
  std::u32string readAttributeValue(size_t& p);
  Token rawText(const std::string& endTag);
  std::u32string_view in_;
  size_t pos_ = 0;
  std::string rawEnd_;  // set after a raw-text start tag
};

// Decodes character references in text ("&amp;", "&#20320;", "&#x4F60;", "&nbsp" without
// semicolon for the common names).
std::u32string decodeEntities(std::u32string_view text);

}  // namespace page
