// Fonts, static text and text fields: parsing, glyph placement, the html subset, word
// wrap of mixed English and Chinese text with the system's faces, code pages, editing,
// and damaged records.
#include <gtest/gtest.h>

#include "movie/format/font_parser.h"
#include "movie/format/text_parser.h"
#include "movie/text/html_text.h"
#include "movie/text/text_field.h"
#include "movie_fixtures.h"
#include "test_font_service.h"
#include "tools/swf/text_writer.h"

namespace movie_test {
namespace {

using movie::text::StyledText;

// Box glyphs: 'A' 500 units wide, 'B' 300 wide, each advancing 600 / 400 (of 1024).
swf::Font boxFont(uint16_t id = 1, const std::string& name = "Boxes") {
  swf::Font f;
  f.id = id;
  f.name = name;
  f.glyphs.push_back(swf::boxGlyph('A', 0, -700, 500, 0, 600));
  f.glyphs.push_back(swf::boxGlyph('B', 0, -700, 300, 0, 400));
  f.glyphs.push_back(swf::boxGlyph(' ', 0, -10, 1, 0, 300));
  f.kerning.push_back({{'A', 'B'}, -100});
  return f;
}

movie::format::FontDef parsed(const swf::TagBody& tag, int version) {
  movie::format::FontDef font;
  std::string error;
  EXPECT_TRUE(movie::format::parseFont(tag.body.data(), tag.body.size(), version, 10, font, error)) << error;
  return font;
}

TEST(Fonts, DefineFont2KeepsCodesAdvancesLayoutAndKerning) {
  movie::format::FontDef font = parsed(swf::encodeDefineFont(boxFont(), 2), 2);
  ASSERT_EQ(font.glyphs.size(), 3u);
  EXPECT_EQ(font.name, "Boxes");
  EXPECT_EQ(font.glyphIndex('B'), 1);
  EXPECT_EQ(font.glyphs[1].advance, 400);
  EXPECT_EQ(font.ascent, 800);
  EXPECT_EQ(font.descent, 224);
  EXPECT_EQ(font.unitsPerEm, 1024);
  EXPECT_EQ((font.kerning.at({U'A', U'B'})), -100);
  EXPECT_EQ(font.glyphs[0].outline.edges.size(), 4u);
}

TEST(Fonts, AdvancesPast32767ReadUnsigned) {
  swf::Font f = boxFont();
  f.glyphs[1].advance = int16_t(40000 - 65536);  // stored as the 16 bits of 40000
  EXPECT_EQ(parsed(swf::encodeDefineFont(f, 3), 3).glyphs[1].advance, 40000);
}

TEST(Fonts, DefineFont3UsesTheFinerEmSquare) {
  EXPECT_EQ(parsed(swf::encodeDefineFont(boxFont(), 3), 3).unitsPerEm, 20480);
}

TEST(Fonts, DamagedFontsAreRefused) {
  swf::TagBody tag = swf::encodeDefineFont(boxFont(), 2);
  movie::format::FontDef font;
  std::string error;
  // Cut inside the glyph shapes.
  EXPECT_FALSE(movie::format::parseFont(tag.body.data(), 30, 2, 10, font, error));
  EXPECT_FALSE(error.empty());
  // A code table offset pointing past the end.
  swf::Bytes bad = tag.body;
  size_t codeTableAt = 2 + 1 + 1 + 1 + 5 + 2 + 4 * 3;
  bad[codeTableAt] = bad[codeTableAt + 1] = 0xFF;
  EXPECT_FALSE(movie::format::parseFont(bad.data(), bad.size(), 2, 10, font, error));
}

// A 100 x 100 stage with static text in the box font: glyphs 20 px high.
swf::Bytes staticTextMovie(int version = 1) {
  swf::TagList tags;
  tags.setBackgroundColor(swf::rgb(kWhite));
  swf::add(tags, swf::encodeDefineFont(boxFont(), 2));
  swf::TextRecord r;
  r.fontId = 1;
  r.height = swf::twips(20);
  r.color = swf::rgb(kBlue);
  r.x = int16_t(swf::twips(10));
  r.y = int16_t(swf::twips(50));
  r.glyphs = {{0, swf::twips(30)}, {1, swf::twips(30)}, {0, swf::twips(30)}};
  swf::add(tags, swf::encodeDefineText(2, {0, swf::twips(100), 0, swf::twips(100)}, swf::Matrix{}, {r}, version));
  tags.placeObject2(placeAt(1, 2));
  tags.showFrame();
  tags.end();
  return movieOf(tags);
}

TEST(StaticText, GlyphsLandAtTheirAdvancesInTheRecordColour) {
  movie::Player player;
  load(player, staticTextMovie());
  std::vector<uint32_t> px = renderPixels(player, 100, 100);
  auto at = [&](int x, int y) { return rgbOf(px[size_t(y) * 100 + x]); };
  // Glyph 'A' at x 10: 500/1024 * 20 px = 9.8 px wide, 700/1024 * 20 = 13.7 px above the baseline.
  EXPECT_EQ(at(14, 45), kBlue);
  EXPECT_EQ(at(14, 52), kWhite);  // below the baseline
  EXPECT_EQ(at(14, 34), kWhite);  // above the glyph
  // 'B' at x 40, 5.9 px wide; the gap after it is empty.
  EXPECT_EQ(at(42, 45), kBlue);
  EXPECT_EQ(at(48, 45), kWhite);
  EXPECT_EQ(at(25, 45), kWhite);
  // The second 'A' at x 70.
  EXPECT_EQ(at(74, 45), kBlue);
}

TEST(StaticText, DefineText2CarriesAlpha) {
  movie::Player player;
  load(player, staticTextMovie(2));
  std::vector<uint32_t> px = renderPixels(player, 100, 100);
  EXPECT_EQ(rgbOf(px[45 * 100 + 14]), kBlue);
}

// A glyph that is one arch: a curve from (0, 0) over (400, -780) to (800, 0), closed
// along the baseline. At a 1024-twip text height a font unit is a twip.
swf::Bytes archTextMovie() {
  swf::Font font;
  swf::FontGlyph arch;
  arch.code = 'n';
  int fill = arch.outline.addFill(swf::FillStyle::solid(swf::rgb(0)));
  arch.outline.setStyles(0, fill, 0);
  arch.outline.moveTo(0, 0);
  arch.outline.curveTo(400, -780, 800, 0);
  arch.outline.lineTo(0, 0);
  arch.advance = 800;
  font.glyphs.push_back(arch);
  swf::TagList tags;
  tags.setBackgroundColor(swf::rgb(kWhite));
  swf::add(tags, swf::encodeDefineFont(font, 2));
  swf::TextRecord r;
  r.fontId = 1;
  r.height = 1024;
  r.color = swf::rgb(kBlue);
  r.x = 217;  // 10.85 px
  r.y = 1206;  // 60.3 px
  r.glyphs = {{0, 800}};
  swf::add(tags, swf::encodeDefineText(2, {0, swf::twips(100), 0, swf::twips(100)}, swf::Matrix{}, {r}));
  tags.placeObject2(placeAt(1, 2));
  tags.showFrame();
  tags.end();
  return movieOf(tags);
}

TEST(StaticText, AliasedGlyphCurvesFollowTheCurveNotCoarseChords) {
  movie::Player player;
  load(player, archTextMovie());
  player.setQuality(movie::Quality::Low);
  std::vector<uint32_t> px = renderPixels(player, 100, 100);
  auto at = [&](int x, int y) { return rgbOf(px[size_t(y) * 100 + x]); };
  // At x 23.5 (t = 0.31625) the arch's top is at 60.3 - 2 t (1 - t) 39 = 43.434, just
  // above the centre of pixel (23, 43). Fifteen chords with their points on the twip
  // grid would pass at 43.558, below that centre.
  EXPECT_EQ(at(23, 43), kBlue);
  EXPECT_EQ(at(23, 42), kWhite);
  EXPECT_EQ(at(23, 44), kBlue);
}

TEST(StaticText, DamagedRecordsEndCleanly) {
  swf::TagBody tag = swf::encodeDefineText(2, {0, 2000, 0, 2000}, swf::Matrix{}, {swf::TextRecord{1, 240, swf::rgb(0), 0, 0, {{0, 100}}}});
  movie::format::StaticTextDef def;
  std::string error;
  for (size_t cut = 0; cut + 1 < tag.body.size(); ++cut)
    EXPECT_FALSE(movie::format::parseStaticText(tag.body.data(), cut, 1, def, error)) << cut;
  // A whole movie with damaged text still plays and shows its background.
  swf::TagList tags;
  tags.setBackgroundColor(swf::rgb(kGreen));
  tags.raw(swf::kTagDefineText, swf::Bytes{1, 0, 0x50});
  tags.raw(swf::kTagDefineFont2, swf::Bytes{1, 0, 0x80});
  tags.raw(swf::kTagDefineEditText, swf::Bytes{3, 0});
  tags.placeObject2(placeAt(1, 1));
  tags.placeObject2(placeAt(2, 3));
  tags.showFrame();
  tags.end();
  movie::Player player;
  load(player, movieOf(tags));
  EXPECT_NE(player.state(), movie::LoadState::Failed);
  EXPECT_EQ(rgbOf(renderPixels(player, 100, 100)[5050]), kGreen);
}

// Fields laid out with embedded box fonts: every advance is known exactly.
class FieldLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    swf::TagBody font = swf::encodeDefineFont(boxFont(), 2);
    auto def = std::make_shared<movie::format::FontDef>(parsed(font, 2));
    movie::format::Character c;
    c.kind = movie::format::Character::Font;
    c.font = def;
    characters_[1] = c;
  }

