#pragma once
// TShockwaveFlash: the host control of the movie player component, a ComponentHost
// (the component made from its class identifier, its window inside the control's).
// It passes on its stored start settings, drives the component through automation
// (Movie by dispatch id 102 as a wide string, Play) and raises its events (progress
// 1958, FS command 150, Flash call 197).
#include <windows.h>
#include <oaidl.h>

#include <string>

#include "hosts/com/component_host.h"
#include "hosts/com/embedding.h"
#include "ui/win_control.h"

namespace hosts::flash {

using FlashProgressEvent = ui::Event<void(ui::Component* sender, int percentDone)>;
using FlashFSCommandEvent =
    ui::Event<void(ui::Component* sender, const std::wstring& command, const std::wstring& args)>;
using FlashCallEvent = ui::Event<void(ui::Component* sender, const std::wstring& request)>;

class TShockwaveFlash : public com::ComponentHost {
 public:
  explicit TShockwaveFlash(ui::Component* owner);
  static const ui::ClassInfo& staticClassInfo();
  const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

  // The two operations of the lesson player. Failures throw ui::Error with the
  // component's description, the system's text or "OLE error %.8x".
  void setMovie(const std::wstring& url);  // put Movie (102), a BSTR
  void Play();                             // invoke Play
  // The component's automation object.
  IDispatch* automation() const { return dispatch(); }

  // Stored start settings (published; GBK strings as stored).
  const std::string& wMode() const { return wMode_; }
  void setWMode(const std::string& v) { setText(wMode_, v); }
  bool playing() const { return playing_; }
  void setPlaying(bool v) { setFlag(playing_, v); }
  bool loop() const { return loop_; }
  void setLoop(bool v) { setFlag(loop_, v); }
  const std::string& quality() const { return quality_; }
  void setQuality(const std::string& v) { setText(quality_, v); }
  const std::string& scale() const { return scale_; }
  void setScale(const std::string& v) { setText(scale_, v); }
  bool menu() const { return menu_; }
  void setMenu(bool v) { setFlag(menu_, v); }
  bool deviceFont() const { return deviceFont_; }
  void setDeviceFont(bool v) { setFlag(deviceFont_, v); }
  bool embedMovie() const { return embedMovie_; }
  void setEmbedMovie(bool v) { setFlag(embedMovie_, v); }
  const std::string& allowNetworking() const { return allowNetworking_; }
  void setAllowNetworking(const std::string& v) { setText(allowNetworking_, v); }
  const std::string& allowFullScreen() const { return allowFullScreen_; }
  void setAllowFullScreen(const std::string& v) { setText(allowFullScreen_, v); }
  int extentX() const { return extentX_; }
  void setExtentX(int v) { extentX_ = v; }
  int extentY() const { return extentY_; }
  void setExtentY(int v) { extentY_ = v; }

  // The settings as the component receives them.
  com::PropertyBag settings() const;

  FlashProgressEvent onProgress;
  FlashFSCommandEvent onFSCommand;
  FlashCallEvent onFlashCall;

  void loaded() override;

 protected:
  com::PropertyBag startSettings() const override { return settings(); }
  void sendStartSettings() override;  // a control made in code has no loaded() step

 private:
  void setText(std::string& field, const std::string& v);
  void setFlag(bool& field, bool v);
  void sendSettings();  // to the component, once reading has ended
  std::string wMode_ = "Window";
  bool playing_ = true;
  bool loop_ = true;
  std::string quality_ = "High";
  std::string scale_ = "ShowAll";
  bool menu_ = true;
  bool deviceFont_ = false;
  bool embedMovie_ = false;
  std::string allowNetworking_ = "all";
  std::string allowFullScreen_ = "false";
  int extentX_ = 0, extentY_ = 0;
};

// Registers TShockwaveFlash with the framework's class registry (for form descriptions).
void registerShockwaveFlashControl();

}  // namespace hosts::flash
