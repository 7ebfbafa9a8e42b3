// Renders the tier-2 corpus cases about text and fonts with the system's faces and
// compares them with their references. Cases that do not pass yet are listed in
// known-text-failures.txt with their reason; an unlisted failure fails the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <set>

#include "corpus_runner.h"
#include "hosts/native/freetype_font_service.h"

namespace fs = std::filesystem;

namespace movie_test {
namespace {

bool isTextCase(const std::string& name) {
  return name.find("text") != std::string::npos || name.find("font") != std::string::npos;
}

TEST(TextConformance, Tier2TextCasesPassOrAreListed) {
  fs::path corpus = fs::path(BRIMBLO_CORPUS_DIR) / "tier2";
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "the SWF corpus is absent (" << corpus.string() << ")";
  std::map<std::string, std::string> known = readKnownFailures("known-text-failures.txt");
  hosts::FreetypeFontService fonts;
  std::vector<fs::path> cases;
  for (const auto& entry : fs::directory_iterator(corpus))
    if (isTextCase(entry.path().filename().string()) && fs::exists(entry.path() / "test.swf"))
      cases.push_back(entry.path());
  std::sort(cases.begin(), cases.end());
  std::set<std::string> seen;
  int passed = 0, total = 0;
  for (const fs::path& dir : cases) {
    std::string name = dir.filename().string();
    seen.insert(name);
    Outcome o = runCase(dir, &fonts);
    if (!o.hasReference) {
      std::cout << "[ no image ] " << name << "\n";
      continue;
    }
    ++total;
    bool listed = known.count(name) > 0;
    if (o.passed) {
      ++passed;
      if (listed) std::cout << "[ now passes ] " << name << " (remove it from known-text-failures.txt)\n";
    } else if (!listed) {
      ADD_FAILURE() << name << " fails and is not listed:" << o.detail;
    } else {
      std::cout << "[ known failure ] " << name << ":" << o.detail << "\n";
    }
  }
  for (const auto& [name, reason] : known)
    EXPECT_TRUE(seen.count(name)) << "known-text-failures.txt lists " << name << ", which is not a text case";
  std::cout << "tier2 text: " << passed << " of " << total << " cases pass\n";
}

}  // namespace
}  // namespace movie_test
