// Event dispatch guard: every framework event is raised through dispatchEvent so that
// an error escaping a handler reaches the standard error box and the program goes on.
#pragma once
#include <exception>
#include <utility>

namespace ui {

void reportCurrentException();  // application().handleException() for the current exception

template <class F>
void dispatchEvent(F&& f) {
  try {
    std::forward<F>(f)();
  } catch (...) {
    reportCurrentException();
  }
}

}  // namespace ui
