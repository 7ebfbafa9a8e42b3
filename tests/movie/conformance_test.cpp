// Renders every tier-1 corpus case and compares it with its reference images. Cases
// that do not pass yet are listed in known-failures.txt; an unlisted failure fails the
// test, and listed cases that now pass are reported so the list can shrink.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <vector>

#include "corpus_runner.h"

namespace fs = std::filesystem;

namespace movie_test {
namespace {

TEST(MovieConformance, Tier1CasesPassOrAreListed) {
  fs::path corpus = fs::path(BRIMBLO_CORPUS_DIR) / "tier1";
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "the SWF corpus is absent (" << corpus.string() << ")";
  std::map<std::string, std::string> known = readKnownFailures("known-failures.txt");
  ListedRun run = runAgainstKnownFailures(corpusCases(corpus), known, "known-failures.txt", nullptr);
  for (const auto& [name, reason] : known) {
    if (name.find('/') != std::string::npos) continue;  // "scripts/NAME", "tier2/NAME": trace cases
    EXPECT_TRUE(run.seen.count(name)) << "known-failures.txt lists " << name << ", which is not in the corpus";
  }
  std::cout << "tier1: " << run.passed << " of " << run.total << " cases pass\n";
}

// Tier-2 cases mostly need layers still to come (scripts, text, video); those that need
// only what the engine draws are listed in tier2-passing.txt and must pass, and those of
// tier2-passing-outside-labels.txt must pass outside their device-text labels.
TEST(MovieConformance, ListedTier2CasesPass) {
  fs::path corpus = fs::path(BRIMBLO_CORPUS_DIR) / "tier2";
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "the SWF corpus is absent (" << corpus.string() << ")";
  std::map<std::string, std::string> listed = readKnownFailures("tier2-passing.txt");
  std::map<std::string, std::vector<PixelBox>> labelled;
  for (const auto& [name, rest] : readKnownFailures("tier2-passing-outside-labels.txt")) {
    labelled[name] = leadingBoxes(rest);
    EXPECT_FALSE(labelled[name].empty()) << "tier2-passing-outside-labels.txt gives " << name << " no boxes";
  }
  int passed = 0, passedOutsideLabels = 0, total = 0;
  for (const fs::path& dir : corpusCases(corpus)) {
    std::string name = dir.filename().string();
    Outcome o = runCase(dir, nullptr);
    if (!o.hasReference) continue;
    ++total;
    passed += o.passed;
    if (listed.count(name) && !o.passed) ADD_FAILURE() << name << " fails:" << o.detail;
    else if (!listed.count(name) && o.passed) std::cout << "[ passes, unlisted ] " << name << "\n";
    if (auto boxes = labelled.find(name); boxes != labelled.end() && !o.passed) {
      Outcome outside = runCase(dir, nullptr, boxes->second);
      passedOutsideLabels += outside.passed;
      if (!outside.passed) ADD_FAILURE() << name << " fails outside its labels:" << outside.detail;
    }
  }
  for (const auto& [name, why] : listed)
    EXPECT_TRUE(fs::exists(corpus / name / "test.swf")) << "tier2-passing.txt lists " << name << ", which is not in the corpus";
  for (const auto& [name, boxes] : labelled)
    EXPECT_TRUE(fs::exists(corpus / name / "test.swf"))
        << "tier2-passing-outside-labels.txt lists " << name << ", which is not in the corpus";
  std::cout << "tier2: " << passed << " of " << total << " cases with an image pass, " << passedOutsideLabels
            << " more outside their device-text labels\n";
}

}  // namespace
}  // namespace movie_test
