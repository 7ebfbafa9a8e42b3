#include "hosts/net/fetch.h"

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <cwchar>
#include <deque>
#include <mutex>
#include <thread>

namespace hosts::net {

namespace {

constexpr UINT kDeliverMessage = WM_APP + 0x4E;
std::atomic<int> gRunning{0};

}  // namespace

// One result crossing from the worker to the UI thread (outside the anonymous namespace,
// as the fetch's state holds a queue of them).
struct FetchDelivery {
  enum Kind { kResponse, kData, kDone, kFailed } kind;
  Response response;
  std::vector<uint8_t> data;
  std::wstring reason;
};

struct Fetch::State {
  std::wstring url;
  FetchOptions options;
  FetchHandlers handlers;      // used on the UI thread only
  HWND poster = nullptr;       // the UI thread's delivery window
  std::atomic<bool> cancelled{false};
  bool finished = false;       // UI thread: done or failed was delivered
  // Results wait in a locked queue; one posted message at a time wakes the UI thread,
  // so a large movie never runs into the limit of posted messages per queue.
  std::mutex lock;
  std::deque<std::unique_ptr<FetchDelivery>> queue;
  bool wakePending = false;
};

namespace {

void deliver(Fetch::State& s, FetchDelivery* d) {
  if (s.cancelled.load() || s.finished) return;
  switch (d->kind) {
    case FetchDelivery::kResponse:
      if (s.handlers.response) s.handlers.response(d->response);
      break;
    case FetchDelivery::kData:
      if (s.handlers.data) s.handlers.data(std::move(d->data));
      break;
    case FetchDelivery::kDone:
      s.finished = true;
      if (s.handlers.done) s.handlers.done();
      break;
    case FetchDelivery::kFailed:
      s.finished = true;
      if (s.handlers.failed) s.handlers.failed(d->reason);
      break;
  }
}

LRESULT CALLBACK posterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kDeliverMessage) {
    // The message owns one reference to the state, which keeps it alive while its
    // handlers run (a handler may drop the Fetch).
    std::unique_ptr<std::shared_ptr<Fetch::State>> ref(reinterpret_cast<std::shared_ptr<Fetch::State>*>(lp));
    Fetch::State& s = **ref;
    std::deque<std::unique_ptr<FetchDelivery>> batch;
    {
      std::lock_guard guard(s.lock);
      batch.swap(s.queue);
      s.wakePending = false;
    }
    for (auto& d : batch) deliver(s, d.get());
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// A message-only window per UI thread; posted results arrive through its loop.
HWND posterWindow() {
  thread_local HWND window = nullptr;
  if (window && IsWindow(window)) return window;
  static const wchar_t* kClass = L"BrimbloFetchResults";
  static bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = posterProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
  window = CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  return window;
}

void post(const std::shared_ptr<Fetch::State>& state, std::unique_ptr<FetchDelivery> d) {
  if (state->cancelled.load()) return;
  {
    std::lock_guard guard(state->lock);
    state->queue.push_back(std::move(d));
    if (state->wakePending) return;
    state->wakePending = true;
  }
  // Wake the UI thread; should its queue be full for a moment, try again.
  for (int attempt = 0; attempt < 1000 && !state->cancelled.load(); ++attempt) {
    auto* ref = new std::shared_ptr<Fetch::State>(state);
    if (PostMessageW(state->poster, kDeliverMessage, 0, reinterpret_cast<LPARAM>(ref))) return;
    delete ref;
    if (!IsWindow(state->poster)) break;
    Sleep(10);
  }
  std::lock_guard guard(state->lock);
  state->wakePending = false;
}

std::wstring errorText(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE |
                               FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           GetModuleHandleW(L"wininet.dll"), code, 0,
                           reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = n && buffer ? std::wstring(buffer, n) : std::wstring();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  if (text.empty()) text = L"网络错误 " + std::to_wstring(code);
  return text;
}

void failWith(const std::shared_ptr<Fetch::State>& state, std::wstring reason) {
  auto d = std::make_unique<FetchDelivery>();
  d->kind = FetchDelivery::kFailed;
  d->reason = std::move(reason);
  post(state, std::move(d));
}

// Closes a WinINet handle at the end of a scope.
struct Handle {
  HINTERNET h = nullptr;
  Handle() = default;
  explicit Handle(HINTERNET handle) : h(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { reset(); }
  void reset(HINTERNET handle = nullptr) {
    if (h) InternetCloseHandle(h);
    h = handle;
  }
};

std::wstring queryText(HINTERNET request, DWORD what) {
  std::vector<wchar_t> buffer(1024);
  for (int attempt = 0; attempt < 2; ++attempt) {
    DWORD size = DWORD(buffer.size() * sizeof(wchar_t));
    DWORD index = 0;
    if (HttpQueryInfoW(request, what, buffer.data(), &size, &index))
      return std::wstring(buffer.data(), size / sizeof(wchar_t));
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
    buffer.resize(size / sizeof(wchar_t) + 1);  // size: the bytes needed
  }
  return {};
}

bool isRedirect(DWORD status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The address a Location header names, relative ones taken against the current address.
bool resolve(const std::wstring& base, const std::wstring& location, std::wstring& out) {
  std::vector<wchar_t> buffer(INTERNET_MAX_URL_LENGTH + 1);
  DWORD n = DWORD(buffer.size());
  if (!InternetCombineUrlW(base.c_str(), location.c_str(), buffer.data(), &n, ICU_NO_ENCODE)) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
    buffer.resize(n + 1);
    n = DWORD(buffer.size());
    if (!InternetCombineUrlW(base.c_str(), location.c_str(), buffer.data(), &n, ICU_NO_ENCODE))
      return false;
  }
  out.assign(buffer.data(), n);
  return true;
}

// Only the web: a redirect must not lead to a file, FTP or any other scheme WinINet knows.
bool isWebAddress(const std::wstring& url) {
  auto startsWith = [&](const wchar_t* prefix) {
    size_t n = wcslen(prefix);
    return url.size() > n && _wcsnicmp(url.c_str(), prefix, n) == 0;
  };
  return startsWith(L"http://") || startsWith(L"https://");
}

// A POST of form to url (InternetOpenUrl only fetches with GET): a connection to the
// host, then the request on it. False, with the system's error, when either fails.
bool openPost(HINTERNET session, const std::wstring& url, const std::string& form, DWORD flags, Handle& connection,
              Handle& request) {
  URL_COMPONENTSW parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = 1;  // pointers into url
  if (!InternetCrackUrlW(url.c_str(), DWORD(url.size()), 0, &parts)) return false;
  std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring object = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                        std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (object.empty() || object[0] != L'/') object.insert(0, L"/");
  if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
  connection.reset(InternetConnectW(session, host.c_str(), parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection.h) return false;
  request.reset(HttpOpenRequestW(connection.h, L"POST", object.c_str(), nullptr, nullptr, nullptr, flags, 0));
  if (!request.h) return false;
  static const wchar_t kFormHeader[] = L"Content-Type: application/x-www-form-urlencoded\r\n";
  return HttpSendRequestW(request.h, kFormHeader, DWORD(-1), const_cast<char*>(form.data()), DWORD(form.size()));
}

// Always from the network, nothing kept on disk, and redirects followed by hand.
constexpr DWORD kRequestFlags = INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_UI |
                                INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_COOKIES |
                                INTERNET_FLAG_NO_AUTO_REDIRECT;

// An internet session with the fetch's timeouts (null when the system has none to give).
HINTERNET openSession(const FetchOptions& o) {
  HINTERNET session = InternetOpenW(o.userAgent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (!session) return nullptr;
  DWORD timeout = o.timeoutMs;
  InternetSetOptionW(session, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
  InternetSetOptionW(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
  InternetSetOptionW(session, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof timeout);
  return session;
}

DWORD statusOf(HINTERNET request) {
  DWORD status = 0, size = sizeof status, index = 0;
  if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, &index))
    return 0;  // not HTTP
  return status;
}

// A request that has come to an address that does not redirect: the open request, the
// final address and its status. When `ok` is false the fetch has failed or was cancelled.
struct Opened {
  bool ok = false;
  Handle connection;  // a POST's; closed with its request
  Handle request;
  std::wstring url;
  DWORD status = 0;
};

// Opens the fetch's address (a POST when it carries a form) and follows redirects to
// web addresses only, up to the allowed number.
void openFollowingRedirects(const std::shared_ptr<Fetch::State>& state, HINTERNET session, Opened& out) {
  const FetchOptions& o = state->options;
  const int maxRedirects = o.maxRedirects > 0 ? o.maxRedirects : 0;
  std::optional<std::string> form = o.form;
  if (form && form->size() > o.maxBytes) return failWith(state, L"内容过大");
  out.url = state->url;
  for (int redirects = 0;; ++redirects) {
    if (!isWebAddress(out.url)) return failWith(state, errorText(ERROR_INTERNET_UNRECOGNIZED_SCHEME));
    out.request.reset();
    out.connection.reset();
    bool opened = false;
    if (form) {
      opened = openPost(session, out.url, *form, kRequestFlags, out.connection, out.request);
    } else {
      out.request.reset(InternetOpenUrlW(session, out.url.c_str(), nullptr, 0, kRequestFlags, 0));
      opened = out.request.h != nullptr;
    }
    if (!opened) return failWith(state, errorText(GetLastError()));
    if (state->cancelled.load()) return;
    out.status = statusOf(out.request.h);
    if (!isRedirect(out.status)) break;
    if (redirects >= maxRedirects) return failWith(state, L"重定向次数过多");
    std::wstring location = queryText(out.request.h, HTTP_QUERY_LOCATION);
    if (location.empty()) return failWith(state, L"HTTP " + std::to_wstring(out.status));
    std::wstring next;
    if (!resolve(out.url, location, next)) return failWith(state, errorText(GetLastError()));
    out.url = std::move(next);
    if (out.status != 307 && out.status != 308) form.reset();  // the form goes on only where asked to
  }
  out.ok = true;
}

// The response's status and headers; false when the status is an error.
bool deliverHead(const std::shared_ptr<Fetch::State>& state, const Opened& opened) {
  auto head = std::make_unique<FetchDelivery>();
  head->kind = FetchDelivery::kResponse;
  Response& r = head->response;
  r.status = opened.status;
  r.contentType = queryText(opened.request.h, HTTP_QUERY_CONTENT_TYPE);
  DWORD length = 0, size = sizeof length, index = 0;
  if (HttpQueryInfoW(opened.request.h, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, &index))
    r.contentLength = length;
  r.finalUrl = opened.url;
  if (r.status >= 400) {
    failWith(state, L"HTTP " + std::to_wstring(r.status));
    return false;
  }
  post(state, std::move(head));
  return true;
}

// The body in chunks as it arrives, then the end; stops at the size bound.
void deliverBody(const std::shared_ptr<Fetch::State>& state, HINTERNET request) {
  const FetchOptions& o = state->options;
  size_t total = 0;
  const size_t chunk = o.chunkSize ? o.chunkSize : 16384;
  for (;;) {
    if (state->cancelled.load()) return;
    std::vector<uint8_t> buffer(chunk);
    DWORD got = 0;
    if (!InternetReadFile(request, buffer.data(), DWORD(buffer.size()), &got))
      return failWith(state, errorText(GetLastError()));
    if (got == 0) break;
    total += got;
    if (total > o.maxBytes) return failWith(state, L"内容过大");
    buffer.resize(got);
    auto d = std::make_unique<FetchDelivery>();
    d->kind = FetchDelivery::kData;
    d->data = std::move(buffer);
    post(state, std::move(d));
  }
  auto done = std::make_unique<FetchDelivery>();
  done->kind = FetchDelivery::kDone;
  post(state, std::move(done));
}

void work(std::shared_ptr<Fetch::State> state) {
  Handle session(openSession(state->options));
  if (!session.h) return failWith(state, errorText(GetLastError()));
  if (state->cancelled.load()) return;
  Opened opened;
  openFollowingRedirects(state, session.h, opened);
  if (!opened.ok || !deliverHead(state, opened)) return;
  deliverBody(state, opened.request.h);
}

}  // namespace

Fetch::Fetch(std::shared_ptr<State> state) : state_(std::move(state)) {}
Fetch::~Fetch() { cancel(); }

void Fetch::cancel() {
  if (state_) state_->cancelled.store(true);
}

bool Fetch::active() const { return state_ && !state_->cancelled.load() && !state_->finished; }

std::unique_ptr<Fetch> fetch(const std::wstring& url, FetchHandlers handlers, FetchOptions options) {
  auto state = std::make_shared<Fetch::State>();
  state->url = url;
  state->options = std::move(options);
  state->handlers = std::move(handlers);
  state->poster = posterWindow();
  std::unique_ptr<Fetch> f(new Fetch(state));
  if (!state->poster) {
    // Without the thread's delivery window nothing could come back: the fetch stays
    // inactive and no worker starts.
    state->cancelled.store(true);
    return f;
  }
  ++gRunning;
  std::thread([state] {
    work(state);
    --gRunning;
  }).detach();
  return f;
}

int runningWorkers() { return gRunning.load(); }

}  // namespace hosts::net
