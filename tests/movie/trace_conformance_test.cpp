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

bool traceMatches(const fs::path& dir, std::string& detail) {
  movie_test::CaseRules rules = movie_test::parseCaseRules(readFile(dir / "test.toml"));
  std::string swf = readFile(dir / "test.swf");
  std::string printed;
  movie::Player player;
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
  swf_input::runFrames(player, rules.numFrames, events, 1.0);
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
