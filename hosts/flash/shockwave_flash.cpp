#include "hosts/flash/shockwave_flash.h"

#include "hosts/com/class_ids.h"
#include "hosts/com/dispatch.h"
#include "hosts/com/errors.h"
#include "hosts/com/text.h"
#include "hosts/flash/flash_ids.h"
#include "ui/dispatch.h"
#include "ui/stream.h"
#include "ui/text.h"

namespace hosts::flash {

namespace {

// An event argument as a wide string (by value or by reference), empty otherwise.
std::wstring stringArg(const com::DispArgs& a, size_t i) {
  if (i >= a.size()) return {};
  const VARIANT& v = a[i];
  const VARIANT* inner = v.vt == (VT_VARIANT | VT_BYREF) ? v.pvarVal : &v;
  if (inner && inner->vt == VT_BSTR && inner->bstrVal)
    return std::wstring(inner->bstrVal, SysStringLen(inner->bstrVal));
  if (inner && inner->vt == (VT_BSTR | VT_BYREF) && inner->pbstrVal && *inner->pbstrVal)
    return std::wstring(*inner->pbstrVal, SysStringLen(*inner->pbstrVal));
  return {};
}

}  // namespace

TShockwaveFlash::TShockwaveFlash(ui::Component* owner) : com::ComponentHost(owner, com::kMoviePlayerClsid) {
  onEvent(kEventProgress, [this](const com::DispArgs& a) {
    int percent = a.size() >= 1 ? a.integer(0) : 0;
    ui::dispatchEvent([&] { onProgress(this, percent); });
  });
  onEvent(kEventFSCommand, [this](const com::DispArgs& a) {
    std::wstring command = stringArg(a, 0), args = stringArg(a, 1);
    ui::dispatchEvent([&] { onFSCommand(this, command, args); });
  });
  onEvent(kEventFlashCall, [this](const com::DispArgs& a) {
    std::wstring request = stringArg(a, 0);
    ui::dispatchEvent([&] { onFlashCall(this, request); });
  });
}

const ui::ClassInfo& TShockwaveFlash::staticClassInfo() {
  using T = TShockwaveFlash;
  static ui::ClassInfo info = [] {
    ui::ClassInfo i("TShockwaveFlash", &ui::WinControl::staticClassInfo(), &ui::makeComponent<T>);
    i.prop(ui::prop::integer<T, int>("ExtentX", 0, &T::extentX, &T::setExtentX));
    i.prop(ui::prop::integer<T, int>("ExtentY", 0, &T::extentY, &T::setExtentY));
    i.prop(ui::prop::string<T>("WMode", "Window", &T::wMode, &T::setWMode));
    i.prop(ui::prop::boolean<T>("Playing", true, &T::playing, &T::setPlaying));
    i.prop(ui::prop::boolean<T>("Loop", true, &T::loop, &T::setLoop));
    i.prop(ui::prop::string<T>("Quality", "High", &T::quality, &T::setQuality));
    i.prop(ui::prop::string<T>("Scale", "ShowAll", &T::scale, &T::setScale));
    i.prop(ui::prop::boolean<T>("Menu", true, &T::menu, &T::setMenu));
    i.prop(ui::prop::boolean<T>("DeviceFont", false, &T::deviceFont, &T::setDeviceFont));
    i.prop(ui::prop::boolean<T>("EmbedMovie", false, &T::embedMovie, &T::setEmbedMovie));
    i.prop(ui::prop::string<T>("AllowNetworking", "all", &T::allowNetworking, &T::setAllowNetworking));
    i.prop(ui::prop::string<T>("AllowFullScreen", "false", &T::allowFullScreen, &T::setAllowFullScreen));
    i.prop(ui::prop::event<T>("OnProgress", &T::onProgress));
    i.prop(ui::prop::event<T>("OnFSCommand", &T::onFSCommand));
    i.prop(ui::prop::event<T>("OnFlashCall", &T::onFlashCall));
    return i;
  }();
  return info;
}

void registerShockwaveFlashControl() { ui::registerClass(TShockwaveFlash::staticClassInfo()); }

void TShockwaveFlash::setMovie(const std::wstring& url) {
  com::put(dispatch(), kDispMovie, com::Variant(std::wstring_view(url)));
}

void TShockwaveFlash::Play() { com::call(dispatch(), kDispPlay); }

com::PropertyBag TShockwaveFlash::settings() const {
  com::PropertyBag bag;
  auto flag = [](bool v) { return std::wstring(v ? L"True" : L"False"); };
  bag.set(L"ExtentX", std::to_wstring(extentX_));
  bag.set(L"ExtentY", std::to_wstring(extentY_));
  bag.set(L"WMode", ui::widen(wMode_));
  bag.set(L"Playing", flag(playing_));
  bag.set(L"Loop", flag(loop_));
  bag.set(L"Quality", ui::widen(quality_));
  bag.set(L"Scale", ui::widen(scale_));
  bag.set(L"Menu", flag(menu_));
  bag.set(L"DeviceFont", flag(deviceFont_));
  bag.set(L"EmbedMovie", flag(embedMovie_));
  bag.set(L"AllowNetworking", ui::widen(allowNetworking_));
  bag.set(L"AllowFullScreen", ui::widen(allowFullScreen_));
  return bag;
}

void TShockwaveFlash::setText(std::string& field, const std::string& v) {
  if (field == v) return;
  field = v;
  sendSettings();
}

void TShockwaveFlash::setFlag(bool& field, bool v) {
  if (field == v) return;
  field = v;
  sendSettings();
}

void TShockwaveFlash::sendSettings() {
  // While the form is read the settings go over once, from loaded().
  if (loading()) return;
  com::check(loadSettings());
}

void TShockwaveFlash::loaded() {
  com::ComponentHost::loaded();
  sendSettings();
}

void TShockwaveFlash::sendStartSettings() { sendSettings(); }

}  // namespace hosts::flash
