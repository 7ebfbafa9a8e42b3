#include "script_fixtures.h"

#include "movie_fixtures.h"

namespace movie_test {

swf::Bytes scriptedMovie(const std::vector<swf::Actions>& frames, int version) {
  swf::TagList tags;
  for (const swf::Actions& a : frames) {
    if (!a.body().empty()) swf::doAction(tags, a);
    tags.showFrame();
  }
  tags.end();
  swf::MovieHeader header;
  header.version = uint8_t(version);
  header.stage = {0, swf::twips(100), 0, swf::twips(100)};
  return swf::writeMovie(header, tags);
}

std::vector<std::string> runTrace(const swf::Bytes& movie, int frames) {
  std::vector<std::string> lines;
  movie::Player player;
  player.setTraceHandler([&lines](const std::string& line) { lines.push_back(line); });
  load(player, movie);
  player.play();
  for (int i = 1; i < frames; ++i) player.tick();
  return lines;
}

std::vector<std::string> traceOf(const swf::Actions& actions, int version) {
  return runTrace(scriptedMovie({actions}, version));
}

}  // namespace movie_test
