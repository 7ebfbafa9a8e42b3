#pragma once
// What a movie's scripts load (movies, variables, LoadVars text), fetched with the same
// bounds on size, redirects and time as the movie itself; each result goes back to the
// player from the message loop, whole, once the fetch ends. Variables sent with POST go
// in the request's body as a url-encoded form.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "hosts/net/fetch.h"
#include "movie/fetcher.h"
#include "movie/player.h"

namespace hosts::flash {

class ScriptFetcher : public movie::Fetcher {
 public:
  // changed runs after a result was handed over and the picture may have changed.
  ScriptFetcher(movie::Player& player, size_t maxBytes, std::function<void()> changed)
      : player_(player), maxBytes_(maxBytes), changed_(std::move(changed)) {}
  ~ScriptFetcher() override;
  ScriptFetcher(const ScriptFetcher&) = delete;
  ScriptFetcher& operator=(const ScriptFetcher&) = delete;

  void fetch(int id, const std::string& url, bool post, const std::string& body) override;
  void cancel(int id) override;
  void cancelAll();

 private:
  struct Open {
    std::unique_ptr<net::Fetch> fetch;
    std::vector<uint8_t> bytes;
  };
  void finish(int id, bool ok);

  movie::Player& player_;
  size_t maxBytes_;
  std::function<void()> changed_;
  std::map<int, Open> open_;
};

}  // namespace hosts::flash
