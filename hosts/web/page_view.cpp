#include "hosts/web/page_view.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "page/util/url.h"
#include "ui/text.h"

namespace hosts::web {

namespace {

constexpr wchar_t kClassName[] = L"BrimbloPageView";
constexpr UINT_PTR kAnimationTimer = 1;
constexpr int kMinTimerMs = 10;     // faster animations than this are stepped at this rate
constexpr int kWheelStepPx = 48;
constexpr int kLineStepPx = 16;

void registerClassOnce(WNDPROC proc) {
  static bool done = false;
  if (done) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  wc.hbrBackground = nullptr;  // everything is painted off screen, never erased
  RegisterClassExW(&wc);
  done = true;
}

}  // namespace

PageView::PageView(HWND parent, const RECT& bounds, Callbacks callbacks)
    : callbacks_(std::move(callbacks)) {
  if (!callbacks_.openLink) callbacks_.openLink = &PageView::openInShell;
  registerClassOnce(&PageView::windowProc);
  CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, bounds.left,
                  bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                  nullptr, GetModuleHandleW(nullptr), this);
}

PageView::~PageView() {
  cancelFetches();
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void PageView::setBounds(const RECT& b) {
  if (hwnd_) MoveWindow(hwnd_, b.left, b.top, b.right - b.left, b.bottom - b.top, TRUE);
}

void PageView::openInShell(const std::wstring& address) {
  ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::shared_ptr<page::ScriptObject> PageView::automation() { return page_.automation(); }

void PageView::navigate(const std::string& url) {
  cancelFetches();
  bitmaps_.clear();
  url_ = url;
  topRequestId_ = -1;
  topFailed_ = false;
  loading_ = true;
  page_.navigate(url);
  if (hwnd_) {
    ShowScrollBar(hwnd_, SB_BOTH, FALSE);
    InvalidateRect(hwnd_, nullptr, FALSE);
  }
  scheduleAnimation();
  pumpEngine();
}

void PageView::refresh() {
  if (!url_.empty()) navigate(url_);
}

void PageView::pumpEngine() {
  for (auto& r : page_.takeRequests()) {
    if (topRequestId_ < 0 && r.kind == page::RequestKind::Document) topRequestId_ = r.id;
    startFetch(r.id, r.url);
  }
  std::vector<page::Completion> done = page_.takeCompletions();
  bool topDone = false;
  for (auto& c : done) topDone = topDone || c.topLevel;
  if (topDone || topFailed_) {
    loading_ = false;
    relayout();
    scheduleAnimation();
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
  }
  if (topFailed_) return;  // a page that could not be fetched reports nothing
  for (auto& c : done)
    if (callbacks_.documentComplete) callbacks_.documentComplete(c);
}

void PageView::startFetch(int id, const std::string& url) {
  // Handlers run on this thread's message loop and never after the fetch is cancelled,
  // which cancelFetches() does before the view goes away.
  net::FetchHandlers h;
  h.response = [this, id](const net::Response& r) {
    auto it = fetches_.find(id);
    if (it == fetches_.end()) return;
    it->second.contentType = ui::toUtf8(r.contentType);
    it->second.finalUrl = ui::toUtf8(r.finalUrl);
  };
  h.data = [this, id](std::vector<uint8_t>&& chunk) {
    auto it = fetches_.find(id);
    if (it != fetches_.end()) it->second.body.append(chunk.begin(), chunk.end());
  };
  h.done = [this, id] { answer(id, true); };
  h.failed = [this, id](const std::wstring&) { answer(id, false); };
  net::FetchOptions options;
  options.maxBytes = std::max(page::kMaxDocumentBytes, page::kMaxImageBytes);
  options.maxRedirects = page::kMaxRedirects;
  PendingFetch& pending = fetches_[id];
  pending.finalUrl = url;
  pending.fetch = net::fetch(ui::fromUtf8(url), std::move(h), options);
}

void PageView::cancelFetches() {
  for (auto& [id, pending] : fetches_)
    if (pending.fetch) pending.fetch->cancel();
  fetches_.clear();
}

void PageView::answer(int id, bool ok) {
  auto it = fetches_.find(id);
  if (it == fetches_.end()) return;
  // Taken out first: the engine may start or cancel fetches while it takes the answer.
  PendingFetch done = std::move(it->second);
  fetches_.erase(it);
  if (ok) {
    page_.deliver(id, reinterpret_cast<const uint8_t*>(done.body.data()), done.body.size(),
                  done.contentType, done.finalUrl);
  } else {
    page_.fail(id);
    if (id == topRequestId_) topFailed_ = true;
  }
  pumpEngine();
}

void PageView::pageChanged() {
  relayout();
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void PageView::relayout() {
  // Nothing is laid out before the page has arrived: until then only the background shows.
  if (!hwnd_ || inLayout_ || loading_ || topFailed_) return;
  inLayout_ = true;
  RECT wr{};
  GetWindowRect(hwnd_, &wr);
  int w = std::max<int>(0, wr.right - wr.left), h = std::max<int>(0, wr.bottom - wr.top);
  page_.layout(w, h, measurer_, GetSystemMetrics(SM_CXVSCROLL));
  updateScrollBars(page_.scrollState());
  inLayout_ = false;
}

void PageView::updateScrollBars(const page::ScrollState& s) {
  bool showV = s.verticalBar && !loading_ && !topFailed_;
  bool showH = s.horizontalBar && !loading_ && !topFailed_;
  ShowScrollBar(hwnd_, SB_VERT, showV);
  ShowScrollBar(hwnd_, SB_HORZ, showH);
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (showV) {
    si.nMin = 0;
    si.nMax = std::max(0, s.contentHeight - 1);
    si.nPage = static_cast<UINT>(std::max(0, s.viewHeight));
    si.nPos = s.scrollY;
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
  }
  if (showH) {
    si.nMin = 0;
    si.nMax = std::max(0, s.contentWidth - 1);
    si.nPage = static_cast<UINT>(std::max(0, s.viewWidth));
    si.nPos = s.scrollX;
    SetScrollInfo(hwnd_, SB_HORZ, &si, TRUE);
  }
}

void PageView::scheduleAnimation() {
  if (!hwnd_) return;
  std::optional<int> delay;
  if (!loading_ && !topFailed_) delay = page_.advance(0);
  if (delay) {
    if (!timerArmed_) lastTick_ = std::chrono::steady_clock::now();
    SetTimer(hwnd_, kAnimationTimer, static_cast<UINT>(std::max(*delay, kMinTimerMs)), nullptr);
    timerArmed_ = true;
  } else if (timerArmed_) {
    KillTimer(hwnd_, kAnimationTimer);
    timerArmed_ = false;
  }
}

void PageView::onTimer() {
  auto now = std::chrono::steady_clock::now();
  auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - lastTick_).count();
  lastTick_ = now;
  std::optional<int> delay = page_.advance(static_cast<int>(std::clamp<long long>(elapsed, 0, 60000)));
  InvalidateRect(hwnd_, nullptr, FALSE);
  if (delay) {
    SetTimer(hwnd_, kAnimationTimer, static_cast<UINT>(std::max(*delay, kMinTimerMs)), nullptr);
  } else {
    KillTimer(hwnd_, kAnimationTimer);
    timerArmed_ = false;
  }
}

void PageView::paint(HDC dc, const RECT& client) {
  int w = client.right - client.left, h = client.bottom - client.top;
  if (w <= 0 || h <= 0) return;
  if (!loading_ && !topFailed_ && page_.needsLayout()) relayout();
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, w, h);
  HGDIOBJ oldBmp = SelectObject(mem, bmp);
  if (loading_ || topFailed_ || !page_.complete()) {
    // Blank until the page and all it holds have arrived: only the background shows.
    COLORREF bg = topFailed_ ? RGB(255, 255, 255) : toColorRef(page_.backgroundColor());
    HBRUSH brush = CreateSolidBrush(bg);
    RECT r{0, 0, w, h};
    FillRect(mem, &r, brush);
    DeleteObject(brush);
  } else {
    DisplayPainter(fonts_, bitmaps_).paint(mem, page_.displayList());
  }
  BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
  SelectObject(mem, oldBmp);
  DeleteObject(bmp);
  DeleteDC(mem);
}

void PageView::onScroll(int bar, WORD code) {
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  if (!GetScrollInfo(hwnd_, bar, &si)) return;
  int pos = si.nPos;
  switch (code) {
    case SB_LINEUP: pos -= kLineStepPx; break;
    case SB_LINEDOWN: pos += kLineStepPx; break;
    case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  page::ScrollState s = page_.scrollState();
  if (bar == SB_VERT) page_.scrollTo(s.scrollX, pos); else page_.scrollTo(pos, s.scrollY);
  updateScrollBars(page_.scrollState());
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void PageView::onClick(int x, int y) {
  if (loading_ || topFailed_) return;
  std::optional<std::string> link = page_.linkAt(x, y);
  if (!link || page_.linkAt(pressed_.x, pressed_.y) != link) return;
  if (page::isWebAddress(*link)) callbacks_.openLink(ui::fromUtf8(*link));
}

void PageView::copyText(const std::string& utf8) {
  std::wstring w = ui::fromUtf8(utf8);
  if (!OpenClipboard(hwnd_)) return;
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (w.size() + 1) * sizeof(wchar_t));
  if (mem) {
    void* p = GlobalLock(mem);
    std::memcpy(p, w.c_str(), (w.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(mem);
    if (!SetClipboardData(CF_UNICODETEXT, mem)) GlobalFree(mem);
  }
  CloseClipboard();
}

void PageView::showMenu(POINT screen, std::optional<std::string> link) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, kMenuRefresh, L"刷新");
  AppendMenuW(menu, MF_STRING | (link ? 0 : MF_GRAYED), kMenuCopyLink, L"复制链接地址");
  UINT cmd = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y,
                            0, hwnd_, nullptr);
  DestroyMenu(menu);
  if (cmd == kMenuRefresh) refresh();
  else if (cmd == kMenuCopyLink && link) copyText(*link);
}

LRESULT CALLBACK PageView::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<PageView*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<PageView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  return self->handle(msg, wp, lp);
}

