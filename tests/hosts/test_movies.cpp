#include "test_movies.h"

#include "tools/swf/swf_writer.h"

namespace hosts_test {

std::vector<uint8_t> letterboxMovie(int frames) {
  swf::TagList tags;
  tags.setBackgroundColor(swf::rgb(kMovieBackground));
  swf::Shape stage;
  int fill = stage.addFill(swf::FillStyle::solid(swf::rgb(kStageColor)));
  stage.rect(0, 0, swf::twips(550), swf::twips(400), fill);
  tags.defineShape(1, stage, 3);
  for (int f = 0; f < frames; ++f) {
    swf::Place p;
    p.depth = 1;
    if (f == 0) {
      p.characterId = 1;
    } else {
      p.move = true;
    }
    p.matrix = swf::Matrix::translate(0, 0);
    tags.placeObject2(p);
    tags.showFrame();
  }
  tags.end();
  swf::MovieHeader h;
  h.stage = swf::Rect{0, swf::twips(550), 0, swf::twips(400)};
  h.frameRate = 12;
  return swf::writeMovie(h, tags);
}

std::vector<uint8_t> brokenMovie() {
  std::vector<uint8_t> bytes = letterboxMovie(2);
  // Keep the header's first bytes, damage the rest.
  for (size_t i = 4; i < bytes.size(); ++i) bytes[i] = uint8_t(0xA5 ^ i);
  return bytes;
}

}  // namespace hosts_test
