// The sample lesson scene: a gradient sky, a ground strip, a sun, bouncing balls,
// spinning stars, a flower sprite with its own timeline and the lesson number in
// big seven-segment digits, with the lesson's English words in the lessons' own font
// and their Chinese in the system's. Every motion completes whole cycles over the movie,
// so the last frame leads smoothly into the first when the player loops.
#include "tools/sample-content/lesson_movie.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numbers>
#include <stdexcept>
#include <string>

#include "tools/sample-content/lesson_text.h"
#include "tools/sample-content/palette.h"
#include "tools/sample-content/seven_segment.h"
#include "tools/swf/sound_writer.h"

namespace sample {

using swf::Matrix;
using swf::Place;
using swf::twips;

namespace {

enum Id : uint16_t {
  kSky = 1, kGround, kSun, kStar, kBall0, kBall1, kBall2, kPetals, kFlowerCentre, kFlower,
  kDigitShadow, kDigits, kMask, kStripes, kSparkle, kGrassBitmap = 20, kChime = 30,
};

constexpr int kChimeRate = 22050;
constexpr double kPauseSeconds = 0.6;  // quiet after the sentence before it comes again

enum Depth : uint16_t {
  kSkyDepth = 1, kGroundDepth, kSunDepth, kMaskDepth, kStripesDepth, kBallDepth = 10,
  kStarDepth = 20, kFlowerDepth = 30, kShadowDepth = 40, kDigitDepth, kSparkleDepth = 50,
};

std::vector<std::pair<int32_t, int32_t>> starPoints(int points, double outer, double inner) {
  std::vector<std::pair<int32_t, int32_t>> p;
  for (int i = 0; i < points * 2; ++i) {
    const double r = (i % 2 == 0) ? outer : inner;
    const double a = -std::numbers::pi / 2 + i * std::numbers::pi / points;
    p.emplace_back(twips(r * std::cos(a)), twips(r * std::sin(a)));
  }
  return p;
}

swf::Shape circleShape(double radius, swf::FillStyle fill, swf::Rgba outline) {
  swf::Shape s;
  const int f = s.addFill(fill);
  const int l = s.addLine(swf::LineStyle{uint16_t(twips(2)), outline});
  s.circle(0, 0, twips(radius), f, l);
  return s;
}

void defineBitmap(swf::TagList& tags, int lesson, const LessonPalette& pal) {
  // 16 x 16 grass tile: two greens in diagonal stripes with a flower dot.
  const int n = 16;
  std::vector<uint8_t> indices(n * n);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) indices[y * n + x] = uint8_t(((x + y) / 4) % 2);
  indices[5 * n + 5] = 2;
  const uint32_t petal = 0xFF000000u | uint32_t(pal.petal.r) << 16 | uint32_t(pal.petal.g) << 8 | pal.petal.b;
  const std::vector<uint32_t> palette = {0xFF7ED957, 0xFF5DBB3F, petal};
  if (lesson % 2 == 1) {
    std::vector<uint32_t> argb(indices.size());
    for (size_t i = 0; i < indices.size(); ++i) argb[i] = palette[indices[i]];
    tags.defineBitsLossless(kGrassBitmap, n, n, argb);
  } else {
    tags.defineBitsColormapped(kGrassBitmap, n, n, palette, indices, true);
  }
}

// A vertical gradient over the whole stage.
void defineSky(swf::TagList& tags, int lesson, const LessonPalette& pal) {
  swf::Shape s;
  const int f = s.addFill(swf::FillStyle::linear(
      Matrix::gradientBox(0, 0, twips(550), twips(400), 90 + (lesson % 5) * 8 - 16),
      {{0, pal.skyTop}, {160, pal.skyBottom}, {255, pal.background}}));
  s.rect(0, 0, twips(550), twips(400), f);
  tags.defineShape(kSky, s, lesson % 4 == 0 ? 2 : 3);
}

// The ground strip, of grass bitmap or plain green.
void defineGround(swf::TagList& tags, int lesson, const LessonStyle& st, const LessonPalette& pal) {
  swf::Shape s;
  int f;
  if (st.bitmapGround) {
    defineBitmap(tags, lesson, pal);
    f = s.addFill(swf::FillStyle::bitmap(kGrassBitmap, Matrix::bitmap(0, twips(330), 2.0)));
  } else {
    f = s.addFill(swf::FillStyle::solid(swf::rgb(0x6CCB4A)));
  }
  const int l = s.addLine(swf::LineStyle{uint16_t(twips(3)), swf::rgb(0x3E8E2A)});
  s.setStyles(0, f, l);
  s.moveTo(0, twips(340));
  s.curveTo(twips(137), twips(318), twips(275), twips(338));
  s.curveTo(twips(412), twips(356), twips(550), twips(334));
  s.setStyles(-1, -1, 0);
  s.lineTo(twips(550), twips(400));
  s.lineTo(0, twips(400));
  s.lineTo(0, twips(340));
  tags.defineShape(kGround, s, 3);
}

// The sun: a radial gradient (focal on DefineShape4) with a friendly face.
void defineSun(swf::TagList& tags, int sv) {
  const std::vector<swf::GradientStop> stops = {
      {0, swf::rgb(0xFFF7A8)}, {170, swf::rgb(0xFFD23F)}, {255, swf::rgb(0xFF9F1C, 230)}};
  const Matrix box = Matrix::gradientBox(twips(-48), twips(-48), twips(96), twips(96));
  swf::FillStyle fill = sv == 4 ? swf::FillStyle::focalRadial(box, stops, -0.4)
                                : swf::FillStyle::radial(box, stops);
  swf::Shape s = circleShape(48, fill, swf::rgb(0xF08A00));
  // Two eyes and a smile drawn with a line only.
  const int eye = s.addFill(swf::FillStyle::solid(swf::rgb(0x5C3A00)));
  s.circle(twips(-15), twips(-10), twips(5), eye);
  s.circle(twips(15), twips(-10), twips(5), eye);
  swf::LineStyle smileLine{uint16_t(twips(4)), swf::rgb(0x5C3A00)};
  smileLine.startCap = smileLine.endCap = 0;
  const int smile = s.addLine(smileLine);
  s.setStyles(0, 0, smile);
  s.moveTo(twips(-20), twips(10));
  s.curveTo(0, twips(32), twips(20), twips(10));
  tags.defineShape(kSun, s, sv == 2 ? 3 : sv);
}

// The star, and the balls with a shine.
void defineStarAndBalls(swf::TagList& tags, const LessonStyle& st, const LessonPalette& pal) {
  const int sv = st.shapeVersion;
  swf::Shape s;
  const int f = s.addFill(swf::FillStyle::solid(pal.star));
  swf::LineStyle line{uint16_t(twips(2)), pal.shadow};
  line.join = uint8_t(sv == 4 ? 2 : 0);
  const int l = s.addLine(line);
  s.polygon(starPoints(st.starPoints, 38, 16), f, l);
  tags.defineShape(kStar, s, sv);
  for (int k = 0; k < 3; ++k) {
    swf::Shape ball = circleShape(22, swf::FillStyle::solid(pal.ball[k]), pal.shadow);
    const int shine = ball.addFill(swf::FillStyle::solid(swf::rgb(0xFFFFFF, 200)));
    ball.circle(twips(-8), twips(-8), twips(6), shine);
    tags.defineShape(uint16_t(kBall0 + k), ball, sv == 2 ? 3 : sv);
  }
}

// The flower's own timeline: the petals turn a sixth of a turn (a whole cycle for six
// petals) while the centre pulses.
swf::TagList flowerSprite() {
  swf::TagList sprite;
  const int spriteFrames = 12;
  for (int f2 = 0; f2 < spriteFrames; ++f2) {
    const double t = double(f2) / spriteFrames;
    Place p;
    p.depth = 1;
    if (f2 == 0) p.characterId = kPetals; else p.move = true;
    p.matrix = Matrix::transform(1, 1, 60 * t, 0, 0);  // six-fold: 60 degrees is a cycle
    sprite.placeObject2(p);
    Place c;
    c.depth = 2;
    if (f2 == 0) c.characterId = kFlowerCentre; else c.move = true;
    const double pulse = 1 + 0.18 * std::sin(2 * std::numbers::pi * t);
    c.matrix = Matrix::transform(pulse, pulse, 0, 0, 0);
    sprite.placeObject2(c);
    sprite.showFrame();
  }
  sprite.end();
  return sprite;
}

// The flower: six petals and a centre, animated inside its own sprite.
void defineFlower(swf::TagList& tags, const LessonPalette& pal) {
  swf::Shape petals;
  const int f = petals.addFill(swf::FillStyle::solid(pal.petal));
  const int l = petals.addLine(swf::LineStyle{uint16_t(twips(1.5)), pal.shadow});
  for (int i = 0; i < 6; ++i) {
    const double a = i * std::numbers::pi / 3;
    petals.circle(twips(22 * std::cos(a)), twips(22 * std::sin(a)), twips(13), f, l);
  }
  tags.defineShape(kPetals, petals, 3);
  swf::Shape centre = circleShape(12, swf::FillStyle::solid(pal.flowerCentre), pal.shadow);
  tags.defineShape(kFlowerCentre, centre, 3);
  tags.defineSprite(kFlower, flowerSprite());
}

// The lesson number and its shadow, centred on the shape's origin so it pulses about
// its middle.
void defineNumber(swf::TagList& tags, int lesson, int sv, const LessonPalette& pal) {
  const std::string digits = (lesson < 10 ? "0" : "") + std::to_string(lesson);
  const int32_t w = twips(96), h = twips(168), gap = twips(26);
  const int32_t total = int32_t(digits.size()) * w + int32_t(digits.size() - 1) * gap;
  swf::Shape shadow;
  addNumber(shadow, digits, -total / 2, -h / 2, w, h, gap, shadow.addFill(swf::FillStyle::solid(pal.shadow)));
  tags.defineShape(kDigitShadow, shadow, 1);
  swf::Shape number;
  const int f = number.addFill(swf::FillStyle::linear(
      Matrix::gradientBox(-total / 2, -h / 2, total, h, 90),
      {{0, pal.accent}, {255, hsv(lesson * 137.508 + 220, 0.9, 0.75)}}));
  addNumber(number, digits, -total / 2, -h / 2, w, h, gap, f);
  tags.defineShape(kDigits, number, sv == 4 ? 4 : 3);
}

// A round window through which stripes slide.
void defineStripes(swf::TagList& tags, const LessonPalette& pal) {
  swf::Shape mask;
  mask.circle(0, 0, twips(50), mask.addFill(swf::FillStyle::solid(swf::rgb(0))));
  tags.defineShape(kMask, mask, 3);
  swf::Shape stripes;
  const int a = stripes.addFill(swf::FillStyle::solid(pal.ball[1]));
  const int b = stripes.addFill(swf::FillStyle::solid(swf::rgb(0xFFFFFF)));
  for (int i = 0; i < 8; ++i) stripes.rect(twips(-100 + i * 20), twips(-60), twips(20), twips(120), i % 2 ? a : b);
  tags.defineShape(kStripes, stripes, 3);
}

void defineCharacters(swf::TagList& tags, int lesson, const LessonStyle& st, const LessonPalette& pal) {
  defineSky(tags, lesson, pal);
  defineGround(tags, lesson, st, pal);
  defineSun(tags, st.shapeVersion);
  defineStarAndBalls(tags, st, pal);
  defineFlower(tags, pal);
  defineNumber(tags, lesson, st.shapeVersion, pal);
  if (st.maskedStripes) defineStripes(tags, pal);
  // The sparkle that appears for a quarter of the loop.
  swf::Shape s;
  s.polygon(starPoints(4, 18, 5), s.addFill(swf::FillStyle::solid(swf::rgb(0xFFFFFF, 230))));
  tags.defineShape(kSparkle, s, 3);
}

// A short bell-like chime: two partials under a quick decay, 16-bit mono.
void defineChime(swf::TagList& tags, int lesson) {
  const double base = 880 * std::pow(2.0, (lesson % 5) / 12.0);
  std::vector<int16_t> samples(size_t(kChimeRate * 0.25));
  for (size_t i = 0; i < samples.size(); ++i) {
    const double t = double(i) / kChimeRate;
    const double v = 0.3 * std::exp(-t * 14) *
                     (std::sin(2 * std::numbers::pi * base * t) + 0.4 * std::sin(2 * std::numbers::pi * 2.5 * base * t));
    samples[i] = int16_t(std::lround(v * 32767 / 1.4));
  }
  swf::defineSound(tags, kChime, swf::soundFormat(swf::kPcmLittle, kChimeRate, true, false),
                   uint32_t(samples.size()), swf::pcm16(samples));
}

// Places a character on the first frame, moves it on later ones.
void put(swf::TagList& tags, bool first, uint16_t depth, uint16_t id, const Matrix& m,
         std::optional<swf::ColorTransform> cx = std::nullopt, bool po3 = false) {
  Place p;
  p.depth = depth;
  if (first) p.characterId = id; else p.move = true;
  p.matrix = m;
  p.colorTransform = cx;
  if (po3 && first) p.blendMode = 1;
  po3 ? tags.placeObject3(p) : tags.placeObject2(p);
}

}  // namespace

