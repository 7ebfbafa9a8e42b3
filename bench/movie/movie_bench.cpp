// Frame rendering cost: corpus cases and a generated lesson-like movie, at two sizes.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "movie/player.h"
#include "tools/swf/swf_writer.h"
#if defined(BRIMBLO_HAVE_SAMPLE_LESSONS)
#include "tools/sample-content/lesson_movie.h"
#endif

namespace fs = std::filesystem;

namespace {

void placeAt(swf::TagList& t, uint16_t depth, uint16_t id, const swf::Matrix& m) {
  swf::Place p;
  p.depth = depth;
  p.characterId = id;
  p.matrix = m;
  t.placeObject2(p);
}

std::vector<uint8_t> corpusCase(const char* name) {
  for (const char* tier : {"tier1", "tier2"}) {
    fs::path p = fs::path(BRIMBLO_CORPUS_DIR) / tier / name / "test.swf";
    std::ifstream in(p, std::ios::binary);
    if (in) return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  return {};
}

// Moves the object at depth to where `at` puts it in each of frames 1 to 23, showing each.
void moveEachFrame(swf::TagList& t, uint16_t depth, const std::function<swf::Matrix(int)>& at) {
  for (int f = 1; f < 24; ++f) {
    swf::Place m;
    m.depth = depth;
    m.move = true;
    m.matrix = at(f);
    t.placeObject2(m);
    t.showFrame();
  }
}

// The tags, ended, as a movie with a 550 x 400 pixel stage.
// Defines sprite spriteId showing character characterId at its origin, for one frame.
void defineSpriteOf(swf::TagList& t, uint16_t spriteId, uint16_t characterId) {
  swf::TagList inner;
  swf::Place p;
  p.depth = 1;
  p.characterId = characterId;
  inner.placeObject2(p);
  inner.showFrame();
  t.defineSprite(spriteId, inner);
}

std::vector<uint8_t> stageMovie(swf::TagList& t) {
  t.end();
  swf::MovieHeader h;
  h.stage = {0, 11000, 0, 8000};
  return swf::writeMovie(h, t);
}

// A scene like the lessons': a gradient sky, ground, a house, a sun, a character made
// of curves with outlines, a bitmap, and a sprite that moves across each frame.
std::vector<uint8_t> lessonLike() {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(0xFFFFFF));
  swf::Shape sky;
  int s = sky.addFill(swf::FillStyle::linear(swf::Matrix::gradientBox(0, 0, 11000, 8000, 90),
                                             {{0, swf::rgb(0x3366CC)}, {200, swf::rgb(0xAADDFF)}, {255, swf::rgb(0xFFFFFF)}}));
  sky.rect(0, 0, 11000, 8000, s);
  t.defineShape(1, sky, 3);
  swf::Shape ground;
  int g = ground.addFill(swf::FillStyle::solid(swf::rgb(0x66AA33)));
  swf::LineStyle edge;
  edge.width = 40;
  edge.color = swf::rgb(0x335511);
  int e = ground.addLine(edge);
  ground.setStyles(0, g, e);
  ground.moveTo(0, 5500);
  for (int x = 0; x <= 11000; x += 1000) ground.curveTo(x + 500, 5300 + (x / 1000 % 2) * 400, x + 1000, 5500);
  ground.lineTo(11000, 8000);
  ground.lineTo(0, 8000);
  ground.lineTo(0, 5500);
  t.defineShape(2, ground, 3);
  swf::Shape house;
  int wall = house.addFill(swf::FillStyle::solid(swf::rgb(0xEECC99)));
  int roof = house.addFill(swf::FillStyle::radial(swf::Matrix::gradientBox(0, -1500, 3000, 1500),
                                                  {{0, swf::rgb(0xDD4422)}, {255, swf::rgb(0x882211)}}));
  int win = house.addFill(swf::FillStyle::solid(swf::rgb(0x99CCFF, 200)));
  swf::LineStyle outline;
  outline.width = 30;
  int o = house.addLine(outline);
  house.rect(0, 0, 3000, 2500, wall, o);
  house.polygon({{-200, 0}, {1500, -1500}, {3200, 0}}, roof, o);
  for (int i = 0; i < 3; ++i) house.rect(300 + i * 900, 600, 600, 600, win, o);
  t.defineShape(3, house, 3);
  swf::Shape sun;
  int sf = sun.addFill(swf::FillStyle::radial(swf::Matrix::gradientBox(-800, -800, 1600, 1600),
                                              {{0, swf::rgb(0xFFFF88)}, {180, swf::rgb(0xFFCC00)}, {255, swf::rgb(0xFFCC00, 0)}}));
  sun.circle(0, 0, 800, sf);
  t.defineShape(4, sun, 3);
  swf::Shape kid;
  int skin = kid.addFill(swf::FillStyle::solid(swf::rgb(0xFFDDBB)));
  int shirt = kid.addFill(swf::FillStyle::solid(swf::rgb(0xCC3366)));
  swf::LineStyle ink;
  ink.width = 50;
  ink.color = swf::rgb(0x222222);
  int k = kid.addLine(ink);
  kid.circle(0, -1200, 450, skin, k);
  kid.polygon({{-500, -700}, {500, -700}, {700, 600}, {-700, 600}}, shirt, k);
  for (int i = 0; i < 12; ++i) {
    double a = i * 3.14159 / 6;
    kid.circle(int(std::cos(a) * 300), -1200 + int(std::sin(a) * 300), 40, shirt);
  }
  t.defineShape(5, kid, 3);
  std::vector<uint32_t> pixels(64 * 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) pixels[y * 64 + x] = 0xFF000000u | uint32_t((x * 4) << 16) | uint32_t((y * 4) << 8) | 0x80;
  t.defineBitsLossless(6, 64, 64, pixels);
  swf::Shape picture;
  int pf = picture.addFill(swf::FillStyle::bitmap(6, swf::Matrix::bitmap(0, 0, 1.5)));
  picture.rect(0, 0, swf::twips(96), swf::twips(96), pf);
  t.defineShape(7, picture, 3);
  swf::TagList walk;
  walk.placeObject2([] { swf::Place p; p.depth = 1; p.characterId = 5; return p; }());
  walk.showFrame();
  t.defineSprite(8, walk);

  auto place = [&t](uint16_t depth, uint16_t id, int x, int y, double scale = 1) {
    placeAt(t, depth, id, swf::Matrix::transform(scale, scale, 0, x, y));
  };
  place(1, 1, 0, 0);
  place(2, 4, 9000, 1200);
  place(3, 2, 0, 0);
  place(4, 3, 1200, 3200);
  place(5, 7, 7600, 3600);
  place(6, 8, 5000, 6000);
  place(7, 8, 6500, 6300, 0.8);
  t.showFrame();
  moveEachFrame(t, 6, [](int f) { return swf::Matrix::transform(1, 1, f * 2, 5000 + f * 60, 6000); });
  return stageMovie(t);
}

// Clips with shadows, glows and blurs: three stand still, one moves across each frame,
// one turns (its filtered picture changes every frame).
std::vector<uint8_t> filteredClips() {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(0xFFFFFF));
  swf::Shape sky;
  int s = sky.addFill(swf::FillStyle::linear(swf::Matrix::gradientBox(0, 0, 11000, 8000, 90),
                                             {{0, swf::rgb(0x3366CC)}, {255, swf::rgb(0xFFFFFF)}}));
  sky.rect(0, 0, 11000, 8000, s);
  t.defineShape(1, sky, 3);
  swf::Shape kid;
  int skin = kid.addFill(swf::FillStyle::solid(swf::rgb(0xFFDDBB)));
  int shirt = kid.addFill(swf::FillStyle::solid(swf::rgb(0xCC3366)));
  kid.circle(0, -1200, 450, skin);
  kid.polygon({{-500, -700}, {500, -700}, {700, 600}, {-700, 600}}, shirt);
  t.defineShape(2, kid, 3);
  defineSpriteOf(t, 3, 2);
  swf::FilterRecord shadow;
  shadow.kind = swf::FilterRecord::kDropShadow;
  shadow.color = swf::rgb(0x000000, 128);
  shadow.blurX = shadow.blurY = 8;
  shadow.distance = 6;
  shadow.angle = 0.785;
  shadow.passes = 2;
  swf::FilterRecord glow;
  glow.kind = swf::FilterRecord::kGlow;
  glow.color = swf::rgb(0xFFFF00);
  glow.blurX = glow.blurY = 10;
  glow.strength = 2;
  swf::FilterRecord blur;
  blur.kind = swf::FilterRecord::kBlur;
  blur.blurX = blur.blurY = 4;
  blur.passes = 3;
  auto place = [&t](uint16_t depth, uint16_t id, const swf::Matrix& m, std::vector<swf::FilterRecord> filters) {
    swf::Place p;
    p.depth = depth;
    p.characterId = id;
    p.matrix = m;
    p.filters = std::move(filters);
    t.placeObject3(p);
  };
  place(1, 1, swf::Matrix{}, {});
  place(2, 3, swf::Matrix::translate(2000, 3000), {shadow});
  place(3, 3, swf::Matrix::translate(4500, 3000), {glow});
  place(4, 3, swf::Matrix::translate(7000, 3000), {blur, shadow});
  place(5, 3, swf::Matrix::translate(2000, 6500), {glow, shadow});
  place(6, 3, swf::Matrix::translate(6000, 6500), {shadow});
  t.showFrame();
  for (int f = 1; f < 24; ++f) {
    swf::Place move;
    move.depth = 5;
    move.move = true;
    move.matrix = swf::Matrix::translate(2000 + f * 100, 6500);
    t.placeObject2(move);
    swf::Place turn;
    turn.depth = 6;
    turn.move = true;
    turn.matrix = swf::Matrix::transform(1, 1, f * 5, 6000, 6500);
    t.placeObject2(turn);
    t.showFrame();
  }
  return stageMovie(t);
}

