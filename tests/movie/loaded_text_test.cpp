// Text fields of movies loaded into levels above the main one or into clips, and of
// characters imported from other movies: scripts measure them, a click places their caret
// and the keyboard edits them with their own movie's fonts, and Tab and Selection reach
// them.
#include <gtest/gtest.h>

#include <functional>

#include "fetch_run.h"
#include "movie/text/text_field.h"
#include "movie_fixtures.h"
#include "tools/swf/actions.h"
#include "tools/swf/text_writer.h"

namespace {

using swf::Actions;
using Lines = std::vector<std::string>;
using movie_test::FetchRun;

constexpr int kTab = 0x09;
constexpr uint16_t kTextHeight = 400;  // twips: 20 pixels

// A font named "Squares" whose 'A' advances by `advance` units of the 1024 em and whose
// lines are ascent + descent units high.
swf::Font squares(int16_t advance, uint16_t ascent, uint16_t descent) {
  swf::Font f;
  f.id = 1;
  f.name = "Squares";
  f.ascent = ascent;
  f.descent = descent;
  f.glyphs.push_back(swf::boxGlyph('A', 0, -int32_t(ascent), advance, 0, advance));
  return f;
}

// The main movie's font: 'A' is 5 pixels wide at 20 pixels, lines 20 pixels high.
swf::Font narrowSquares() { return squares(256, 800, 224); }
// A loaded movie's font of the same name: 'A' is 20 pixels wide, lines 40 pixels high.
swf::Font wideSquares() { return squares(1024, 1600, 448); }

// A 100 x 100 pixel field with the given text in font 1 (none: no font named).
swf::EditText squaresField(uint16_t id, const std::string& text, bool input, std::optional<uint16_t> font = 1) {
  swf::EditText e;
  e.id = id;
  e.bounds = {0, swf::twips(100), 0, swf::twips(100)};
  e.text = text;
  e.fontId = font;
  e.height = kTextHeight;
  e.useOutlines = true;
  e.multiline = true;
  e.readOnly = !input;
  return e;
}

// Places a character under a name (depth, id and pixel position as placeAt takes them).
void placeNamed(swf::TagList& tags, const std::string& name, uint16_t depth, uint16_t id, double x = 0, double y = 0) {
  swf::Place p = movie_test::placeAt(depth, id, x, y);
  p.name = name;
  tags.placeObject2(p);
}

// Fields "w" (dynamic, selectable: "AAAA" at the top) and "t" (input: six lines of "A"
// below it, at y 100), with the font given, on one frame that stops.
swf::Bytes fieldsMovie(const std::function<void(swf::TagList&)>& font, std::optional<uint16_t> fontId = 1) {
  swf::TagList tags;
  if (font) font(tags);
  swf::add(tags, swf::encodeDefineEditText(squaresField(2, "AAAA", false, fontId)));
  swf::add(tags, swf::encodeDefineEditText(squaresField(3, "A\rA\rA\rA\rA\rA", true, fontId)));
  placeNamed(tags, "w", 1, 2);
  placeNamed(tags, "t", 2, 3, 0, 100);
  Actions stop;
  swf::doAction(tags, stop.op(Actions::kStop));
  tags.showFrame();
  tags.end();
  return movie_test::movieOf(tags, 100, 200);
}

void addFont(swf::TagList& tags, const swf::Font& font) { swf::add(tags, swf::encodeDefineFont(font, 2)); }

// The main movie: the narrow font and the same fields; frame 1 loads child.swf into level
// 1, each further frame runs its actions, the last one stops.
swf::Bytes mainMovie(const std::vector<Actions>& frames) {
  swf::TagList tags;
  addFont(tags, narrowSquares());
  swf::add(tags, swf::encodeDefineEditText(squaresField(2, "AAAA", false)));
  placeNamed(tags, "w", 1, 2);
  Actions load;
  load.getUrl("child.swf", "_level1");
  swf::doAction(tags, load);
  tags.showFrame();
  for (size_t i = 0; i < frames.size(); ++i) {
    Actions a = frames[i];
    if (i + 1 == frames.size()) a.op(Actions::kStop);
    swf::doAction(tags, a);
    tags.showFrame();
  }
  tags.end();
  return movie_test::movieOf(tags, 100, 200);
}

Actions& traceAll(Actions& a, const std::vector<std::string>& names) {
  for (const std::string& name : names) a.traceVariable(name);
  return a;
}

// Selection.method() traced.
Actions& traceSelection(Actions& a, const std::string& method) {
  a.push({0, "Selection"}).op(Actions::kGetVariable).push({method}).op(Actions::kCallMethod).op(Actions::kTrace);
  return a;
}

// The main movie with frames that run after the child arrived (frame 2 is the one it
// arrives in), the child answered and shown.
struct LoadedRun : FetchRun {
  LoadedRun(const std::vector<Actions>& frames, const swf::Bytes& child) : FetchRun(mainMovie(frames)) {
    player.setViewport(100, 200);
    answer(0, child);
    player.tick();
  }
  void press(int key) {
    player.keyDown(key, key == kTab ? U'\t' : 0);
    player.keyUp(key);
  }
};

TEST(LoadedText, ScriptsMeasureALevelsFieldsWithThatMoviesFonts) {
  Actions measure;
  traceAll(measure, {"_level0.w.textWidth", "_level1.w.textWidth", "_level1.t.maxscroll", "_level1.t.bottomScroll"});
  LoadedRun run({Actions{}, measure}, fieldsMovie([](swf::TagList& t) { addFont(t, wideSquares()); }));
  run.player.tick();
  // Four 'A's: 5 pixels each in the main movie's font, 20 in the loaded one's; its
  // 40-pixel lines show two at a time in the field's 96 pixels inside the gutters.
  EXPECT_EQ(run.lines, (Lines{"20", "80", "5", "2"}));
}

TEST(LoadedText, AClickPlacesTheCaretByTheLoadedFontsAdvances) {
  Actions after;
  traceSelection(after, "getFocus");
  traceSelection(after, "getCaretIndex");
  LoadedRun run({Actions{}, after}, fieldsMovie([](swf::TagList& t) { addFont(t, wideSquares()); }));
  // 2 pixels of gutter, then 20 pixels a letter: 45 is nearer the end of the second.
  run.player.pointerDown(47, 30);
  run.player.pointerUp();
  run.player.tick();
  EXPECT_EQ(run.lines, (Lines{"_level1.w", "2"}));
}

TEST(LoadedText, TabReachesALevelsInputFieldAndTheKeysEditItWithItsFonts) {
  Actions after;
  traceSelection(after, "getFocus");
  traceAll(after, {"_level1.t.scroll", "_level1.t.text"});
  LoadedRun run({Actions{}, after}, fieldsMovie([](swf::TagList& t) { addFont(t, wideSquares()); }));
  run.press(kTab);  // the only field in the tab order: the selectable one takes no Tab
  // The caret stands at the end; Up takes it to line 5, which shows with line 4 in the
  // 40-pixel lines of the loaded font.
  EXPECT_TRUE(run.player.editKey(movie::text::EditKey::Up));
  EXPECT_TRUE(run.player.editKey(movie::text::EditKey::Home));
  EXPECT_TRUE(run.player.typeChar('A'));
  run.player.tick();
  EXPECT_EQ(run.lines, (Lines{"_level1.t", "4", "A\rA\rA\rA\rAA\rA"}));
}

TEST(LoadedText, ScriptsFocusALevelsFieldByItsPath) {
  Actions focus;
  focus.push({"_level1.t", 1, "Selection"}).op(Actions::kGetVariable).push({"setFocus"}).op(Actions::kCallMethod);
  focus.op(Actions::kTrace);
  traceSelection(focus, "getFocus");
  Actions after;
  traceAll(after, {"_level1.t.scroll"});
  LoadedRun run({Actions{}, focus, after}, fieldsMovie([](swf::TagList& t) { addFont(t, wideSquares()); }));
  run.player.tick();
  // Down from the last line stays there and shows it: lines 5 and 6 fill the field.
  EXPECT_TRUE(run.player.editKey(movie::text::EditKey::Down));
  run.player.tick();
  EXPECT_EQ(run.lines, (Lines{"true", "_level1.t", "5"}));
}

TEST(LoadedText, ALoadedMovieWithoutFontsOrWithAMissingFontEndsCleanly) {
  for (std::optional<uint16_t> fontId : {std::optional<uint16_t>{1}, std::optional<uint16_t>{}}) {
    Actions measure;
    traceAll(measure, {"_level1.w.textWidth", "_level1.t.maxscroll"});
    Actions after;
    traceSelection(after, "getFocus");
    traceAll(after, {"_level1.t.text"});
    LoadedRun run({Actions{}, measure, after}, fieldsMovie({}, fontId));
    run.player.tick();
    run.press(kTab);
    EXPECT_TRUE(run.player.typeChar('B'));
    EXPECT_TRUE(run.player.editKey(movie::text::EditKey::Up));
    run.player.pointerDown(50, 30);
    run.player.pointerUp();
    run.player.tick();
    // No glyphs to measure: no width, every line fits; the edits still reach the field.
    EXPECT_EQ(run.lines, (Lines{"0", "1", "_level1.w", "A\rA\rA\rA\rA\rAB"}));
    movie_test::renderPixels(run.player, 100, 200);  // draws them without faces too
  }
}

TEST(LoadedText, AMovieLoadedIntoAClipMeasuresWithItsOwnFonts) {
  // box.loadMovie("child.swf") on frame 1; the child arrives in frame 2; frame 3 measures.
  Actions load, arrives;
  load.push({"child.swf", 1, "box"}).op(Actions::kGetVariable).push({"loadMovie"}).op(Actions::kCallMethod);
  load.op(Actions::kPop);
  Actions measure;
  traceAll(measure, {"box.w.textWidth", "box.t.maxscroll"}).op(Actions::kStop);
  swf::TagList tags;
  addFont(tags, narrowSquares());
  tags.defineShape(2, movie_test::rectShape(0, 0, 10, 10, movie_test::kRed), 3);
  movie_test::defineSpriteOf(tags, 3, 2);
  placeNamed(tags, "box", 1, 3);
  for (Actions* a : {&load, &arrives, &measure}) {
    swf::doAction(tags, *a);
    tags.showFrame();
  }
  tags.end();
  FetchRun run(movie_test::movieOf(tags, 100, 200));
  ASSERT_EQ(run.fetcher.requests.size(), 1u);
  run.answer(0, fieldsMovie([](swf::TagList& t) { addFont(t, wideSquares()); }));
  run.player.tick();
  run.player.tick();
  EXPECT_EQ(run.lines, (Lines{"80", "5"}));
}

// A library with the wide font, the field "AAAA" exported as "label" and a clip holding
// it as "w" exported as "labelled".
swf::Bytes fieldLibrary() {
  swf::TagList tags;
  addFont(tags, wideSquares());
  swf::EditText label = squaresField(6, "AAAA", false);
  label.color = swf::rgb(movie_test::kBlue);
  swf::add(tags, swf::encodeDefineEditText(label));
  swf::TagList inner;
  placeNamed(inner, "w", 1, 6);
  inner.showFrame();
  inner.end();
  tags.defineSprite(7, inner);
  swf::exportAssets(tags, {{6, "label"}, {7, "labelled"}});
  tags.showFrame();
  tags.end();
  return movie_test::movieOf(tags);
}

// The importer: the narrow font, the imports, placed on frame 2 ("f" the field, "c" the
// clip 100 pixels lower); then the frames given.
swf::Bytes fieldImporter(const std::vector<Actions>& frames) {
  swf::TagList tags;
  addFont(tags, narrowSquares());
  swf::importAssets(tags, "lib.swf", {{10, "label"}, {11, "labelled"}});
  tags.showFrame();
  placeNamed(tags, "f", 2, 10);
  placeNamed(tags, "c", 3, 11, 0, 100);
  for (const Actions& a : frames) {
    swf::doAction(tags, a);
    tags.showFrame();
  }
  tags.end();
  return movie_test::movieOf(tags, 100, 200);
}

TEST(ImportedText, ImportedFieldsAndClipsMeasureWithTheirLibrarysFonts) {
  Actions measure;
  traceAll(measure, {"f.textWidth", "c.w.textWidth"});
  measure.op(Actions::kStop);
  FetchRun run(fieldImporter({Actions{}, measure}));
  run.answerNext(fieldLibrary());
  run.player.tick();
  run.player.tick();
  EXPECT_EQ(run.lines, (Lines{"80", "80"}));
}

TEST(ImportedText, AnImportedFieldIsDrawnWithItsLibrarysFont) {
  Actions stop;
  stop.op(Actions::kStop);
  FetchRun run(fieldImporter({stop}));
  run.answerNext(fieldLibrary());
  run.player.tick();
  // The 100 x 200 stage shows at half size: the first 'A' covers 1 to 11 pixels across
  // and 1 to 16 down in the library's font, 1 to 3.5 across in the importer's.
  std::vector<uint32_t> pixels = movie_test::renderPixels(run.player, 50, 100);
  EXPECT_EQ(movie_test::rgbOf(pixels[10 * 50 + 7]), movie_test::kBlue);
}

}  // namespace
