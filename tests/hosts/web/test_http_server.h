#pragma once
// A tiny HTTP server on 127.0.0.1 (an ephemeral port) inside the test program, serving
// pages the tests make. One connection at a time, one request per connection.
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace webtest {

struct Route {
  int status = 200;
  std::string contentType = "text/html";
  std::string body;
  std::string location;  // for redirects
  bool held = false;     // the answer waits until release() is called

  static Route html(std::string body, int status = 200) {
    Route r;
    r.status = status;
    r.body = std::move(body);
    return r;
  }
  static Route redirect(std::string location, int status = 302) {
    Route r;
    r.status = status;
    r.location = std::move(location);
    return r;
  }
};

class TestHttpServer {
 public:
  TestHttpServer();   // binds and starts the serving thread
  ~TestHttpServer();  // stops and joins it

  int port() const { return port_; }
  std::string url(const std::string& path) const;  // "http://127.0.0.1:<port><path>"
  void add(const std::string& path, Route route);
  void page(const std::string& path, const std::string& html) { add(path, Route::html(html)); }
  void release();  // lets held answers go
  std::vector<std::string> requests() const;  // paths asked for, in order
  size_t requestCount(const std::string& path) const;

 private:
  void serve();
  void answer(unsigned long long socket);

  unsigned long long listener_ = ~0ull;
  int port_ = 0;
  bool stop_ = false;
  bool released_ = false;
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  std::map<std::string, Route> routes_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

}  // namespace webtest
