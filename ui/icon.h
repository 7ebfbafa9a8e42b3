#pragma once
// An icon loaded from the program's resources.
#include <windows.h>

#include <string>

namespace ui {

// A loaded icon, destroyed with the object.
class Icon {
 public:
  Icon() = default;
  ~Icon();
  Icon(const Icon&) = delete;
  Icon& operator=(const Icon&) = delete;
  // Loads an ICON resource at the given size (0: the system's large icon size). Throws ui::Error.
  void loadFromResource(const std::string& resourceName, int width = 32, int height = 32);
  void assignHandle(HICON icon);
  HICON handle() const { return icon_; }
  int width() const { return w_; }
  int height() const { return h_; }
  bool empty() const { return !icon_; }

 private:
  HICON icon_ = nullptr;
  int w_ = 0, h_ = 0;
};

}  // namespace ui