LessonStyle styleFor(int lesson) {
  if (lesson < 1 || lesson > 38) throw std::invalid_argument("lessons are numbered 1 to 38");
  LessonStyle s;
  static constexpr double kRates[] = {12, 15, 18, 24};
  s.frameRate = kRates[lesson % 4];
  s.frames = 24 + (lesson % 3) * 12;
  s.compressed = lesson % 2 == 1;
  s.swfVersion = lesson % 4 == 0 ? 6 : 10;
  s.shapeVersion = s.swfVersion < 8 ? 2 + lesson % 2 : 2 + lesson % 3;
  s.bitmapGround = lesson % 3 == 1;
  s.maskedStripes = lesson % 5 == 2;
  s.balls = 1 + lesson % 3;
  s.starPoints = 5 + lesson % 3;
  s.stars = 1 + lesson % 2;
  return s;
}

swf::Bytes lessonSpeech(int lesson) {
  styleFor(lesson);  // checks the number
  char name[32];
  std::snprintf(name, sizeof name, "/speech-%02d.mp3", lesson);
  const std::string path = std::string(BRIMBLO_SPEECH_DIR) + name;
  std::ifstream in(path, std::ios::binary);
  swf::Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.empty()) throw std::runtime_error("cannot read the spoken sentence " + path);
  return bytes;
}

