#pragma once
// Runs one corpus case (a folder with test.swf, test.toml and reference images) and
// judges it; reads the lists of cases that do not pass yet.
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "corpus_case.h"

namespace movie::text {
class FontService;
}

namespace movie_test {

struct Outcome {
  bool hasReference = false;
  bool passed = true;
  std::string detail;
};

std::string readFile(const std::filesystem::path& p);
// NAME  reason lines of tests/movie/<listName>; # starts a comment.
std::map<std::string, std::string> readKnownFailures(const std::string& listName);
// fonts: the device fonts the movie's text may use (may be null). Pixels in `unjudged`
// are left out of every comparison.
Outcome runCase(const std::filesystem::path& dir, movie::text::FontService* fonts,
                const std::vector<PixelBox>& unjudged = {});

// The case folders (those holding test.swf) of a corpus folder whose names `keep`
// accepts (all when it is empty), in name order.
std::vector<std::filesystem::path> corpusCases(const std::filesystem::path& corpus,
                                               const std::function<bool(const std::string&)>& keep = {});

struct ListedRun {
  int passed = 0, total = 0;    // cases with a reference image
  std::set<std::string> seen;   // every case run
};
// Runs each case and judges it against the cases listed in `listName` (known not to
// pass yet): an unlisted failure fails the test; a listed case that passes is reported
// so the list can shrink.
ListedRun runAgainstKnownFailures(const std::vector<std::filesystem::path>& cases,
                                  const std::map<std::string, std::string>& known, const std::string& listName,
                                  movie::text::FontService* fonts);

}  // namespace movie_test
