// The tokenizer on tag soup.
#include "page/parse/tokenizer.h"

#include <gtest/gtest.h>

#include "page/util/utf.h"

namespace page {
namespace {

std::vector<Token> tokens(std::u32string_view html) {
  Tokenizer t(html);
  std::vector<Token> out;
  for (int i = 0; i < 1000; ++i) {
    Token tok = t.next();
    if (tok.type == Token::Type::End) break;
    out.push_back(std::move(tok));
  }
  return out;
}

TEST(Tokenizer, AttributesQuotedUnquotedAndBare) {
  auto t = tokens(U"<TD Width=120 bgcolor='#FF0000' title=\"a b\" nowrap>x");
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].type, Token::Type::StartTag);
  EXPECT_EQ(t[0].name, "td");
  ASSERT_EQ(t[0].attributes.size(), 4u);
  EXPECT_EQ(t[0].attributes[0], (std::pair<std::string, std::string>{"width", "120"}));
  EXPECT_EQ(t[0].attributes[1].second, "#FF0000");
  EXPECT_EQ(t[0].attributes[2].second, "a b");
  EXPECT_EQ(t[0].attributes[3], (std::pair<std::string, std::string>{"nowrap", ""}));
  EXPECT_EQ(t[1].text, U"x");
}

TEST(Tokenizer, DuplicateAttributeKeepsTheFirst) {
  auto t = tokens(U"<a href=one href=two>");
  ASSERT_EQ(t.size(), 1u);
  ASSERT_EQ(t[0].attributes.size(), 1u);
  EXPECT_EQ(t[0].attributes[0].second, "one");
}

TEST(Tokenizer, CommentsAndDoctypeAreNotText) {
  auto t = tokens(U"<!DOCTYPE html><!-- <b>hidden</b> -->shown<?xml x?>");
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[0].type, Token::Type::Comment);
  EXPECT_EQ(t[1].type, Token::Type::Comment);
  EXPECT_EQ(t[1].text, U" <b>hidden</b> ");
  EXPECT_EQ(t[2].text, U"shown");
  EXPECT_EQ(t[3].type, Token::Type::Comment);
}

TEST(Tokenizer, UnterminatedCommentRunsToTheEnd) {
  auto t = tokens(U"a<!-- never closed <p>");
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[1].type, Token::Type::Comment);
}

TEST(Tokenizer, ScriptAndStyleAreRawText) {
  auto t = tokens(U"<script>if (a<b && c>d) document.write('</p>')</SCRIPT>after");
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[0].name, "script");
  EXPECT_EQ(t[1].type, Token::Type::Text);
  EXPECT_EQ(t[1].text, U"if (a<b && c>d) document.write('</p>')");
  EXPECT_EQ(t[2].type, Token::Type::EndTag);
  EXPECT_EQ(t[2].name, "script");
  EXPECT_EQ(t[3].text, U"after");
}

TEST(Tokenizer, NamedAndNumericEntities) {
  EXPECT_EQ(decodeEntities(U"a&amp;b &lt;&gt; &quot;&nbsp;&copy;"), U"a&b <> \"\u00A0\u00A9");
  EXPECT_EQ(decodeEntities(U"&#20320;&#x597D;&#X41;"), U"你好A");
  EXPECT_EQ(decodeEntities(U"&nbsp &amp x"), U"\u00A0 & x");     // common names without ';'
  EXPECT_EQ(decodeEntities(U"&bogus; & &#; &#xZZ;"), U"&bogus; & &#; &#xZZ;");
  EXPECT_EQ(decodeEntities(U"&#150;&#0;&#x110000;"), U"\u2013\uFFFD\uFFFD");
}

TEST(Tokenizer, EntitiesInAttributeValues) {
  auto t = tokens(U"<a href=\"x.asp?a=1&amp;b=2\">");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].attributes[0].second, "x.asp?a=1&b=2");
}

TEST(Tokenizer, LoneLessThanIsText) {
  auto t = tokens(U"1 < 2 <3 <");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].text, U"1 < 2 <3 <");
}

TEST(Tokenizer, UnclosedTagEndsAtTheNextTag) {
  auto t = tokens(U"<b class=x <i>y");
  ASSERT_GE(t.size(), 3u);
  EXPECT_EQ(t[0].name, "b");
  EXPECT_EQ(t[1].name, "i");
  EXPECT_EQ(t[2].text, U"y");
}

TEST(Tokenizer, SelfClosingAndEndTags) {
  auto t = tokens(U"<br/><img src=a.gif /></P>");
  ASSERT_EQ(t.size(), 3u);
  EXPECT_TRUE(t[0].selfClosing);
  EXPECT_TRUE(t[1].selfClosing);
  EXPECT_EQ(t[1].attributes[0].second, "a.gif");
  EXPECT_EQ(t[2].type, Token::Type::EndTag);
  EXPECT_EQ(t[2].name, "p");
}

}  // namespace
}  // namespace page
