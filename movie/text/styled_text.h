#pragma once
// Field text with a format per character. Paragraphs end at '\r' (a field's line
// break); a paragraph's format is that of its first character.
#include <cstdint>
#include <string>
#include <vector>

#include "movie/text/text_format.h"

namespace movie::text {

class StyledText {
 public:
  const std::u32string& chars() const { return chars_; }
  size_t size() const { return chars_.size(); }
  const Format& formatAt(size_t i) const { return formats_[styles_[i]]; }
  // The format of the paragraph holding character i.
  const ParaFormat& paragraphAt(size_t i) const;

  void clear() { chars_.clear(); styles_.clear(); formats_.clear(); }
  void append(std::u32string_view text, const Format& format);
  // Replaces [begin, end) by text in the given format.
  void replace(size_t begin, size_t end, std::u32string_view text, const Format& format);
  // Applies a partial format to [begin, end); paragraph attributes go to whole paragraphs.
  void applyFormat(size_t begin, size_t end, const TextFormat& format);
  // What [begin, end) has in common (the character before begin when the range is empty).
  TextFormat commonFormat(size_t begin, size_t end) const;

 private:
  uint32_t styleOf(const Format& f);
  std::u32string chars_;
  std::vector<uint32_t> styles_;
  std::vector<Format> formats_;
};

// '\n' and "\r\n" become '\r', the one line break fields keep.
std::u32string normalizeBreaks(std::u32string_view text);

}  // namespace movie::text
