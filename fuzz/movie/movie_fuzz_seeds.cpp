// Writes a handful of small valid movies into the folder given as the first argument.
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/swf/sound_writer.h"
#include "tools/swf/swf_writer.h"

namespace {

swf::Shape square(uint32_t rgb) {
  swf::Shape s;
  int f = s.addFill(swf::FillStyle::solid(swf::rgb(rgb)));
  swf::LineStyle l;
  l.width = 40;
  int line = s.addLine(l);
  s.rect(0, 0, 400, 400, f, line);
  s.circle(600, 600, 200, f);
  return s;
}

swf::Place at(uint16_t depth, uint16_t id, int x, int y) {
  swf::Place p;
  p.depth = depth;
  p.characterId = id;
  p.matrix = swf::Matrix::translate(x, y);
  return p;
}

bool write(const std::string& dir, const std::string& name, const swf::Bytes& movie) {
  std::ofstream out(dir + "/" + name, std::ios::binary);
  // The fuzz target takes its first byte as a control byte.
  const char control = 0x05;
  out.write(&control, 1);
  out.write(reinterpret_cast<const char*>(movie.data()), std::streamsize(movie.size()));
  return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: movie_fuzz_seeds FOLDER\n");
    return 2;
  }
  std::string dir = argv[1];
  swf::MovieHeader header;
  header.stage = {0, 2000, 0, 1500};
  bool ok = true;
  {
    swf::TagList t;
    t.setBackgroundColor(swf::rgb(0x336699));
    t.defineShape(1, square(0xFF0000), 1);
    t.placeObject2(at(1, 1, 100, 100));
    t.showFrame();
    t.end();
    ok &= write(dir, "shape.swf", swf::writeMovie(header, t));
    header.compressed = true;
    ok &= write(dir, "shape-compressed.swf", swf::writeMovie(header, t));
    header.compressed = false;
  }
  {
    swf::TagList t;
    swf::Shape g;
    int f = g.addFill(swf::FillStyle::radial(swf::Matrix::gradientBox(0, 0, 800, 800),
                                             {{0, swf::rgb(0xFFFFFF)}, {255, swf::rgb(0x000000, 128)}}));
    g.rect(0, 0, 800, 800, f);
    t.defineShape(1, g, 3);
    t.defineBitsLossless2(2, 2, 2, {0xFFFF0000, 0x8000FF00, 0xFF0000FF, 0});
    swf::Shape b;
    int bf = b.addFill(swf::FillStyle::bitmap(2, swf::Matrix::bitmap(0, 0, 4)));
    b.rect(0, 0, 400, 400, bf);
    t.defineShape(3, b, 3);
    swf::Place mask = at(1, 1, 0, 0);
    mask.clipDepth = 3;
    t.placeObject2(mask);
    t.placeObject2(at(2, 3, 100, 100));
    t.showFrame();
    t.removeObject2(2);
    t.showFrame();
    t.end();
    ok &= write(dir, "gradient-mask-bitmap.swf", swf::writeMovie(header, t));
  }
  {
    swf::TagList inner;
    inner.placeObject2(at(1, 1, 0, 0));
    inner.showFrame();
    swf::Place move;
    move.depth = 1;
    move.move = true;
    move.matrix = swf::Matrix::transform(1.5, 0.5, 30, 200, 0);
    move.colorTransform = swf::ColorTransform::alpha(0.5);
    inner.placeObject3(move);
    inner.showFrame();
    inner.end();
    swf::TagList t;
    t.defineShape(1, square(0x00FF00), 4);
    t.defineSprite(2, inner);
    t.placeObject2(at(1, 2, 300, 300));
    t.frameLabel("one");
    t.showFrame();
    t.showFrame();
    t.end();
    ok &= write(dir, "sprite.swf", swf::writeMovie(header, t));
  }
  {  // sound: an uncompressed and an ADPCM event sound, a stream, envelopes and loops
    swf::TagList t;
    t.defineShape(1, square(0x0000FF), 3);
    swf::Bytes pcm;
    for (int i = 0; i < 400; ++i) pcm.insert(pcm.end(), {uint8_t(i * 37), uint8_t(i % 7 - 3)});
    swf::defineSound(t, 2, swf::soundFormat(swf::kPcmLittle, 11025, true, false), 400, pcm);
    swf::defineSound(t, 3, swf::soundFormat(swf::kAdpcm, 22050, true, true), 100,
                     {0x80, 0x12, 0x34, 0x15, 0x00, 0x21, 0x77, 0x91, 0xA5, 0x5A, 0xC3, 0x3C});
    swf::SoundInfo info;
    info.loops = 2;
    info.inPoint = 10;
    info.outPoint = 300;
    info.envelope = {{0, 0, 32768}, {200, 32768, 100}};
    swf::startSound(t, 2, info);
    swf::startSound(t, 3);
    swf::soundStreamHead2(t, swf::soundFormat(swf::kPcmLittle, 5512, true, false), 460);
    t.placeObject2(at(1, 1, 0, 0));
    for (int f = 0; f < 3; ++f) {
      swf::soundStreamBlock(t, swf::Bytes(920, uint8_t(f * 40)));
      t.showFrame();
    }
    t.end();
    ok &= write(dir, "sound.swf", swf::writeMovie(header, t));
  }
  if (!ok) {
    std::fprintf(stderr, "movie_fuzz_seeds: cannot write into %s\n", dir.c_str());
    return 1;
  }
  return 0;
}
