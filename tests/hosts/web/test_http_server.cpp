#include "test_http_server.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <stdexcept>

namespace webtest {

namespace {
struct WinsockInit {
  WinsockInit() {
    WSADATA d;
    WSAStartup(MAKEWORD(2, 2), &d);
  }
};
}  // namespace

TestHttpServer::TestHttpServer() {
  static WinsockInit init;
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) throw std::runtime_error("socket");
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = 0;
  if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof(a)) != 0 || listen(s, 16) != 0)
    throw std::runtime_error("bind");
  int len = sizeof(a);
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  port_ = ntohs(a.sin_port);
  listener_ = s;
  thread_ = std::thread([this] { serve(); });
}

TestHttpServer::~TestHttpServer() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
    released_ = true;
  }
  cv_.notify_all();
  thread_.join();
  closesocket(static_cast<SOCKET>(listener_));
}

std::string TestHttpServer::url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void TestHttpServer::add(const std::string& path, Route route) {
  std::lock_guard<std::mutex> lock(mutex_);
  routes_[path] = std::move(route);
}

void TestHttpServer::release() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    released_ = true;
  }
  cv_.notify_all();
}

std::vector<std::string> TestHttpServer::requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

size_t TestHttpServer::requestCount(const std::string& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  size_t n = 0;
  for (auto& r : requests_) n += r == path;
  return n;
}

void TestHttpServer::serve() {
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (stop_) return;
    }
    fd_set set;
    FD_ZERO(&set);
    FD_SET(static_cast<SOCKET>(listener_), &set);
    timeval tv{0, 50 * 1000};  // wakes up to notice stop_
    if (select(0, &set, nullptr, nullptr, &tv) <= 0) continue;
    SOCKET c = accept(static_cast<SOCKET>(listener_), nullptr, nullptr);
    if (c == INVALID_SOCKET) continue;
    answer(c);
    closesocket(c);
  }
}

void TestHttpServer::answer(unsigned long long socketValue) {
  SOCKET c = static_cast<SOCKET>(socketValue);
  DWORD timeout = 5000;
  setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
  std::string request;
  char buf[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    int n = recv(c, buf, sizeof(buf), 0);
    if (n <= 0) return;
    request.append(buf, n);
  }
  size_t sp1 = request.find(' '), sp2 = request.find(' ', sp1 + 1);
  if (sp1 == std::string::npos || sp2 == std::string::npos) return;
  std::string path = request.substr(sp1 + 1, sp2 - sp1 - 1);
  Route route;
  bool found;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    requests_.push_back(path);
    auto it = routes_.find(path);
    found = it != routes_.end();
    if (found) route = it->second;
    if (found && route.held)
      cv_.wait_for(lock, std::chrono::seconds(20), [this] { return released_; });
  }
  if (!found) route = Route::html("<html><body>not here</body></html>", 404);
  std::string head = "HTTP/1.0 " + std::to_string(route.status) + " Status\r\n";
  if (!route.contentType.empty()) head += "Content-Type: " + route.contentType + "\r\n";
  if (!route.location.empty()) head += "Location: " + route.location + "\r\n";
  head += "Content-Length: " + std::to_string(route.body.size()) + "\r\nConnection: close\r\n\r\n";
  std::string all = head + route.body;
  size_t sent = 0;
  while (sent < all.size()) {
    int n = send(c, all.data() + sent, static_cast<int>(all.size() - sent), 0);
    if (n <= 0) return;
    sent += n;
  }
  shutdown(c, SD_SEND);
}

}  // namespace webtest