// A heavy picture (hundreds of outlined, gradient-filled curves) that stands still,
// cached as a bitmap, while a sprite moves across the stage around it each frame.
std::vector<uint8_t> cachedStill() {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(0xFFFFFF));
  swf::Shape flowers;
  int petal = flowers.addFill(swf::FillStyle::radial(swf::Matrix::gradientBox(-300, -300, 600, 600),
                                                     {{0, swf::rgb(0xFFEE88)}, {255, swf::rgb(0xCC4488)}}));
  swf::LineStyle ink;
  ink.width = 30;
  ink.color = swf::rgb(0x442222);
  int k = flowers.addLine(ink);
  for (int i = 0; i < 400; ++i) {
    int x = 500 + (i % 20) * 300, y = 500 + (i / 20) * 300;
    flowers.circle(x, y, 150 + (i * 37) % 120, petal, k);
  }
  t.defineShape(1, flowers, 3);
  defineSpriteOf(t, 2, 1);
  swf::Shape ball;
  int red = ball.addFill(swf::FillStyle::solid(swf::rgb(0xCC2222)));
  ball.circle(0, 0, 600, red);
  t.defineShape(3, ball, 3);
  swf::Place cached;
  cached.depth = 1;
  cached.characterId = 2;
  cached.matrix = swf::Matrix::translate(1000, 700);
  cached.cacheAsBitmap = true;
  t.placeObject3(cached);
  swf::Place mover;
  mover.depth = 2;
  mover.characterId = 3;
  mover.matrix = swf::Matrix::translate(600, 7200);
  t.placeObject2(mover);
  t.showFrame();
  moveEachFrame(t, 2, [](int f) { return swf::Matrix::translate(600 + f * 420, 7200 - f * 40); });
  return stageMovie(t);
}

