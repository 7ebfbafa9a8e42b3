#pragma once
// The host's way to the network for what a movie's scripts load (loadMovie,
// loadVariables, LoadVars, MovieClipLoader). Addresses are absolute http or https ones.
// The host applies the bounds it fetches movies with (size, redirects, time) and answers
// each fetch later, never from inside fetch(), with Player::fetchDone.
#include <string>

namespace movie {

class Fetcher {
 public:
  virtual ~Fetcher() = default;
  // post: send body with POST (a url-encoded form); otherwise GET.
  virtual void fetch(int id, const std::string& url, bool post, const std::string& body) = 0;
  // No answer is wanted any more (the movie was replaced).
  virtual void cancel(int id) = 0;
};

}  // namespace movie