namespace {

// One frame of the movie: where it is in the animation cycle.
struct LessonFrame {
  int lesson = 0;
  const LessonStyle& st;
  bool po3 = false;       // placements may use PlaceObject3
  int c = 0;              // frame within the cycle
  bool first = false;     // the movie's first frame
  bool lastCycle = false; // the sparkle shows in this cycle
  double t = 0, wave = 0; // cycle position 0..1 and its sine
};

// Sky, ground, sun and the striped window.
void placeBackdrop(swf::TagList& tags, const LessonFrame& fr) {
  if (fr.first) {
    put(tags, true, kSkyDepth, kSky, Matrix{});
    put(tags, true, kGroundDepth, kGround, Matrix{});
  }
  const double sunScale = 1 + 0.08 * fr.wave;
  put(tags, fr.first, kSunDepth, kSun, Matrix::transform(sunScale, sunScale, 0, twips(478), twips(72)));
  if (!fr.st.maskedStripes) return;
  if (fr.first) {
    Place clip;
    clip.depth = kMaskDepth;
    clip.characterId = kMask;
    clip.matrix = Matrix::translate(twips(90), twips(200));
    clip.clipDepth = kStripesDepth;
    clip.name = "window";
    tags.placeObject2(clip);
  }
  put(tags, fr.first, kStripesDepth, kStripes, Matrix::translate(twips(90 + 40 * fr.t), twips(200)));
}

// Bouncing balls (squashed near the ground) and spinning stars.
void placeBallsAndStars(swf::TagList& tags, const LessonFrame& fr) {
  const double t = fr.t;
  for (int k = 0; k < fr.st.balls; ++k) {
    const double phase = k / 3.0;
    const double x = 110 + 330 * (0.5 + 0.5 * std::sin(2 * std::numbers::pi * (t + phase)));
    const double y = 312 - 120 * std::fabs(std::sin(std::numbers::pi * (2 * t + phase)));
    const double squash = 1 - 0.15 * (1 - std::fabs(std::sin(std::numbers::pi * (2 * t + phase))));
    put(tags, fr.first, uint16_t(kBallDepth + k), uint16_t(kBall0 + k),
        Matrix::transform(1 / squash, squash, 0, twips(x), twips(y)));
  }
  for (int k = 0; k < fr.st.stars; ++k) {
    const double turn = (k % 2 ? -360.0 : 360.0) * t;
    const double scale = 1 + 0.2 * std::sin(2 * std::numbers::pi * (t + k * 0.25));
    put(tags, fr.first, uint16_t(kStarDepth + k), kStar,
        Matrix::transform(scale, scale, turn, twips(k ? 380 : 62), twips(k ? 50 : 62)));
  }
}

// The flower and the number's shadow, placed once.
void placeFlowerAndShadow(swf::TagList& tags, const LessonFrame& fr) {
  Place flower;
  flower.depth = kFlowerDepth;
  flower.characterId = kFlower;
  flower.matrix = Matrix::translate(twips(fr.lesson % 2 ? 470 : 80), twips(290));
  flower.name = "flower";
  if (fr.po3) flower.blendMode = 1;
  fr.po3 ? tags.placeObject3(flower) : tags.placeObject2(flower);
  put(tags, true, kShadowDepth, kDigitShadow, Matrix::translate(twips(281), twips(181)),
      swf::ColorTransform::alpha(0.45));
}

// The glowing, beating number, and the sparkle during a quarter of the last cycle.
void placeNumberAndSparkle(swf::TagList& tags, const LessonFrame& fr) {
  swf::ColorTransform glow;
  glow.addR = glow.addG = glow.addB = int16_t(std::lround(40 * (0.5 + 0.5 * fr.wave)));
  const double beat = 1 + 0.05 * std::sin(4 * std::numbers::pi * fr.t);
  put(tags, fr.first, kDigitDepth, kDigits,
      Matrix::transform(beat, beat, 3 * fr.wave, twips(275), twips(175 - 8 * fr.wave)), glow, fr.po3);
  if (fr.lastCycle && fr.c == fr.st.frames / 2) {
    Place sparkle;
    sparkle.depth = kSparkleDepth;
    sparkle.characterId = kSparkle;
    sparkle.matrix = Matrix::transform(1.5, 1.5, 20, twips(360), twips(90));
    sparkle.ratio = 0;
    tags.placeObject2(sparkle);
  }
  if (fr.lastCycle && fr.c == fr.st.frames * 3 / 4) tags.removeObject2(kSparkleDepth);
}

// How many animation cycles the spoken sentence and its pause need; defines the chime and
// the sound stream when there is speech.
int startSpeech(swf::TagList& tags, int lesson, const LessonStyle& st, const swf::Mp3Stream& speech) {
  if (speech.blocks.empty()) return 1;
  defineChime(tags, lesson);
  const double frames = double(speech.blocks.size()) + kPauseSeconds * st.frameRate;
  swf::soundStreamHead2(tags, swf::soundFormat(swf::kMp3, speech.rate, true, speech.channels == 2),
                        speech.samplesPerFrame);
  return int(std::ceil(frames / st.frames));
}

}  // namespace

