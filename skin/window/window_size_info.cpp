#include "skin/window/window_size_info.h"

namespace {

ui::PropInfo SizeProperty(const char* name, int (TWindowSizeInfo::*get)() const, void (TWindowSizeInfo::*set)(int)) {
  return ui::prop::alwaysStored(ui::prop::integer<TWindowSizeInfo, int>(name, 0, get, set));
}

}  // namespace

const ui::ClassInfo& TWindowSizeInfo::staticClassInfo() {
  using T = TWindowSizeInfo;
  static const ui::ClassInfo info =
      ui::ClassInfo("TWindowSizeInfo", &ui::Persistent::staticClassInfo())
          .prop(ui::prop::boolean<T>("Active", false, &T::Active, &T::SetActive))
          .prop(SizeProperty("MaxSizeWidth", &T::MaxSizeWidth, &T::SetMaxSizeWidth))
          .prop(SizeProperty("MaxSizeHeight", &T::MaxSizeHeight, &T::SetMaxSizeHeight))
          .prop(SizeProperty("MaxPositionX", &T::MaxPositionX, &T::SetMaxPositionX))
          .prop(SizeProperty("MaxPositionY", &T::MaxPositionY, &T::SetMaxPositionY))
          .prop(SizeProperty("MinTrackWidth", &T::MinTrackWidth, &T::SetMinTrackWidth))
          .prop(SizeProperty("MinTrackHeight", &T::MinTrackHeight, &T::SetMinTrackHeight))
          .prop(SizeProperty("MaxTrackWidth", &T::MaxTrackWidth, &T::SetMaxTrackWidth))
          .prop(SizeProperty("MaxTrackHeight", &T::MaxTrackHeight, &T::SetMaxTrackHeight))
          .prop(ui::prop::boolean<T>("UseSystemSettings", true, &T::UseSystemSettings, &T::SetUseSystemSettings));
  return info;
}

TWindowSizeInfo::TWindowSizeInfo() { LoadSystemSettings(); }

void TWindowSizeInfo::LoadSystemSettings() {
  maxSize_ = POINT{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
  maxPosition_ = POINT{0, 0};
  minTrack_ = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  maxTrack_ = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
}

void TWindowSizeInfo::SetSize(LONG& field, int v) {
  if (field == v) return;
  field = v;
  useSystemSettings_ = false;
}

void TWindowSizeInfo::SetUseSystemSettings(bool v) {
  useSystemSettings_ = v;
  if (v) LoadSystemSettings();
}

void TWindowSizeInfo::FillMinMaxInfo(MINMAXINFO& info) const {
  info.ptMaxSize = maxSize_;
  info.ptMaxPosition = maxPosition_;
  info.ptMinTrackSize = minTrack_;
  info.ptMaxTrackSize = maxTrack_;
}
