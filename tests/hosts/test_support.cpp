#include "test_support.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cctype>
#include <chrono>
#include <cstdlib>

namespace hosts_test {

bool pumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > DWORD(timeoutMs)) return done();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

namespace {
int g_markers = 0;
LRESULT CALLBACK markerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_APP) ++g_markers;
  return DefWindowProcW(w, msg, wp, lp);
}
HWND markerWindow() {
  static HWND window = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = markerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HostsTestMarker";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }();
  return window;
}
int g_ticks = 0;
VOID CALLBACK countTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks; }
}  // namespace

void pumpPosted() {
  int wanted = g_markers + 1;
  PostMessageW(markerWindow(), WM_APP, 0, 0);
  pumpUntil([wanted] { return g_markers >= wanted; });
}

void pumpTimerPeriods(int periodMs, int periods) {
  g_ticks = 0;
  UINT_PTR timer = SetTimer(nullptr, 0, UINT(periodMs), countTick);
  pumpUntil([periods] { return g_ticks >= periods; });
  KillTimer(nullptr, timer);
}

namespace {

struct WinsockInit {
  WinsockInit() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
};
void ensureWinsock() { static WinsockInit init; }

}  // namespace

HttpServer::HttpServer() {
  ensureWinsock();
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  listen(s, 16);
  int len = sizeof addr;
  getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  listener_ = s;
  thread_ = std::thread([this] { run(); });
}

HttpServer::~HttpServer() {
  stop_ = true;
  released_ = true;
  closesocket(SOCKET(listener_));
  if (thread_.joinable()) thread_.join();
  for (auto& t : clients_)
    if (t.joinable()) t.join();
}

void HttpServer::serve(const std::string& path, Route route) {
  std::lock_guard g(mutex_);
  routes_[path] = std::move(route);
}

void HttpServer::release() { released_ = true; }

std::wstring HttpServer::url(const std::string& path) const {
  return L"http://127.0.0.1:" + std::to_wstring(port_) + std::wstring(path.begin(), path.end());
}

int HttpServer::hits(const std::string& path) const {
  std::lock_guard g(mutex_);
  auto it = hits_.find(path);
  return it == hits_.end() ? 0 : it->second;
}

HttpServer::Received HttpServer::received(const std::string& path) const {
  std::lock_guard g(mutex_);
  auto it = received_.find(path);
  return it == received_.end() ? Received{} : it->second;
}

void HttpServer::run() {
  while (!stop_) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(SOCKET(listener_), &set);
    timeval tv{0, 50000};
    if (select(0, &set, nullptr, nullptr, &tv) <= 0) continue;
    SOCKET client = accept(SOCKET(listener_), nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    clients_.emplace_back([this, client] { answer(client); });
  }
}

namespace {
void sendAll(SOCKET s, const char* data, size_t size) {
  while (size > 0) {
    int n = send(s, data, int(size), 0);
    if (n <= 0) return;
    data += n;
    size -= size_t(n);
  }
}
}  // namespace

namespace {
// A header's value (name matched in any case), or empty.
std::string headerOf(const std::string& head, const std::string& name) {
  std::string lower = head;
  for (char& c : lower) c = char(tolower(uint8_t(c)));
  std::string key = "\r\n" + name + ":";
  size_t at = lower.find(key);
  if (at == std::string::npos) return {};
  size_t start = head.find_first_not_of(' ', at + key.size());
  size_t end = head.find("\r\n", start);
  return head.substr(start, end == std::string::npos ? std::string::npos : end - start);
}
}  // namespace

// The method, Content-Type and body of a request whose head (and perhaps part of the
// body) was read; the rest of the body, as Content-Length counts it, is read here.
HttpServer::Received HttpServer::receivedOf(uintptr_t handle, const std::string& request) {
  Received out;
  size_t headEnd = request.find("\r\n\r\n");
  if (headEnd == std::string::npos) return out;
  std::string head = request.substr(0, headEnd + 2);
  out.method = head.substr(0, head.find(' '));
  out.contentType = headerOf(head, "content-type");
  size_t length = size_t(atoll(headerOf(head, "content-length").c_str()));
  out.body = request.substr(headEnd + 4);
  char buffer[2048];
  while (out.body.size() < length && out.body.size() < (size_t(1) << 20)) {
    int n = recv(SOCKET(handle), buffer, sizeof buffer, 0);
    if (n <= 0) break;
    out.body.append(buffer, size_t(n));
  }
  return out;
}

void HttpServer::answer(uintptr_t handle) {
  SOCKET client = SOCKET(handle);
  // Small pieces go out at once (no waiting for acknowledgements between them).
  BOOL noDelay = TRUE;
  setsockopt(client, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
  std::string request;
  char buffer[2048];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    int n = recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    request.append(buffer, size_t(n));
  }
  std::string path;
  size_t sp = request.find(' ');
  if (sp != std::string::npos) {
    size_t sp2 = request.find(' ', sp + 1);
    path = request.substr(sp + 1, sp2 == std::string::npos ? std::string::npos : sp2 - sp - 1);
  }
  Received got = receivedOf(client, request);
  Route route;
  bool found = false;
  {
    std::lock_guard g(mutex_);
    ++hits_[path];
    received_[path] = got;
    auto it = routes_.find(path);
    if (it != routes_.end()) {
      route = it->second;
      found = true;
    }
  }
  if (!found) {
    const char* notFound = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    sendAll(client, notFound, strlen(notFound));
  } else {
    std::string head = "HTTP/1.1 " + std::to_string(route.status) +
                       (route.status == 200 ? " OK" : " Moved") + "\r\n";
    if (!route.location.empty()) head += "Location: " + route.location + "\r\n";
    head += "Content-Type: " + route.contentType + "\r\nContent-Length: " +
            std::to_string(route.body.size()) + "\r\nConnection: close\r\n\r\n";
    sendAll(client, head.data(), head.size());
    while (route.hold && !released_) Sleep(10);
    const size_t step = route.chunk ? route.chunk : route.body.size();
    for (size_t at = 0; at < route.body.size() && !stop_; at += step) {
      sendAll(client, reinterpret_cast<const char*>(route.body.data()) + at,
              std::min(step, route.body.size() - at));
      if (route.pauseMs) Sleep(DWORD(route.pauseMs));
    }
  }
  shutdown(client, SD_SEND);
  closesocket(client);
}

int unusedPort() {
  ensureWinsock();
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  int len = sizeof addr;
  getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
  closesocket(s);
  return ntohs(addr.sin_port);
}

HostWindow::HostWindow(int width, int height) {
  static const wchar_t* kClass = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = HBRUSH(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = L"HostsTestWindow";
    RegisterClassW(&wc);
    return L"HostsTestWindow";
  }();
  hwnd_ = CreateWindowExW(WS_EX_TOPMOST, kClass, L"hosts test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                          width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  pumpPosted();
}

HostWindow::~HostWindow() { DestroyWindow(hwnd_); }

uint32_t pixelAt(HWND window, int x, int y) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = GetDC(window);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

}  // namespace hosts_test