// Gradients and nothing else: four large fills (linear, reflected radial, repeated focal,
// linear light) under a few dozen small radial shapes, each shape with its own ramp; one
// of the large fills turns each frame.
std::vector<uint8_t> gradientFills() {
  swf::TagList t;
  t.setBackgroundColor(swf::rgb(0xFFFFFF));
  auto quarter = [&t](uint16_t id, swf::FillStyle fill) {
    swf::Shape s;
    s.rect(-2750, -2000, 5500, 4000, s.addFill(fill));
    t.defineShape(id, s, 4);
  };
  const std::vector<swf::GradientStop> rainbow = {{0, swf::rgb(0xFF0000)}, {60, swf::rgb(0xFFFF00)},
                                                  {120, swf::rgb(0x00FF00)}, {180, swf::rgb(0x0000FF)},
                                                  {255, swf::rgb(0xFF00FF)}};
  quarter(1, swf::FillStyle::linear(swf::Matrix::gradientBox(-2750, -2000, 5500, 4000, 30), rainbow));
  swf::FillStyle reflected = swf::FillStyle::radial(swf::Matrix::gradientBox(-1000, -1000, 2000, 2000),
                                                    {{0, swf::rgb(0x112233)}, {255, swf::rgb(0xEEDDCC)}});
  reflected.spreadMode = 1;
  quarter(2, reflected);
  swf::FillStyle repeated = swf::FillStyle::focalRadial(swf::Matrix::gradientBox(-1500, -1200, 3000, 2400, 20),
                                                        rainbow, 0.6);
  repeated.spreadMode = 2;
  quarter(3, repeated);
  swf::FillStyle light = swf::FillStyle::linear(swf::Matrix::gradientBox(-2750, -2000, 5500, 4000, 90),
                                                {{0, swf::rgb(0x0000FF)}, {255, swf::rgb(0xFF0000, 128)}});
  light.interpolationMode = 1;
  quarter(4, light);
  swf::Shape dots;
  for (int i = 0; i < 48; ++i) {
    const int x = 500 + (i % 8) * 1300, y = 700 + (i / 8) * 1300;
    const swf::Rgba inner = swf::rgb(uint32_t(0x204080 + i * 0x030507)), outer = swf::rgb(uint32_t(0xF0C060 - i * 0x020301));
    dots.circle(x, y, 500, dots.addFill(swf::FillStyle::radial(swf::Matrix::gradientBox(x - 500, y - 500, 1000, 1000),
                                                               {{0, inner}, {255, outer}})));
  }
  t.defineShape(5, dots, 3);
  auto place = [&t](uint16_t depth, uint16_t id, int32_t x, int32_t y) {
    placeAt(t, depth, id, swf::Matrix::translate(x, y));
  };
  place(1, 1, 2750, 2000);
  place(2, 2, 8250, 2000);
  place(3, 3, 2750, 6000);
  place(4, 4, 8250, 6000);
  place(5, 5, 0, 0);
  t.showFrame();
  moveEachFrame(t, 3, [](int f) { return swf::Matrix::transform(1, 1, f * 4, 2750, 6000); });
  return stageMovie(t);
}