  std::shared_ptr<movie::text::TextField> field(bool html, bool wordWrap, int widthPx, const std::string& text) {
    swf::EditText e;
    e.id = 2;
    e.bounds = {0, swf::twips(widthPx), 0, swf::twips(100)};
    e.fontId = 1;
    e.height = swf::twips(20);
    e.useOutlines = true;
    e.html = html;
    e.wordWrap = wordWrap;
    e.multiline = true;
    e.text = text;
    swf::TagBody tag = swf::encodeDefineEditText(e);
    auto def = std::make_shared<movie::format::EditTextDef>();
    std::string error;
    EXPECT_TRUE(movie::format::parseEditText(tag.body.data(), tag.body.size(), 10, *def, error)) << error;
    return std::make_shared<movie::text::TextField>(def, characters_);
  }

  movie::format::CharacterTable characters_;
  movie::text::FontLibrary fonts_{characters_, nullptr};
};

TEST_F(FieldLayout, PlainTextUsesAdvancesAndKerningOnlyWhenAsked) {
  auto f = field(false, false, 200, "AB A");
  const auto& l = f->layout(fonts_);
  ASSERT_EQ(l.glyphs.size(), 3u);  // spaces draw nothing
  // 20 px = 400 twips; advances and the ascent drop their fractions of a twip.
  EXPECT_FLOAT_EQ(l.glyphs[0].x, 0);
  EXPECT_FLOAT_EQ(l.glyphs[1].x, 234);  // 600/1024 * 400 = 234.375
  EXPECT_FLOAT_EQ(l.glyphs[2].x, 234 + 156 + 117);  // B 156.25, space 117.1875
  EXPECT_FLOAT_EQ(l.lines[0].baseline, 312);  // 800/1024 * 400 = 312.5
}

