#include "skin/window/stick_window.h"

#include <cstdlib>

const ui::ClassInfo& TStickWindow::staticClassInfo() {
  using T = TStickWindow;
  static const ui::ClassInfo info =
      ui::ClassInfo("TStickWindow", &ui::Persistent::staticClassInfo())
          .prop(ui::prop::boolean<T>("Active", false, &T::Active, &T::SetActive))
          .prop(ui::prop::integer<T, int>("StickAt", 20, &T::StickAt, &T::SetStickAt))
          .prop(ui::prop::set<T, TDockBorders>("DockBorders", {"dbLeft", "dbRight", "dbTop", "dbBottom"},
                                               kAllDockBorders, &T::DockBorders, &T::SetDockBorders));
  return info;
}

void TStickWindow::SnapToWorkArea(WINDOWPOS& p) const {
  RECT wa{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0);
  if (HasBorder(dockBorders_, dbLeft) && std::abs(p.x - wa.left) <= stickAt_) p.x = wa.left;
  if (HasBorder(dockBorders_, dbRight) && wa.right - (p.x + p.cx) <= stickAt_) p.x = wa.right - p.cx;
  if (HasBorder(dockBorders_, dbTop) && p.y <= wa.top + stickAt_) p.y = wa.top;
  if (HasBorder(dockBorders_, dbBottom) && p.y + p.cy >= wa.bottom - stickAt_) p.y = wa.bottom - p.cy;
}
