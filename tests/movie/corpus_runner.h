#pragma once
// Runs one corpus case (a folder with test.swf, test.toml and reference images) and
// judges it; reads the lists of cases that do not pass yet.
#include <filesystem>
#include <map>
#include <string>

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
// fonts: the device fonts the movie's text may use (may be null).
Outcome runCase(const std::filesystem::path& dir, movie::text::FontService* fonts);

}  // namespace movie_test