TEST_F(FieldLayout, CentredLinesStartOnWholeTwips) {
  // Text area 196 px = 3920 twips; "AB A" inks 234 + 156 + 117 + 234 = 741 twips, so
  // the line starts half of 3179 in, 1589.5, cut to 1589.
  auto f = field(true, false, 200, "<p align=\"center\">AB A</p>");
  const auto& l = f->layout(fonts_);
  ASSERT_EQ(l.glyphs.size(), 3u);
  EXPECT_FLOAT_EQ(l.glyphs[0].x, 1589);
  EXPECT_FLOAT_EQ(l.glyphs[1].x, 1589 + 234);
  EXPECT_FLOAT_EQ(l.glyphs[2].x, 1589 + 234 + 156 + 117);
}

TEST_F(FieldLayout, HtmlSubsetSetsFormatsParagraphsAndEntities) {
  auto f = field(true, false, 400, "<p align=\"center\"><b>A</b>&amp;<font size=\"40\" color=\"#FF0000\">B</font></p>"
                                   "<p>A<br>B</p><li>A</li><textformat leftmargin=\"10\" indent=\"5\">A</textformat>");
  std::u32string text = f->text();
  EXPECT_EQ(text, U"A&B\rA\rB\rA\rA");
  movie::text::TextFormat b = f->textFormat(2, 3);
  EXPECT_EQ(*b.size, 40);
  EXPECT_EQ(b.color->r, 255);
  EXPECT_EQ(*f->textFormat(0, 1).bold, true);
  EXPECT_EQ(*f->textFormat(0, 1).align, movie::text::Align::Center);
  EXPECT_FALSE(f->textFormat(0, 3).size.has_value());  // mixed
  EXPECT_TRUE(*f->textFormat(8, 9).bullet);
  EXPECT_EQ(*f->textFormat(10, 11).leftMargin, 10);
  const auto& l = f->layout(fonts_);
  ASSERT_EQ(l.lines.size(), 5u);
  // Centred: the line's ink sits in the middle of the 360-pixel text area.
  float mid = l.lines[0].left + l.lines[0].width / 2;
  EXPECT_NEAR(mid, (400 - 4) * 20 / 2.0f, 1);
  // The 40-pixel B makes the first line twice as tall, up to the twip fractions each
  // size's ascent and descent drop (800 twips against 2 * 399).
  EXPECT_NEAR(l.lines[0].height, 2 * l.lines[1].height, 2);
  // Left margin 10 px and indent 5 px on the last paragraph.
  EXPECT_NEAR(l.lines[4].left, 15 * 20, 0.01);
  // Html comes back with one P per paragraph and the field's face.
  std::u32string html = f->htmlText();
  EXPECT_NE(html.find(U"<P ALIGN=\"CENTER\"><FONT FACE=\"Boxes\" SIZE=\"20\""), std::u32string::npos) << std::string(html.begin(), html.end());
}

