#pragma once
// The window of the built-in page component: a child window that holds one page of the
// page engine, fetches what the engine asks for (the shared fetcher, answers on this
// thread's message loop, never blocking on the network), paints its display list off screen,
// runs its animations on a timer only while something moves, shows scroll bars when the
// page overflows and its Scroll allows them, opens web links in the default browser and
// has its own right-click menu.
#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "hosts/web/display_painter.h"
#include "hosts/web/gdi_text_measurer.h"
#include "hosts/net/fetch.h"
#include "page/page.h"

namespace hosts::web {

// Commands of the component's own right-click menu.
enum PageMenuCommand : UINT { kMenuRefresh = 1, kMenuCopyLink = 2 };

class PageView {
 public:
  struct Callbacks {
    // Each completed document, sub-documents first, as the engine reports them.
    std::function<void(const page::Completion&)> documentComplete;
    // Opens a web address (already checked to be http or https) in the user's browser.
    std::function<void(const std::wstring&)> openLink;
  };

  PageView(HWND parent, const RECT& bounds, Callbacks callbacks);
  ~PageView();
  PageView(const PageView&) = delete;
  PageView& operator=(const PageView&) = delete;

  HWND hwnd() const { return hwnd_; }
  void setBounds(const RECT& bounds);

  void navigate(const std::string& url);  // UTF-8
  void refresh();                          // navigates to the current address again
  std::string locationUrl() const { return url_; }
  bool busy() const { return loading_; }

  // The engine's top-level object model. After a late-bound call through it, call
  // pageChanged() so that a changed Scroll takes effect.
  std::shared_ptr<page::ScriptObject> automation();
  void pageChanged();

  // The default link opener: ShellExecuteW "open".
  static void openInShell(const std::wstring& address);

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);

  // One request of the engine on its way: what has arrived of it so far.
  struct PendingFetch {
    std::unique_ptr<net::Fetch> fetch;
    std::string body;         // bytes as received
    std::string contentType;  // the Content-Type header, charset included when sent
    std::string finalUrl;     // the address after redirects (UTF-8)
  };

  void pumpEngine();  // starts requested fetches and reports completed documents
  void startFetch(int id, const std::string& url);
  void cancelFetches();
  void answer(int id, bool ok);
  void relayout();
  void updateScrollBars(const page::ScrollState& s);
  void paint(HDC dc, const RECT& client);
  void scheduleAnimation();
  void onTimer();
  void onScroll(int bar, WORD code);
  void onPaint();
  void onWheel(int delta);
  void setPointerShape();
  void onClick(int x, int y);
  void onRightClick(int x, int y);
  void showMenu(POINT screen, std::optional<std::string> link);
  void copyText(const std::string& utf8);

  HWND hwnd_ = nullptr;
  std::map<int, PendingFetch> fetches_;  // by the engine's request id
  Callbacks callbacks_;
  page::Page page_;
  GdiFontCache fonts_;
  GdiTextMeasurer measurer_{fonts_};
  ImageBitmapCache bitmaps_;
  std::string url_;
  int topRequestId_ = -1;   // the navigation's own document request
  bool topFailed_ = false;  // that request could not be fetched: stay blank, report nothing
  bool loading_ = false;
  bool inLayout_ = false;
  bool timerArmed_ = false;
  std::chrono::steady_clock::time_point lastTick_;
  POINT pressed_{-1, -1};   // where the left button went down, for a click on a link
};

}  // namespace hosts::web
