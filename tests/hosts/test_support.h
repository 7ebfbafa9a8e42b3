#pragma once
// Helpers of the hosts' tests: waiting on the message loop with a deadline, and a tiny
// HTTP server on 127.0.0.1 (an ephemeral port) run by a thread inside the test.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace hosts_test {

// Dispatches messages until done() is true or timeoutMs passes; returns done().
bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 10000);
// Dispatches every message posted to this thread so far: a marker posted now is taken
// from the queue after all of them (posted messages leave the queue in order).
void pumpPosted();
// Dispatches messages until a timer of this period has fired the given number of times:
// long enough for a timer of that period in the code under test to have fired too.
void pumpTimerPeriods(int periodMs, int periods);

class HttpServer {
 public:
  HttpServer();
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  struct Route {
    std::vector<uint8_t> body;
    std::string contentType = "application/octet-stream";
    size_t chunk = 0;     // > 0: the body is sent in pieces of this size...
    int pauseMs = 0;      // ...with this pause between them
    bool hold = false;    // send the headers, then wait until release() or shutdown
    int status = 200;     // 3xx with a location: a redirect
    std::string location{};  // the Location header, sent when not empty

    static Route redirect(std::string to, int status = 302) {
      Route r;
      r.status = status;
      r.location = std::move(to);
      r.contentType = "text/html";
      return r;
    }
  };
  void serve(const std::string& path, Route route);
  void release();  // lets held responses finish

  int port() const { return port_; }
  std::wstring url(const std::string& path) const;
  int hits(const std::string& path) const;
  // The last request for a path as it came: its method, Content-Type and body (empty
  // when none came).
  struct Received {
    std::string method, contentType, body;
  };
  Received received(const std::string& path) const;

 private:
  void run();
  void answer(uintptr_t client);
  static Received receivedOf(uintptr_t client, const std::string& request);
  uintptr_t listener_ = ~uintptr_t(0);
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<bool> released_{false};
  mutable std::mutex mutex_;
  std::map<std::string, Route> routes_;
  std::map<std::string, int> hits_;
  std::map<std::string, Received> received_;
  std::thread thread_;
  std::vector<std::thread> clients_;
};

// A port on 127.0.0.1 where nothing listens (bound once, then closed).
int unusedPort();

// A visible top-level window at the screen's top-left corner to host components in.
class HostWindow {
 public:
  HostWindow(int width, int height);
  ~HostWindow();
  HWND handle() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// The colour on screen at a client point of a window (0xRRGGBB), after it repainted.
uint32_t pixelAt(HWND window, int x, int y);

}  // namespace hosts_test