TEST_F(FieldLayout, WordWrapBreaksAtSpaces) {
  // Each "AAA" is 3 * 600/1024 * 20 px = 35.2 px; the text area of a 90-pixel field is 86 px.
  auto f = field(false, true, 90, "AAA AAA AAA");
  const auto& l = f->layout(fonts_);
  ASSERT_EQ(l.lines.size(), 2u);
  EXPECT_EQ(l.lines[0].end, 8u);  // "AAA AAA " stays on the first line
  EXPECT_EQ(l.lines[1].begin, 8u);
  EXPECT_FLOAT_EQ(l.glyphs[6].x, 0);  // the third word starts the second line
}

TEST_F(FieldLayout, TypingDeletingAndSelectingEditTheText) {
  auto f = field(false, false, 200, "AB");
  auto s = f->settings();
  s.input = true;
  f->changeSettings(s);
  EXPECT_FALSE(f->typeChar('A'));  // not focused
  f->setFocus(true);
  f->setSelection(2, 2);
  EXPECT_TRUE(f->typeChar('A'));
  EXPECT_EQ(f->text(), U"ABA");
  EXPECT_TRUE(f->editKey(movie::text::EditKey::Left, fonts_));
  EXPECT_TRUE(f->editKey(movie::text::EditKey::Backspace, fonts_));
  EXPECT_EQ(f->text(), U"AA");
  // A drag from the left edge past the first glyph selects it; typing replaces it.
  EXPECT_TRUE(f->pointerDown(40, 100, fonts_));
  f->pointerDrag(40 + 600.0f / 1024 * 400, 100, fonts_);
  EXPECT_EQ(f->selectionBegin(), 0u);
  EXPECT_EQ(f->selectionEnd(), 1u);
  EXPECT_TRUE(f->typeChar('B'));
  EXPECT_EQ(f->text(), U"BA");
  // maxChars holds.
  s = f->settings();
  s.maxChars = 2;
  f->changeSettings(s);
  EXPECT_FALSE(f->typeChar('A'));
}

TEST(CodePages, TextBeforeVersion6IsGbkAndFromVersion6Utf8) {
  swf::EditText e;
  e.bounds = {0, 2000, 0, 2000};
  e.text = "Hi\xC4\xE3\xBA\xC3";  // Hi你好 in GBK
  swf::TagBody tag = swf::encodeDefineEditText(e);
  movie::format::EditTextDef def;
  std::string error;
  ASSERT_TRUE(movie::format::parseEditText(tag.body.data(), tag.body.size(), 5, def, error));
  EXPECT_EQ(def.initialText, U"Hi你好");
  e.text = "Hi\xE4\xBD\xA0\xE5\xA5\xBD";  // the same in UTF-8
  tag = swf::encodeDefineEditText(e);
  ASSERT_TRUE(movie::format::parseEditText(tag.body.data(), tag.body.size(), 6, def, error));
  EXPECT_EQ(def.initialText, U"Hi你好");
}

// The tests' device fonts are the set-up's faces: each generic name finds its own, bold
// finds a bold file, and Chinese characters fall back to the Chinese face.
TEST(DeviceText, TestFacesAreTheSetUpsOwn) {
  TestFontService service;
  auto file = [&](const char* name, bool bold = false) {
    std::string path = service.fileFor({name, bold});
    return path.substr(path.find_last_of('/') + 1);
  };
  EXPECT_EQ(file("_sans"), "DejaVuSans.ttf");
  EXPECT_EQ(file("_sans", true), "DejaVuSans-Bold.ttf");
  EXPECT_EQ(file("_serif"), "DejaVuSerif.ttf");
  EXPECT_EQ(file("_typewriter"), "DejaVuSansMono.ttf");
  movie::text::DeviceGlyph g;
  EXPECT_TRUE(service.glyph({"_sans"}, U'你', g));
  EXPECT_FALSE(g.path.empty());
}

