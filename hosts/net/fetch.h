#pragma once
// Fetching one address with the platform's HTTP services (WinINet) on a worker thread.
// Nothing is written to disk (no cache file, no cookies). Redirects are followed here, one
// hop at a time and at most FetchOptions::maxRedirects of them, because the system's own
// following has no bound that a redirect loop would meet. Results are posted back to the thread
// that called fetch() (it must run a message loop) and handed to the handlers there, in
// order: response once, then data chunks, then exactly one of done or failed. After
// cancel(), or once the Fetch is destroyed, no handler runs any more; the worker notices,
// closes its handles and ends. Only http and https addresses are fetched, redirects
// included; any other fails.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hosts::net {

struct Response {
  unsigned status = 0;          // HTTP status (200...); 0 for non-HTTP addresses
  std::wstring contentType;     // the Content-Type header as sent, may be empty
  std::wstring finalUrl;        // the address after redirects
  uint64_t contentLength = 0;   // the Content-Length header; 0 when unknown
};

struct FetchHandlers {
  std::function<void(const Response&)> response;
  std::function<void(std::vector<uint8_t>&& chunk)> data;
  std::function<void()> done;
  // reason: a short plain text (the system's text for the failure, or "HTTP 404" and
  // the like), as a wide string ready for drawing. A response that was never handed over
  // (an error status, too many redirects) fails without one.
  std::function<void(const std::wstring& reason)> failed;
};

struct FetchOptions {
  size_t maxBytes = 64u << 20;      // more than this fails the fetch ("too large")
  size_t chunkSize = 16u << 10;     // bytes read per InternetReadFile
  unsigned timeoutMs = 15000;       // connect, send and receive timeouts
  int maxRedirects = 8;             // redirects followed; one more fails ("too many redirects")
  std::wstring userAgent = L"Brimblo";
  // Set: the address is sent this url-encoded form with POST (application/x-www-form-
  // urlencoded; a form larger than maxBytes fails). A redirect with 307 or 308 sends it
  // again; the other redirects fetch their address with GET.
  std::optional<std::string> form;
};

class Fetch {
 public:
  Fetch(const Fetch&) = delete;
  Fetch& operator=(const Fetch&) = delete;
  ~Fetch();  // cancels
  void cancel();
  bool active() const;  // started and neither finished, failed nor cancelled

  struct State;  // shared by the caller and the worker (defined in fetch.cpp)
  explicit Fetch(std::shared_ptr<State> state);

 private:
  std::shared_ptr<State> state_;
};

// Starts fetching url. Must be called on a thread with a message loop; the handlers run
// on that thread from its message loop, never inside fetch() itself.
std::unique_ptr<Fetch> fetch(const std::wstring& url, FetchHandlers handlers,
                             FetchOptions options = {});

// How many workers are still running (tests wait for 0 to see cancelled workers end).
int runningWorkers();

}  // namespace hosts::net
