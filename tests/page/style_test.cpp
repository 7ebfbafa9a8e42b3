// Style resolution: presentational attributes, style sheets, style attributes, inheritance.
#include "page/style/resolve.h"

#include <gtest/gtest.h>

#include <functional>

#include "page/parse/tree_builder.h"

namespace page {
namespace {

// The computed style of the first element with the given id, along its ancestor chain.
struct Styled {
  DocumentTree doc;
  explicit Styled(std::u32string_view html) : doc(parseDocument(html)) {}
  ComputedStyle of(const std::string& id) {
    const Node* target = nullptr;
    std::function<void(const Node&)> find = [&](const Node& n) {
      if (target) return;
      if (n.type == Node::Type::Element && n.attribute("id") && *n.attribute("id") == id) target = &n;
      for (const auto& c : n.children) find(*c);
    };
    find(*doc.root);
    EXPECT_NE(target, nullptr) << id;
    if (!target) return {};
    std::vector<const Node*> chain;
    for (const Node* n = target; n && n->tag != "#document"; n = n->parent) chain.insert(chain.begin(), n);
    StyleResolver r(doc);
    ComputedStyle st = r.initial();
    for (const Node* n : chain) st = r.compute(*n, st);
    return st;
  }
};

TEST(Style, ParsesColours) {
  EXPECT_EQ(parseColor("#FF8000"), 0xFFFF8000u);
  EXPECT_EQ(parseColor("#f80"), 0xFFFF8800u);
  EXPECT_EQ(parseColor("ff0000"), 0xFFFF0000u);
  EXPECT_EQ(parseColor("Navy"), 0xFF000080u);
  EXPECT_EQ(parseColor("rgb(1, 2, 255)"), 0xFF0102FFu);
  EXPECT_FALSE(parseColor("#12345").has_value());
  EXPECT_FALSE(parseColor("nocolour").has_value());
}

TEST(Style, FontElementAttributes) {
  Styled s(U"<font color=#00ff00 size=5 face='Arial, SimSun'><b><i id=t>x</i></b></font>");
  ComputedStyle st = s.of("t");
  EXPECT_EQ(st.color, 0xFF00FF00u);
  EXPECT_EQ(st.font.pixelSize, 24);
  EXPECT_EQ(st.font.family, "Arial");
  EXPECT_TRUE(st.font.bold);
  EXPECT_TRUE(st.font.italic);
  Styled rel(U"<font size=+2><span id=t>x</span></font>");
  EXPECT_EQ(rel.of("t").font.pixelSize, 24);
}

TEST(Style, BodyColoursAndLinks) {
  Styled s(U"<body bgcolor=#000080 text=white link=yellow><a id=a href=x>x</a><a id=n name=y>y</a>");
  EXPECT_EQ(s.of("a").color, 0xFFFFFF00u);
  EXPECT_TRUE(s.of("a").font.underline);
  EXPECT_EQ(s.of("n").color, 0xFFFFFFFFu);
  EXPECT_FALSE(s.of("n").font.underline);
}

TEST(Style, SpecificityAndOrder) {
  Styled s(U"<style>p{color:red} .c{color:green} #i{color:blue} p.c{font-size:20px} .c{font-size:10px}</style>"
           U"<p id=i class=c>x</p><p id=j class=c>y</p><p id=k>z</p>");
  EXPECT_EQ(s.of("i").color, 0xFF0000FFu);
  EXPECT_EQ(s.of("j").color, 0xFF008000u);
  EXPECT_EQ(s.of("k").color, 0xFFFF0000u);
  EXPECT_EQ(s.of("j").font.pixelSize, 20);  // p.c is more specific than a later .c
}

TEST(Style, StyleAttributeWinsOverSheetsAndAttributes) {
  Styled s(U"<style>#t{color:red}</style><font color=blue><span id=t style='color:#010203; font-weight:bold'>x");
  ComputedStyle st = s.of("t");
  EXPECT_EQ(st.color, 0xFF010203u);
  EXPECT_TRUE(st.font.bold);
}

TEST(Style, DescendantSelectorsAndLinkPseudoClass) {
  Styled s(U"<style>td a {color:#111111} a:link{font-size:9pt} a:hover{color:red}</style>"
           U"<table><tr><td><a id=in href=x>x</a></td></tr></table><a id=out href=y>y</a>");
  EXPECT_EQ(s.of("in").color, 0xFF111111u);
  EXPECT_EQ(s.of("in").font.pixelSize, 12);
  EXPECT_EQ(s.of("out").color, 0xFF0000FFu);  // :hover never applies
}

TEST(Style, BoxProperties) {
  Styled s(U"<div id=d style='margin:1px 2px 3px; padding:4px; width:50%; height:20px; display:block;"
           U" background:#ff0000 url(bg.gif); overflow:hidden; text-align:center; text-decoration:underline'>");
  ComputedStyle st = s.of("d");
  EXPECT_EQ(st.margin.top, 1);
  EXPECT_EQ(st.margin.right, 2);
  EXPECT_EQ(st.margin.bottom, 3);
  EXPECT_EQ(st.margin.left, 2);
  EXPECT_EQ(st.padding.left, 4);
  EXPECT_EQ(st.width.unit, Length::Unit::Percent);
  EXPECT_EQ(st.width.value, 50);
  EXPECT_EQ(st.height.resolve(0, 0), 20);
  EXPECT_EQ(st.background, 0xFFFF0000u);
  EXPECT_EQ(st.backgroundImage, "bg.gif");
  EXPECT_EQ(st.overflow, Overflow::Hidden);
  EXPECT_EQ(st.textAlign, TextAlign::Center);
  EXPECT_TRUE(st.font.underline);
}

TEST(Style, InheritanceOfTextPropertiesOnly) {
  Styled s(U"<div style='color:red; background-color:blue; font-size:2em; border:1px solid'><span id=t>x");
  ComputedStyle st = s.of("t");
  EXPECT_EQ(st.color, 0xFFFF0000u);
  EXPECT_FALSE(st.background.has_value());
  EXPECT_EQ(st.font.pixelSize, 32);
  EXPECT_EQ(st.borderWidth, 0);
}

TEST(Style, DisplayNoneAndDefaults) {
  Styled s(U"<style>.h{display:none}</style><div class=h id=h></div><center id=c></center><h1 id=t>x</h1>");
  EXPECT_EQ(s.of("h").display, Display::None);
  EXPECT_EQ(s.of("c").textAlign, TextAlign::Center);
  EXPECT_EQ(s.of("t").font.pixelSize, 32);
  EXPECT_TRUE(s.of("t").font.bold);
}

TEST(Style, TableAttributes) {
  Styled s(U"<table width=300 border=1><tr valign=top align=right><td id=c nowrap bgcolor=yellow width=40%>x");
  ComputedStyle c = s.of("c");
  EXPECT_EQ(c.verticalAlign, VAlign::Top);
  EXPECT_EQ(c.textAlign, TextAlign::Right);
  EXPECT_EQ(c.whiteSpace, WhiteSpace::NoWrap);
  EXPECT_EQ(c.background, 0xFFFFFF00u);
  EXPECT_EQ(c.width.unit, Length::Unit::Percent);
}

TEST(Style, CommentedSheetAndAtRules) {
  Styled s(U"<style><!-- @media print { p {color:red} } /* x */ p { color : #00f !important } --></style><p id=p>");
  EXPECT_EQ(s.of("p").color, 0xFF0000FFu);
}

}  // namespace
}  // namespace page