// A configuration that cannot be read leaves the service without faces, not broken.
TEST(DeviceText, UnreadableConfigurationFindsNoFace) {
  hosts::FreetypeFontService service("/nonexistent/fonts.conf");
  movie::text::DeviceGlyph g;
  EXPECT_EQ(service.fileFor({"_sans"}), "");
  EXPECT_FALSE(service.glyph({"_sans"}, U'A', g));
  EXPECT_EQ(service.metrics({"_sans"}).ascent, 0);
}

// Device text through the system's faces (FreeType and fontconfig).
TEST(DeviceText, MixedEnglishAndChineseWrapsBetweenCharacters) {
  TestFontService service;
  movie::text::DeviceGlyph g;
  if (!service.glyph({"_sans"}, U'你', g)) GTEST_SKIP() << "no face with Chinese characters is installed";
  movie::format::CharacterTable none;
  movie::text::FontLibrary fonts(none, &service);
  StyledText text;
  movie::text::Format f;
  f.chars.font = "_sans";
  f.chars.size = 20;
  text.append(U"Hello 你好世界朋友们", f);
  movie::text::LayoutOptions o;
  o.wordWrap = true;
  // Room for "Hello " and about three Chinese characters (20 px each).
  o.width = 130 * 20;
  movie::text::TextLayout l = movie::text::layoutText(text, fonts, o);
  ASSERT_GE(l.lines.size(), 2u);
  EXPECT_EQ(l.glyphs.size(), 5u + 7u);  // every character found a face
  // The first line breaks inside the Chinese run, not at the space only.
  EXPECT_GT(l.lines[0].end, 6u);
  EXPECT_LT(l.lines[0].end, text.size());
  for (const auto& line : l.lines) EXPECT_LE(line.left + line.width, o.width + 1);
  // A Chinese glyph is about one em wide.
  size_t i = 6;
  EXPECT_NEAR(l.charRight[i] - l.charLeft[i], 400, 40);
}

}  // namespace
}  // namespace movie_test

namespace movie_test {
namespace {

// An empty input field in the box font over the whole 100 x 100 stage.
swf::Bytes inputFieldMovie() {
  swf::TagList tags;
  tags.setBackgroundColor(swf::rgb(kWhite));
  swf::add(tags, swf::encodeDefineFont(boxFont(), 2));
  swf::EditText e;
  e.id = 2;
  e.bounds = {0, swf::twips(100), 0, swf::twips(100)};
  e.fontId = 1;
  e.height = swf::twips(20);
  e.color = swf::rgb(kBlue);
  e.useOutlines = true;
  e.readOnly = false;
  e.text = "";
  swf::add(tags, swf::encodeDefineEditText(e));
  tags.placeObject2(placeAt(1, 2));
  tags.showFrame();
  tags.end();
  return movieOf(tags);
}

int blueIn(const std::vector<uint32_t>& px) {
  int n = 0;
  for (uint32_t p : px) n += rgbOf(p) == kBlue;
  return n;
}

TEST(FieldInput, AClickFocusesTheFieldAndTypingShowsTheText) {
  movie::Player player;
  load(player, inputFieldMovie());
  EXPECT_EQ(blueIn(renderPixels(player, 100, 100)), 0);
  EXPECT_FALSE(player.typeChar('A'));  // nothing focused yet
  EXPECT_TRUE(player.pointerDown(50, 50));
  player.pointerUp();
  EXPECT_TRUE(player.typeChar('A'));
  EXPECT_TRUE(player.typeChar('A'));
  int two = blueIn(renderPixels(player, 100, 100));
  EXPECT_GT(two, 2 * 100);  // two boxes of about 10 x 14 pixels
  EXPECT_TRUE(player.editKey(movie::text::EditKey::Backspace));
  int one = blueIn(renderPixels(player, 100, 100));
  EXPECT_LT(one, two * 3 / 4);
  EXPECT_GT(one, 100);
  // A press outside every field takes the focus away: typing does nothing.
  player.pointerDown(200, 200);
  EXPECT_FALSE(player.typeChar('A'));
}

}  // namespace
}  // namespace movie_test
