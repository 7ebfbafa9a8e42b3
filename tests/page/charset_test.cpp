// Charset selection (header, then meta, then GBK) and decoding.
#include "page/decode/charset.h"
#include "textcodec/gbk.h"

#include <gtest/gtest.h>

#include <string>

namespace page {
namespace {

const uint8_t* bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

TEST(Charset, HeaderWinsOverMeta) {
  std::string html = "<meta http-equiv=Content-Type content=\"text/html; charset=gb2312\">";
  EXPECT_EQ(selectCharset("text/html; charset=UTF-8", bytes(html), html.size()), Charset::Utf8);
}

TEST(Charset, MetaWhenTheHeaderHasNone) {
  std::string a = "<html><head><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">";
  EXPECT_EQ(selectCharset("text/html", bytes(a), a.size()), Charset::Utf8);
  std::string b = "<meta charset='iso-8859-1'>";
  EXPECT_EQ(selectCharset("", bytes(b), b.size()), Charset::Latin1);
}

TEST(Charset, GbkByDefault) {
  std::string html = "<html><body>\xC4\xE3\xBA\xC3</body>";
  EXPECT_EQ(selectCharset("text/html", bytes(html), html.size()), Charset::Gbk);
  EXPECT_EQ(selectCharset("text/html; charset=klingon", bytes(html), html.size()), Charset::Gbk);
}

TEST(Charset, Utf8ByteOrderMark) {
  std::string html = "\xEF\xBB\xBF<meta charset=gbk>";
  EXPECT_EQ(selectCharset("", bytes(html), html.size()), Charset::Utf8);
}

TEST(Charset, NamesOfTheGbkFamily) {
  for (const char* n : {"GB2312", "gbk", "GB18030", "cp936", "x-gbk"})
    EXPECT_EQ(charsetFromName(n), Charset::Gbk) << n;
  EXPECT_FALSE(charsetFromName("shift_jis").has_value());
}

TEST(Charset, DecodesGbk) {
  std::string s = "Hi\xC4\xE3\xBA\xC3\xA3\xAC\x80";  // Hi你好，€
  EXPECT_EQ(decodeText(bytes(s), s.size(), Charset::Gbk), U"Hi你好，\u20AC");
  // Extension area (GBK beyond GB2312): 0x8140 is U+4E02.
  EXPECT_EQ(textcodec::gbkToUnicode(0x81, 0x40), U'\u4E02');
  EXPECT_EQ(textcodec::gbkToUnicode(0x81, 0x7F), 0u);
}

TEST(Charset, BrokenGbkBecomesReplacementCharacters) {
  std::string s = "a\xC4";  // a lead byte at the end
  EXPECT_EQ(decodeText(bytes(s), s.size(), Charset::Gbk), U"a\uFFFD");
  std::string t = "\xFF" "b\x81\x30z";  // 0xFF is no lead byte; 0x30 cannot be a trail byte
  EXPECT_EQ(decodeText(bytes(t), t.size(), Charset::Gbk), U"\uFFFDb\uFFFD0z");
}

TEST(Charset, DecodesUtf8AndRejectsOverlongForms) {
  std::string s = "\xE4\xBD\xA0\xC0\xAF\xED\xA0\x80!";
  std::u32string d = decodeText(bytes(s), s.size(), Charset::Utf8);
  EXPECT_EQ(d.substr(0, 1), U"你");
  EXPECT_EQ(d.back(), U'!');
  EXPECT_EQ(d.find(U'/'), std::u32string::npos);  // C0 AF is no slash
}

TEST(Charset, Latin1MapsBytesToCodePoints) {
  std::string s = "caf\xE9";
  EXPECT_EQ(decodeText(bytes(s), s.size(), Charset::Latin1), U"caf\u00E9");
}

}  // namespace
}  // namespace page
