#pragma once
// What the component tests share: a message pump with a deadline, a visible parent
// window, and one built-in page component made inside it with its events recorded.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "hosts/com/embedding.h"
#include "hosts/com/event_sink.h"
#include "hosts/com/ptr.h"
#include "hosts/web/web_component.h"

namespace webtest {

// Dispatches messages until done() holds or timeoutMs passes; returns done().
bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 10000);

struct Completed {
  std::wstring url;
  bool hadWindowObject = false;
};

class ComponentUnderTest {
 public:
  explicit ComponentUnderTest(int width = 400, int height = 120, hosts::web::WebPageOptions options = {});
  ~ComponentUnderTest();

  IDispatch* dispatch() const { return dispatch_.get(); }
  HWND parent() const { return parent_; }
  HWND view() const { return view_; }
  void navigate(const std::string& url);
  bool waitForCompletions(size_t n, int timeoutMs = 10000);
  bool waitUntilIdle(int timeoutMs = 10000);  // Busy is false
  // The colour of a client pixel of the component's window, as painted.
  COLORREF pixel(int x, int y);
  bool hasVerticalBar() const;
  bool hasHorizontalBar() const;

  std::vector<Completed> completed;
  std::vector<std::wstring> opened;  // addresses handed to the link opener

 private:
  HWND parent_ = nullptr;
  HWND view_ = nullptr;
  hosts::com::Ptr<IDispatch> dispatch_;
  hosts::com::Ptr<hosts::com::IEmbeddedComponent> embedding_;
  hosts::com::Ptr<hosts::com::EventSink> sink_;
};

std::wstring widen(const std::string& ascii);

}  // namespace webtest