void renderMovie(benchmark::State& state, const std::vector<uint8_t>& bytes, movie::Quality quality) {
  if (bytes.empty()) {
    state.SkipWithError("movie not found (the corpus is absent)");
    return;
  }
  int width = int(state.range(0)), height = int(state.range(1));
  movie::Player player;
  player.append(bytes.data(), bytes.size());
  player.finish();
  player.setQuality(quality);
  std::vector<uint32_t> pixels(size_t(width) * height);
  for (auto _ : state) {
    player.tick();
    player.render({pixels.data(), width, height, width});
    benchmark::DoNotOptimize(pixels.data());
  }
}

void BM_HeavyTesselation(benchmark::State& state) {
  static const auto bytes = corpusCase("visual_simple_shapes_heavy_tesselation");
  renderMovie(state, bytes, movie::Quality::High);
}

void BM_AcidBitmapFill(benchmark::State& state) {
  static const auto bytes = corpusCase("from_shumway_acid_acid-bitmap-fill");
  renderMovie(state, bytes, movie::Quality::High);
}

void BM_LessonLike(benchmark::State& state) {
  static const auto bytes = lessonLike();
  renderMovie(state, bytes, movie::Quality::High);
}

void BM_GradientFills(benchmark::State& state) {
  static const auto bytes = gradientFills();
  renderMovie(state, bytes, movie::Quality::High);
}

void BM_FilteredClips(benchmark::State& state) {
  static const auto bytes = filteredClips();
  renderMovie(state, bytes, movie::Quality::High);
}

void BM_CachedStill(benchmark::State& state) {
  static const auto bytes = cachedStill();
  renderMovie(state, bytes, movie::Quality::High);
}

#if defined(BRIMBLO_HAVE_SAMPLE_LESSONS)
// Sample lessons 1, 2 and 7 differ in bitmaps, masks and shape versions.
void BM_SampleLesson(benchmark::State& state) {
  static const auto l1 = sample::makeLessonMovie(1), l2 = sample::makeLessonMovie(2), l7 = sample::makeLessonMovie(7);
  const swf::Bytes& bytes = state.range(2) == 1 ? l1 : state.range(2) == 2 ? l2 : l7;
  renderMovie(state, bytes, movie::Quality::High);
}
#endif

void sizes(benchmark::internal::Benchmark* b) {
  b->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

}  // namespace

BENCHMARK(BM_HeavyTesselation)->Apply(sizes);
BENCHMARK(BM_AcidBitmapFill)->Apply(sizes);
BENCHMARK(BM_LessonLike)->Apply(sizes);
BENCHMARK(BM_GradientFills)->Apply(sizes);
BENCHMARK(BM_FilteredClips)->Apply(sizes);
BENCHMARK(BM_CachedStill)->Apply(sizes);
#if defined(BRIMBLO_HAVE_SAMPLE_LESSONS)
BENCHMARK(BM_SampleLesson)
    ->Args({1024, 768, 1})->Args({1920, 1080, 1})->Args({1920, 1080, 2})->Args({1920, 1080, 7})
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
#endif
BENCHMARK_MAIN();
