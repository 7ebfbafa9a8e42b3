#pragma once
// A player over a movie at http://lessons.test/edu/3/01.swf whose fetches the test answers
// itself, keeping what the movie traces.
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "movie_fixtures.h"

namespace movie_test {

struct RecordingFetcher : movie::Fetcher {
  std::vector<std::pair<int, std::string>> requests;
  void fetch(int id, const std::string& url, bool, const std::string&) override { requests.emplace_back(id, url); }
  void cancel(int) override {}
};

struct FetchRun {
  RecordingFetcher fetcher;
  movie::Player player;
  std::vector<std::string> lines;
  size_t answered = 0;  // requests answered by answerNext
  explicit FetchRun(const swf::Bytes& movie) {
    player.setTraceHandler([this](const std::string& l) { lines.push_back(l); });
    player.setFetcher(&fetcher);
    player.setMovieAddress("http://lessons.test/edu/3/01.swf");
    load(player, movie);
  }
  void answer(size_t index, const swf::Bytes& bytes, bool ok = true) {
    ASSERT_LT(index, fetcher.requests.size());
    player.fetchDone(fetcher.requests[index].first, ok, bytes.data(), bytes.size());
  }
  // Answers the oldest request not answered yet.
  void answerNext(const swf::Bytes& bytes, bool ok = true) { answer(answered++, bytes, ok); }
  uint32_t pixel(int x, int y) { return rgbOf(renderPixels(player, 100, 100)[size_t(y) * 100 + x]); }
};

}  // namespace movie_test
