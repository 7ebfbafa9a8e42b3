#include "web_test_support.h"

#include <chrono>

#include "hosts/com/dispatch.h"

namespace webtest {

using namespace hosts;

std::wstring widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

bool pumpUntil(const std::function<bool()>& done, int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) return done();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<long long>(left, 20)), QS_ALLINPUT);
  }
}

namespace {
LRESULT CALLBACK parentProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }

// One parent for all tests, resized for each: destroying a top-level window costs Wine
// about two seconds without a window manager.
HWND sharedParent(int width, int height) {
  static HWND parent = nullptr;
  if (parent) {
    SetWindowPos(parent, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return parent;
  }
  {
    WNDCLASSW wc{};
    wc.lpfnWndProc = parentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WebTestParent";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassW(&wc);
  }
  parent = CreateWindowExW(0, L"WebTestParent", L"web test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                           0, 0, width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  return parent;
}
}  // namespace

ComponentUnderTest::ComponentUnderTest(int width, int height, web::WebPageOptions options) {
  if (!options.openLink) options.openLink = [this](const std::wstring& a) { opened.push_back(a); };
  parent_ = sharedParent(width, height);
  com::Ptr<IUnknown> object = web::makeWebPageComponent(std::move(options));
  dispatch_ = object.query<IDispatch>(IID_IDispatch);
  embedding_ = object.query<com::IEmbeddedComponent>(com::IID_IEmbeddedComponent);
  sink_ = com::make<com::EventSink>();
  sink_->on(web::kDispDocumentComplete, [this](const com::DispArgs& a) {
    Completed c;
    c.hadWindowObject = a.size() >= 1 && a[0].vt == VT_DISPATCH && a[0].pdispVal != nullptr;
    if (a.size() >= 2) c.url = a.string(1);
    completed.push_back(c);
  });
  embedding_->Advise(sink_.get());
  embedding_->CreateComponentWindow(parent_, &view_);
  RECT r{0, 0, width, height};
  embedding_->SetBounds(&r);
}

ComponentUnderTest::~ComponentUnderTest() {
  if (embedding_) {
    embedding_->Advise(nullptr);
    embedding_->DestroyComponentWindow();
  }
  embedding_.reset();
  dispatch_.reset();
}

void ComponentUnderTest::navigate(const std::string& url) {
  com::callByName(dispatch_.get(), L"Navigate",
                  {com::Variant(std::wstring_view(widen(url))), com::Variant::omitted(),
                   com::Variant::omitted(), com::Variant::omitted(), com::Variant::omitted()});
}

bool ComponentUnderTest::waitForCompletions(size_t n, int timeoutMs) {
  return pumpUntil([&] { return completed.size() >= n; }, timeoutMs);
}

bool ComponentUnderTest::waitUntilIdle(int timeoutMs) {
  return pumpUntil([&] { return !com::getByName(dispatch_.get(), L"Busy").toBool(); }, timeoutMs);
}

COLORREF ComponentUnderTest::pixel(int x, int y) {
  // Paint now, then read back what the window holds.
  RedrawWindow(view_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetDC(view_);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(view_, dc);
  return c;
}

bool ComponentUnderTest::hasVerticalBar() const {
  return (GetWindowLongW(view_, GWL_STYLE) & WS_VSCROLL) != 0;
}
bool ComponentUnderTest::hasHorizontalBar() const {
  return (GetWindowLongW(view_, GWL_STYLE) & WS_HSCROLL) != 0;
}

}  // namespace webtest
