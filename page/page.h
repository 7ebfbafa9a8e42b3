#pragma once
// The page engine as its host sees it. The host fetches every address the engine asks
// for and hands the bytes in; the engine decodes, parses, styles and lays out the page,
// and gives back a display list to paint, the links under the pointer, the scroll state
// and a small object model for late-bound calls. No Windows header, no threads, no I/O:
// every call is made on the host's user-interface thread.
//
// A typical host loop:
//   page::Page p;  p.navigate(utf16ToUtf8(address));   // addresses are UTF-8
//   for (auto& r : p.takeRequests()) start fetching r.url (id r.id) ...
//   on arrival: p.deliver(id, bytes, contentType, finalUrl)  or  p.fail(id);
//   for (auto& c : p.takeCompletions()) raise the document-complete event;
//   if (p.needsLayout()) p.layout(w, h, measurer);  paint p.displayList();
//   on timer: delay = p.advance(elapsedMs); re-arm the timer only if delay has a value.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "page/color.h"
#include "page/display_list.h"
#include "page/image/image.h"
#include "page/limits.h"
#include "page/request.h"
#include "page/script_object.h"
#include "page/scroll_state.h"
#include "page/text_measurer.h"
#include "page/utf_conversions.h"

namespace page {

// One page with its frames: the object behind the banner.
class Page {
 public:
  Page();
  ~Page();
  Page(const Page&) = delete;
  Page& operator=(const Page&) = delete;

  // Starts a navigation: drops the old page and asks for the document at url (one
  // Document request). An address that is not http:, https: or file: asks for nothing
  // and completes at once as a blank page.
  void navigate(std::string_view url);
  // Convenience for a host that fetched the top-level page itself: navigate + deliver.
  void load(std::string_view url, const uint8_t* data, size_t size, std::string_view contentType);

  // Requests made since the last call, in document order.
  std::vector<Request> takeRequests();
  // Answers. contentType is the HTTP Content-Type header as received (it may carry
  // "charset="); finalUrl is the address after redirects (empty = the requested one).
  void deliver(int id, const uint8_t* data, size_t size, std::string_view contentType,
               std::string_view finalUrl = {});
  void fail(int id);
  // Completed documents since the last call, in completion order.
  std::vector<Completion> takeCompletions();
  bool complete() const;  // the top-level document has completed

  // Layout for a view of width x height pixels. scrollBarSize is the thickness the host's
  // bars take; when a bar shows, the page is laid out again in the narrower area.
  void layout(int width, int height, TextMeasurer& measurer, int scrollBarSize = 16);
  bool needsLayout() const;  // true after navigation, arrivals, Scroll changes, resizes
  ScrollState scrollState() const;
  void scrollTo(int x, int y);  // clamped

  // Painting, after layout. The first item always fills the view with the page's
  // background colour (white while nothing has arrived).
  DisplayList displayList() const;
  Color backgroundColor() const;

  // Animations (GIF frames and marquees). Moves time on by elapsedMs and returns the
  // delay until the next change, or nothing when nothing moves (the host then needs no
  // timer). Call with 0 to learn the first delay. A change needs a repaint, not a layout.
  std::optional<int> advance(int elapsedMs);

  // Link under a view point, absolute and UTF-8; nothing when the point is on no link.
  std::optional<std::string> linkAt(int x, int y) const;

  // The top-level automation object: members "Document" (-> document: "Body", "URL",
  // "title"), body: "Scroll" ("yes", "no", "auto"), "bgColor", "innerText". Objects stay
  // safe to call after a new navigation (they then act on the new page).
  std::shared_ptr<ScriptObject> automation();

  // Text of the page title (UTF-8), and the address of the top-level document.
  std::string title() const;
  std::string url() const;

  struct Impl;  // the engine's own state; opaque to hosts

 private:
  std::shared_ptr<Impl> impl_;
};

}  // namespace page
