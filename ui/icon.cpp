#include "ui/icon.h"

#include "ui/error.h"
#include "ui/resource_module.h"
#include "ui/text.h"

namespace ui {

Icon::~Icon() {
  if (icon_) DestroyIcon(icon_);
}

void Icon::assignHandle(HICON icon) {
  if (icon_) DestroyIcon(icon_);
  icon_ = icon;
  w_ = h_ = 0;
  ICONINFO ii{};
  if (icon && GetIconInfo(icon, &ii)) {
    BITMAP b{};
    if (ii.hbmColor && GetObjectW(ii.hbmColor, sizeof b, &b)) {
      w_ = b.bmWidth;
      h_ = b.bmHeight;
    } else if (ii.hbmMask && GetObjectW(ii.hbmMask, sizeof b, &b)) {
      w_ = b.bmWidth;
      h_ = b.bmHeight / 2;
    }
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
  }
}

void Icon::loadFromResource(const std::string& resourceName, int width, int height) {
  HICON h = static_cast<HICON>(LoadImageW(resourceModule(), widen(resourceName).c_str(), IMAGE_ICON, width,
                                          height, width ? 0 : LR_DEFAULTSIZE));
  if (!h) throw Error("Icon resource " + resourceName + " not found");
  assignHandle(h);
}

}  // namespace ui
