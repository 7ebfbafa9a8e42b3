#include "movie/text/styled_text.h"

#include <algorithm>

namespace movie::text {
namespace {

constexpr size_t kMaxFormats = 4096;

}  // namespace

uint32_t StyledText::styleOf(const Format& f) {
  for (size_t i = 0; i < formats_.size(); ++i)
    if (formats_[i] == f) return uint32_t(i);
  if (formats_.size() >= kMaxFormats) return uint32_t(formats_.size() - 1);  // hostile variety
  formats_.push_back(f);
  return uint32_t(formats_.size() - 1);
}

const ParaFormat& StyledText::paragraphAt(size_t i) const {
  static const ParaFormat none;
  if (chars_.empty()) return none;
  size_t start = std::min(i, chars_.size());
  while (start > 0 && chars_[start - 1] != U'\r') --start;
  return formats_[styles_[std::min(start, chars_.size() - 1)]].para;
}

void StyledText::append(std::u32string_view text, const Format& format) {
  replace(chars_.size(), chars_.size(), text, format);
}

void StyledText::replace(size_t begin, size_t end, std::u32string_view text, const Format& format) {
  end = std::min(end, chars_.size());
  begin = std::min(begin, end);
  uint32_t style = styleOf(format);
  chars_.replace(begin, end - begin, text);
  styles_.erase(styles_.begin() + long(begin), styles_.begin() + long(end));
  styles_.insert(styles_.begin() + long(begin), text.size(), style);
}

void StyledText::applyFormat(size_t begin, size_t end, const TextFormat& format) {
  end = std::min(end, chars_.size());
  if (begin >= end) return;
  // Paragraph attributes reach from the start of the first paragraph to the end of the last.
  size_t paraBegin = begin, paraEnd = end;
  while (paraBegin > 0 && chars_[paraBegin - 1] != U'\r') --paraBegin;
  while (paraEnd < chars_.size() && chars_[paraEnd - 1] != U'\r') ++paraEnd;
  TextFormat charsOnly = format, paraOnly = format;
  charsOnly.align.reset();
  charsOnly.leftMargin.reset();
  charsOnly.rightMargin.reset();
  charsOnly.indent.reset();
  charsOnly.blockIndent.reset();
  charsOnly.leading.reset();
  charsOnly.bullet.reset();
  charsOnly.tabStops.reset();
  paraOnly = TextFormat{};
  paraOnly.align = format.align;
  paraOnly.leftMargin = format.leftMargin;
  paraOnly.rightMargin = format.rightMargin;
  paraOnly.indent = format.indent;
  paraOnly.blockIndent = format.blockIndent;
  paraOnly.leading = format.leading;
  paraOnly.bullet = format.bullet;
  paraOnly.tabStops = format.tabStops;
  for (size_t i = paraBegin; i < paraEnd; ++i) {
    Format f = formats_[styles_[i]];
    if (i >= begin && i < end) charsOnly.applyTo(f);
    paraOnly.applyTo(f);
    styles_[i] = styleOf(f);
  }
}

TextFormat StyledText::commonFormat(size_t begin, size_t end) const {
  if (chars_.empty()) return TextFormat{};
  end = std::min(end, chars_.size());
  if (begin >= end) return TextFormat::of(formats_[styles_[begin > 0 ? std::min(begin, chars_.size()) - 1 : 0]]);
  TextFormat common = TextFormat::of(formats_[styles_[begin]]);
  for (size_t i = begin + 1; i < end; ++i)
    if (styles_[i] != styles_[i - 1]) common.intersect(TextFormat::of(formats_[styles_[i]]));
  return common;
}

std::u32string normalizeBreaks(std::u32string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') continue;
    out += text[i] == U'\n' ? U'\r' : text[i];
  }
  return out;
}

}  // namespace movie::text
