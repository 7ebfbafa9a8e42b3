#include "movie_fixtures.h"

namespace movie_test {

swf::Bytes movieOf(const swf::TagList& tags, int widthPx, int heightPx, bool compressed) {
  swf::MovieHeader header;
  header.stage = {0, swf::twips(widthPx), 0, swf::twips(heightPx)};
  header.compressed = compressed;
  return swf::writeMovie(header, tags);
}

swf::Shape rectShape(double x, double y, double w, double h, uint32_t rgb, uint8_t alpha) {
  swf::Shape s;
  int fill = s.addFill(swf::FillStyle::solid(swf::rgb(rgb, alpha)));
  s.rect(swf::twips(x), swf::twips(y), swf::twips(w), swf::twips(h), fill);
  return s;
}

swf::Place placeAt(uint16_t depth, uint16_t id, double xPx, double yPx) {
  swf::Place p;
  p.depth = depth;
  p.characterId = id;
  p.matrix = swf::Matrix::translate(swf::twips(xPx), swf::twips(yPx));
  return p;
}

swf::Bytes boxMovie(const swf::Actions& actions, uint32_t color) {
  swf::TagList tags;
  tags.defineShape(1, rectShape(0, 0, 100, 100, color), 3);
  defineSpriteOf(tags, 2, 1);
  swf::Place p = placeAt(1, 2);
  p.name = "box";
  tags.placeObject2(p);
  swf::doAction(tags, actions);
  tags.showFrame();
  tags.end();
  return movieOf(tags);
}

void load(movie::Player& player, const swf::Bytes& bytes) {
  player.append(bytes.data(), bytes.size());
  player.finish();
}

std::vector<uint32_t> renderPixels(movie::Player& player, int width, int height) {
  std::vector<uint32_t> pixels(size_t(width) * height, 0);
  player.render({pixels.data(), width, height, width});
  return pixels;
}

TracingStage::TracingStage(const swf::Bytes& movie, int widthPx, int heightPx) : width(widthPx), height(heightPx) {
  player.setTraceHandler([this](const std::string& line) { lines.push_back(line); });
  load(player, movie);
  player.setViewport(width, height);
}

uint32_t TracingStage::rgbAt(int x, int y) {
  return rgbOf(renderPixels(player, width, height)[size_t(y) * size_t(width) + size_t(x)]);
}

void defineSpriteOf(swf::TagList& tags, uint16_t spriteId, uint16_t characterId) {
  swf::TagList inner;
  inner.placeObject2(placeAt(1, characterId, 0, 0));
  inner.showFrame();
  inner.end();
  tags.defineSprite(spriteId, inner);
}

}  // namespace movie_test
