// Renders the tier-2 corpus cases about text and fonts with the system's faces and
// compares them with their references. Cases that do not pass yet are listed in
// known-text-failures.txt with their reason; an unlisted failure fails the test.
#include <gtest/gtest.h>

#include <iostream>

#include "corpus_runner.h"
#include "test_font_service.h"

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
  TestFontService fonts;
  ListedRun run = runAgainstKnownFailures(corpusCases(corpus, isTextCase), known, "known-text-failures.txt", &fonts);
  for (const auto& [name, reason] : known)
    EXPECT_TRUE(run.seen.count(name)) << "known-text-failures.txt lists " << name << ", which is not a text case";
  std::cout << "tier2 text: " << run.passed << " of " << run.total << " cases pass\n";
}

}  // namespace
}  // namespace movie_test
