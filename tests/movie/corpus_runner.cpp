#include "corpus_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "corpus_case.h"
#include "movie/format/image_decode.h"
#include "movie/player.h"

namespace fs = std::filesystem;

namespace movie_test {

std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::map<std::string, std::string> readKnownFailures(const std::string& listName) {
  std::map<std::string, std::string> out;
  std::istringstream in(readFile(fs::path(BRIMBLO_SOURCE_DIR) / "tests/movie" / listName));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    size_t space = line.find_first_of(" \t");
    std::string name = line.substr(0, space);
    out[name] = space == std::string::npos ? "" : line.substr(line.find_first_not_of(" \t", space));
  }
  return out;
}

namespace {

movie::Quality qualityOf(const std::string& q) {
  if (q == "low") return movie::Quality::Low;
  if (q == "medium") return movie::Quality::Medium;
  return movie::Quality::High;
}

}  // namespace

Outcome runCase(const fs::path& dir, movie::text::FontService* fonts, const std::vector<PixelBox>& unjudged) {
  Outcome out;
  movie_test::CaseRules rules = movie_test::parseCaseRules(readFile(dir / "test.toml"));
  std::string swf = readFile(dir / "test.swf");
  movie::Player player;
  player.setFontService(fonts);
  player.append(reinterpret_cast<const uint8_t*>(swf.data()), swf.size());
  player.finish();
  player.setQuality(qualityOf(rules.quality));
  player.play();
  int width = player.stageWidth(), height = player.stageHeight();
  if (rules.viewportWidth > 0 && rules.viewportHeight > 0 && width > 0 && height > 0)
    width = rules.viewportWidth, height = rules.viewportHeight;  // the stage scaled to fit
  if (player.state() == movie::LoadState::Failed || width <= 0 || height <= 0) {
    out.passed = false;
    out.detail = "cannot be played: " + player.error();
    // Still judged against its references below only when it can be drawn.
    if (width <= 0 || height <= 0) {
      out.hasReference = true;
      return out;
    }
  }
  // Frame at which each comparison is taken.
  std::multimap<int, const movie_test::Comparison*> byFrame;
  for (const auto& c : rules.comparisons) byFrame.emplace(c.trigger > 0 ? c.trigger : rules.numFrames, &c);
  int lastFrame = byFrame.empty() ? rules.numFrames : byFrame.rbegin()->first;
  std::vector<uint32_t> pixels(size_t(width) * height);
  for (int frame = 1; frame <= lastFrame; ++frame) {
    if (frame > 1) player.tick();
    auto range = byFrame.equal_range(frame);
    if (range.first == range.second) continue;
    player.render({pixels.data(), width, height, width});
    for (auto it = range.first; it != range.second; ++it) {
      const movie_test::Comparison& c = *it->second;
      fs::path ref = dir / (c.name == "output" ? std::string("expected.png") : c.name + ".png");
      if (!fs::exists(ref)) continue;
      out.hasReference = true;
      std::string png = readFile(ref);
      auto expected = movie::format::decodeImage(reinterpret_cast<const uint8_t*>(png.data()), png.size());
      if (!expected) {
        out.passed = false;
        out.detail += " " + c.name + ": reference unreadable;";
        continue;
      }
      movie_test::Image e{expected->width, expected->height, expected->pixels};
      movie_test::Image a{width, height, pixels};
      for (const auto& check : c.checks) {
        int outliers = movie_test::countOutliers(e, a, check.tolerance, unjudged);
        if (outliers > check.maxOutliers) {
          out.passed = false;
          out.detail += " " + c.name + ": " + std::to_string(outliers) + " pixels off by more than " +
                        std::to_string(check.tolerance) + " (allowed " + std::to_string(check.maxOutliers) + ");";
        }
      }
    }
  }
  return out;
}

std::vector<fs::path> corpusCases(const fs::path& corpus, const std::function<bool(const std::string&)>& keep) {
  std::vector<fs::path> cases;
  for (const auto& entry : fs::directory_iterator(corpus))
    if ((!keep || keep(entry.path().filename().string())) && fs::exists(entry.path() / "test.swf"))
      cases.push_back(entry.path());
  std::sort(cases.begin(), cases.end());
  return cases;
}

ListedRun runAgainstKnownFailures(const std::vector<fs::path>& cases, const std::map<std::string, std::string>& known,
                                  const std::string& listName, movie::text::FontService* fonts) {
  ListedRun run;
  for (const fs::path& dir : cases) {
    std::string name = dir.filename().string();
    run.seen.insert(name);
    Outcome o = runCase(dir, fonts);
    if (!o.hasReference) {
      std::cout << "[ no image ] " << name << "\n";
      continue;
    }
    ++run.total;
    bool listed = known.count(name) > 0;
    if (o.passed) {
      ++run.passed;
      if (listed) std::cout << "[ now passes ] " << name << " (remove it from " << listName << ")\n";
    } else if (!listed) {
      ADD_FAILURE() << name << " fails and is not listed:" << o.detail;
    } else {
      std::cout << "[ known failure ] " << name << ":" << o.detail << "\n";
    }
  }
  return run;
}

}  // namespace movie_test