swf::Bytes makeLessonMovie(int lesson, const swf::Bytes& speechMp3) {
  const LessonStyle st = styleFor(lesson);
  const LessonPalette pal = paletteFor(lesson);
  swf::TagList tags;
  if (st.swfVersion >= 8) tags.fileAttributes(true, false);
  tags.setBackgroundColor(pal.background);
  defineCharacters(tags, lesson, st, pal);
  defineLessonText(tags, lesson);
  const swf::Mp3Stream speech = swf::mp3StreamBlocks(speechMp3, st.frameRate);
  const bool speaks = !speech.blocks.empty();
  const int cycles = startSpeech(tags, lesson, st, speech);
  for (int f = 0; f < st.frames * cycles; ++f) {
    if (speaks && size_t(f) < speech.blocks.size()) swf::soundStreamBlock(tags, speech.blocks[size_t(f)]);
    LessonFrame fr{lesson, st, st.swfVersion >= 8};
    fr.c = f % st.frames;  // the animation repeats whole cycles
    fr.lastCycle = f >= st.frames * (cycles - 1);
    fr.first = f == 0;
    fr.t = double(fr.c) / st.frames;
    fr.wave = std::sin(2 * std::numbers::pi * fr.t);
    if (speaks && fr.lastCycle && fr.c == st.frames / 2) swf::startSound(tags, kChime);
    if (fr.first) tags.frameLabel("start");
    if (f == st.frames / 2) tags.frameLabel("middle");
    placeBackdrop(tags, fr);
    placeBallsAndStars(tags, fr);
    if (fr.first) placeFlowerAndShadow(tags, fr);
    placeNumberAndSparkle(tags, fr);
    if (fr.first) placeLessonText(tags);
    tags.showFrame();
  }
  tags.end();
  swf::MovieHeader header;
  header.version = st.swfVersion;
  header.frameRate = st.frameRate;
  header.compressed = st.compressed;
  return swf::writeMovie(header, tags);
}

}  // namespace sample
