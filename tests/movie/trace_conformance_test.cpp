// Runs every corpus case that has a trace (scripts/ and tier-2) and compares what the
// movie's scripts print with trace.txt. Cases that do not match yet are listed in
// known-failures.txt under their folder ("scripts/NAME", "tier2/NAME"); an unlisted
// mismatch fails, and listed cases that now match are reported so the list can shrink.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "corpus_case.h"
#include "corpus_input.h"
#include "movie/player.h"

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& p) { return movie_test::readWholeFile(p.string()); }

// Lines without their endings and trailing blanks; trailing empty lines dropped.
std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
    out.push_back(line);
  }
  while (!out.empty() && out.back().empty()) out.pop_back();
  return out;
}

std::map<std::string, std::string> readKnownFailures() {
  std::map<std::string, std::string> out;
  std::istringstream in(readFile(fs::path(BRIMBLO_SOURCE_DIR) / "tests/movie/known-failures.txt"));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    size_t space = line.find_first_of(" \t");
    std::string name = line.substr(0, space);
    if (name.find('/') != std::string::npos) out[name] = line.substr(std::min(line.size(), space + 1));
  }
  return out;
}

// The first line where the trace differs, for the report.
std::string firstDifference(const std::vector<std::string>& expected, const std::vector<std::string>& actual) {
  size_t n = std::max(expected.size(), actual.size());
  for (size_t i = 0; i < n; ++i) {
    std::string e = i < expected.size() ? expected[i] : "(end)";
    std::string a = i < actual.size() ? actual[i] : "(end)";
    if (e != a) return "line " + std::to_string(i + 1) + ": expected \"" + e + "\", got \"" + a + "\"";
  }
  return "";
}

// What a case's movie loads comes from the files beside it: the movie's address is
// kCaseAddress/test.swf, and each frame's fetches are answered before the next frame.
const std::string kCaseAddress = "http://corpus.test/case/";

class CaseFetcher : public movie::Fetcher {
 public:
  explicit CaseFetcher(fs::path dir) : dir_(std::move(dir)) {}
  void fetch(int id, const std::string& url, bool, const std::string&) override { pending_.emplace_back(id, url); }
  void cancel(int id) override {
    std::erase_if(pending_, [id](const auto& p) { return p.first == id; });
  }
  void answer(movie::Player& player) {
    auto now = std::move(pending_);
    pending_.clear();
    for (const auto& [id, url] : now) {
      std::string name = url.rfind(kCaseAddress, 0) == 0 ? url.substr(kCaseAddress.size()) : "";
      name = name.substr(0, name.find('?'));
      bool inside = !name.empty() && name.find('/') == std::string::npos && name.find("..") == std::string::npos;
      std::string bytes = inside && fs::is_regular_file(dir_ / name) ? readFile(dir_ / name) : "";
      bool ok = inside && fs::is_regular_file(dir_ / name);
      player.fetchDone(id, ok, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
  }

 private:
  fs::path dir_;
  std::vector<std::pair<int, std::string>> pending_;
};

bool traceMatches(const fs::path& dir, std::string& detail) {
  movie_test::CaseRules rules = movie_test::parseCaseRules(readFile(dir / "test.toml"));
  std::string swf = readFile(dir / "test.swf");
  std::string printed;
  CaseFetcher fetcher(dir);  // outlives the player, which cancels what is still open
  movie::Player player;
  player.setFetcher(&fetcher);
  player.setMovieAddress(kCaseAddress + "test.swf");
  player.setTraceHandler([&printed](const std::string& line) {
    if (printed.size() < (size_t(4) << 20)) printed += line + "\n";
  });
  player.append(reinterpret_cast<const uint8_t*>(swf.data()), swf.size());
  player.finish();
  player.play();
  // Pointer positions are stage pixels: the viewport is the stage.
  player.setViewport(player.stageWidth(), player.stageHeight());
  std::vector<swf_input::InputEvent> events;
  if (fs::exists(dir / "input.json")) events = movie_test::readCorpusInput(readFile(dir / "input.json"));
  swf_input::runFrames(player, rules.numFrames, events, 1.0, [&](int) { fetcher.answer(player); });
  std::vector<std::string> expected = lines(readFile(dir / "trace.txt")), actual = lines(printed);
  if (expected == actual) return true;
  detail = firstDifference(expected, actual);
  return false;
}

void runFolder(const std::string& folder) {
  fs::path corpus = fs::path(BRIMBLO_CORPUS_DIR) / folder;
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "the SWF corpus is absent (" << corpus.string() << ")";
  std::map<std::string, std::string> known = readKnownFailures();
  std::vector<fs::path> cases;
  for (const auto& entry : fs::directory_iterator(corpus))
    if (fs::exists(entry.path() / "test.swf") && fs::exists(entry.path() / "trace.txt")) cases.push_back(entry.path());
  std::sort(cases.begin(), cases.end());
  int passed = 0;
  std::set<std::string> seen;
  for (const fs::path& dir : cases) {
    std::string name = folder + "/" + dir.filename().string();
    seen.insert(name);
    std::string detail;
    bool ok = traceMatches(dir, detail);
    bool listed = known.count(name) > 0;
    if (ok) {
      ++passed;
      if (listed) std::cout << "[ now passes ] " << name << " (remove it from known-failures.txt)\n";
    } else if (!listed) {
      ADD_FAILURE() << name << " trace differs and is not listed: " << detail;
    }
  }
  for (const auto& [name, reason] : known) {
    if (name.rfind(folder + "/", 0) != 0) continue;
    EXPECT_TRUE(seen.count(name)) << "known-failures.txt lists " << name << ", which has no trace case";
  }
  std::cout << folder << " traces: " << passed << " of " << cases.size() << " cases match\n";
}

TEST(TraceConformance, ScriptCasesMatchOrAreListed) { runFolder("scripts"); }
TEST(TraceConformance, Tier2TracesMatchOrAreListed) { runFolder("tier2"); }

}  // namespace