LRESULT PageView::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: onPaint(); return 0;
    case WM_SIZE:
      if (!inLayout_) {
        relayout();
        InvalidateRect(hwnd_, nullptr, FALSE);
      }
      return 0;
    case WM_TIMER:
      if (wp == kAnimationTimer) onTimer();
      return 0;
    case WM_VSCROLL: onScroll(SB_VERT, LOWORD(wp)); return 0;
    case WM_HSCROLL: onScroll(SB_HORZ, LOWORD(wp)); return 0;
    case WM_MOUSEWHEEL: onWheel(GET_WHEEL_DELTA_WPARAM(wp)); return 0;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        setPointerShape();
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      pressed_ = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      return 0;
    case WM_LBUTTONUP:
      onClick(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      pressed_ = {-1, -1};
      return 0;
    case WM_RBUTTONUP: onRightClick(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_CONTEXTMENU:
      if (lp == -1) {  // from the keyboard
        POINT pt{0, 0};
        ClientToScreen(hwnd_, &pt);
        showMenu(pt, std::nullopt);
      }
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd_, kAnimationTimer);
      timerArmed_ = false;
      break;
    case WM_NCDESTROY: {
      HWND gone = hwnd_;
      hwnd_ = nullptr;
      return DefWindowProcW(gone, msg, wp, lp);
    }
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

void PageView::onPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  paint(dc, client);
  EndPaint(hwnd_, &ps);
}

void PageView::onWheel(int delta) {
  page::ScrollState s = page_.scrollState();
  if (!s.verticalBar) return;
  page_.scrollTo(s.scrollX, s.scrollY - delta * kWheelStepPx / WHEEL_DELTA);
  updateScrollBars(page_.scrollState());
  InvalidateRect(hwnd_, nullptr, FALSE);
}

// A hand over links once the page has loaded, the arrow elsewhere.
void PageView::setPointerShape() {
  POINT pt;
  GetCursorPos(&pt);
  ScreenToClient(hwnd_, &pt);
  bool onLink = !loading_ && page_.linkAt(pt.x, pt.y).has_value();
  SetCursor(LoadCursorW(nullptr, onLink ? IDC_HAND : IDC_ARROW));
}

// The banner's own menu, offering the link under the pointer when there is one.
void PageView::onRightClick(int x, int y) {
  POINT pt{x, y};
  std::optional<std::string> link = loading_ ? std::nullopt : page_.linkAt(pt.x, pt.y);
  ClientToScreen(hwnd_, &pt);
  showMenu(pt, std::move(link));
}

}  // namespace hosts::web
