// Renders every tier-1 corpus case and compares it with its reference images. Cases
// that do not pass yet are listed in known-failures.txt; an unlisted failure fails the
// test, and listed cases that now pass are reported so the list can shrink.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "corpus_case.h"
#include "movie/format/image_decode.h"
#include "movie/player.h"

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& p) { return movie_test::readWholeFile(p.string()); }

std::map<std::string, std::string> readKnownFailures() {
  std::map<std::string, std::string> out;
  std::istringstream in(readFile(fs::path(BRIMBLO_SOURCE_DIR) / "tests/movie/known-failures.txt"));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    size_t space = line.find_first_of(" \t");
    std::string name = line.substr(0, space);
    out[name] = space == std::string::npos ? "" : line.substr(line.find_first_not_of(" \t", space));
  }
  return out;
}

movie::Quality qualityOf(const std::string& q) {
  if (q == "low") return movie::Quality::Low;
  if (q == "medium") return movie::Quality::Medium;
  return movie::Quality::High;
}

struct Outcome {
  bool hasReference = false;
  bool passed = true;
  std::string detail;
};

Outcome runCase(const fs::path& dir) {
  Outcome out;
  movie_test::CaseRules rules = movie_test::parseCaseRules(readFile(dir / "test.toml"));
  std::string swf = readFile(dir / "test.swf");
  movie::Player player;
  player.append(reinterpret_cast<const uint8_t*>(swf.data()), swf.size());
  player.finish();
  player.setQuality(qualityOf(rules.quality));
  player.play();
  int width = player.stageWidth(), height = player.stageHeight();
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
        int outliers = movie_test::countOutliers(e, a, check.tolerance);
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

TEST(MovieConformance, Tier1CasesPassOrAreListed) {
  fs::path corpus = fs::path(BRIMBLO_CORPUS_DIR) / "tier1";
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "the SWF corpus is absent (" << corpus.string() << ")";
  std::map<std::string, std::string> known = readKnownFailures();
  std::set<std::string> seen;
  int passed = 0, total = 0;
  std::vector<fs::path> cases;
  for (const auto& entry : fs::directory_iterator(corpus))
    if (fs::exists(entry.path() / "test.swf")) cases.push_back(entry.path());
  std::sort(cases.begin(), cases.end());
  for (const fs::path& dir : cases) {
    std::string name = dir.filename().string();
    seen.insert(name);
    Outcome o = runCase(dir);
    if (!o.hasReference) {
      std::cout << "[ no image ] " << name << "\n";
      continue;
    }
    ++total;
    bool listed = known.count(name) > 0;
    if (o.passed) {
      ++passed;
      if (listed) std::cout << "[ now passes ] " << name << " (remove it from known-failures.txt)\n";
    } else if (!listed) {
      ADD_FAILURE() << name << " fails and is not listed:" << o.detail;
    } else {
      std::cout << "[ known failure ] " << name << ":" << o.detail << "\n";
    }
  }
  for (const auto& [name, reason] : known) {
    if (name.find('/') != std::string::npos) continue;  // "scripts/NAME", "tier2/NAME": trace cases
    EXPECT_TRUE(seen.count(name)) << "known-failures.txt lists " << name << ", which is not in the corpus";
  }
  std::cout << "tier1: " << passed << " of " << total << " cases pass\n";
}

}  // namespace
