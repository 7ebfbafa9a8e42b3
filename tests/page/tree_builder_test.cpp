// The tree builder: tag soup into a sound tree.
#include "page/parse/tree_builder.h"

#include <gtest/gtest.h>

#include "page/page.h"
#include "page/util/utf.h"

namespace page {
namespace {

// A compact picture of a subtree: tags with their children in parentheses, text quoted.
std::string shape(const Node& n) {
  if (n.type == Node::Type::Text) return "'" + toUtf8(n.text) + "'";
  std::string s = n.tag;
  if (!n.children.empty()) {
    s += "(";
    for (size_t i = 0; i < n.children.size(); ++i) s += (i ? " " : "") + shape(*n.children[i]);
    s += ")";
  }
  return s;
}

std::string bodyShape(std::u32string_view html) {
  DocumentTree d = parseDocument(html);
  return d.body ? shape(*d.body) : "(no body)";
}

TEST(TreeBuilder, ImpliesHtmlHeadAndBody) {
  DocumentTree d = parseDocument(U"<title>T</title>hello");
  ASSERT_NE(d.body, nullptr);
  EXPECT_EQ(d.title, U"T");
  EXPECT_EQ(shape(*d.body), "body('hello')");
  EXPECT_EQ(d.head->parent, d.html);
}

TEST(TreeBuilder, ParagraphsCloseEachOther) {
  EXPECT_EQ(bodyShape(U"<p>one<p>two<div>three</div>"), "body(p('one') p('two') div('three'))");
}

TEST(TreeBuilder, StrayEndTagsAreIgnored) {
  EXPECT_EQ(bodyShape(U"</div></span>a</b>b"), "body('ab')");
}

TEST(TreeBuilder, MisnestedInlineEndsAtTheOuterElement) {
  EXPECT_EQ(bodyShape(U"<b>1<i>2</b>3</i>"), "body(b('1' i('2')) '3')");
}

TEST(TreeBuilder, ListItemsCloseEachOther) {
  EXPECT_EQ(bodyShape(U"<ul><li>a<li>b</ul>"), "body(ul(li('a') li('b')))");
}

TEST(TreeBuilder, TableCellsAndRowsAreImplied) {
  EXPECT_EQ(bodyShape(U"<table><td>a<td>b<tr><td>c</table>x"),
            "body(table(tr(td('a') td('b')) tr(td('c'))) 'x')");
}

TEST(TreeBuilder, EndTagDoesNotCloseThroughACell) {
  EXPECT_EQ(bodyShape(U"<div><table><tr><td>a</div>b</td></tr></table>c</div>"),
            "body(div(table(tr(td('ab'))) 'c'))");
}

TEST(TreeBuilder, NestedTables) {
  EXPECT_EQ(bodyShape(U"<table><tr><td><table><tr><td>in</table>out</td></tr></table>"),
            "body(table(tr(td(table(tr(td('in'))) 'out'))))");
}

TEST(TreeBuilder, StyleSheetsAreCollected) {
  DocumentTree d = parseDocument(U"<style>.a{color:red}</style><body><style>b{}</style>");
  ASSERT_EQ(d.styleSheets.size(), 2u);
  EXPECT_EQ(d.styleSheets[0], U".a{color:red}");
}

TEST(TreeBuilder, BodyAttributesMerge) {
  DocumentTree d = parseDocument(U"<body bgcolor=red>x<body text=blue bgcolor=green>");
  ASSERT_NE(d.body->attribute("bgcolor"), nullptr);
  EXPECT_EQ(*d.body->attribute("bgcolor"), "red");
  ASSERT_NE(d.body->attribute("text"), nullptr);
}

TEST(TreeBuilder, FramesetReplacesBody) {
  DocumentTree d = parseDocument(U"<html><frameset cols='50%,*'><frame src=a.htm><frame src=b.htm></frameset>");
  EXPECT_EQ(d.body, nullptr);
  ASSERT_NE(d.frameset, nullptr);
  EXPECT_EQ(shape(*d.frameset), "frameset(frame frame)");
}

TEST(TreeBuilder, NestingIsCapped) {
  std::u32string html;
  for (int i = 0; i < 5000; ++i) html += U"<div>";
  html += U"deep";
  DocumentTree d = parseDocument(html);
  int depth = 0;
  const Node* n = d.body;
  while (n && !n->children.empty()) {
    n = n->children.front().get();
    ++depth;
  }
  EXPECT_LE(depth, kMaxDepth + 1);
  EXPECT_EQ(n->type, Node::Type::Element);  // the deepest kept element...
  EXPECT_EQ(d.nodeCount, 3 + 5000 + 1);  // html, head, body, the divs, the text
}

TEST(TreeBuilder, NodeCountIsCapped) {
  std::u32string html;
  for (int i = 0; i < kMaxNodes + 100; ++i) html += U"<br>";
  DocumentTree d = parseDocument(html);
  EXPECT_TRUE(d.truncated);
  EXPECT_LE(d.nodeCount, kMaxNodes + 1);
}

}  // namespace
}  // namespace page
