// TxpWindow: a non-visual component that takes over its form's frame. While Active
// its procedure stands in front of the form's window procedure and answers a fixed
// set of messages through four owned settings objects (caption and border, size
// limits, edge snapping, client background); every other message goes on unchanged.
#pragma once
#include <windows.h>

#include <memory>

#include "skin/window/stick_window.h"
#include "skin/window/window_background.h"
#include "skin/window/window_size_info.h"
#include "skin/window/xp_caption.h"
#include "skin/window/xp_ctrl_style.h"
#include "skin/window/xp_window_enums.h"
#include "ui/component.h"
#include "ui/form.h"

using TOnCustomButtonDraw = ui::Event<void(ui::Persistent* sender, ui::Canvas& canvas, RECT buttonRect,
                                           int buttonIndex, TTitleButtonState state)>;
using TOnCustomButtonClick = ui::Event<void(ui::Persistent* sender, int buttonIndex)>;
using TOnCustomDrawTitle =
    ui::Event<void(ui::Persistent* sender, ui::Canvas& canvas, RECT titleRect, bool active, bool& next)>;
using TOnCustomDrawBorder =
    ui::Event<void(ui::Persistent* sender, ui::Canvas& canvas, RECT rect, bool active, bool& next)>;

class TxpWindow : public ui::Component {
 public:
  // Attaches to the form found from the owner up its parent chain (none: inert); that
  // form's window is made now. Throws ui::Error for an owner that is not a windowed
  // control.
  explicit TxpWindow(ui::Component* owner);
  ~TxpWindow() override;
  static const ui::ClassInfo& staticClassInfo();
  const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

  bool Active() const { return active_; }
  void SetActive(bool v);
  ui::Form* HostForm() const { return hostForm_; }
  // True when the form's window had the whole caption style at creation.
  bool HadCaption() const { return hadCaption_; }
  TxpWindowStyle Style() const { return style_; }
  void SetStyle(TxpWindowStyle v);

  // The four settings objects, edited in place. Assigning a whole object is refused
  // with the framework's cannot-assign error.
  TWindowSizeInfo& SizeInfo() { return *sizeInfo_; }
  void SetSizeInfo(const ui::Persistent& v) { sizeInfo_->assign(v); }
  TStickWindow& StickWindow() { return *stickWindow_; }
  void SetStickWindow(const ui::Persistent& v) { stickWindow_->assign(v); }
  TxpCaption& xpCaption() { return *xpCaption_; }
  void SetxpCaption(const ui::Persistent& v) { xpCaption_->assign(v); }
  TxpWindowBackground& WinBackground() { return *winBackground_; }
  void SetWinBackground(const ui::Persistent& v) { winBackground_->assign(v); }

  // The form's procedure saved when hooked (null otherwise), and the MDI client's.
  WNDPROC OldWindowProc() const;
  WNDPROC OldClientProc() const { return oldClientProc_; }

  // WM_NCPAINT to the form, then the whole client area repainted with erase.
  void RefreshFrame();
  // Gives the form the frame region of these corners (the system owns it then).
  void ApplyFrameRegion(TRoundedCorners corners);
  void RemoveFrameRegion();
  // Sets or clears the caption style bits, then takes the window region away.
  void RestoreSystemCaption(bool withCaption);

  // The form's messages while hooked; the MDI client window's.
  LRESULT FormWindowProc(UINT msg, WPARAM w, LPARAM l);
  LRESULT ClientWindowProc(UINT msg, WPARAM w, LPARAM l);

  void loaded() override;
  // The window shape for a set of rounded corners; the caller owns the region.
  virtual HRGN CreateFrameRegion(TRoundedCorners corners);

  TOnCustomButtonDraw OnCustomButtonDraw;
  TOnCustomButtonClick OnCustomButtonClick;
  TOnCustomDrawTitle OnCustomDrawTitle;
  TOnCustomButtonDraw OnCustomSysBtnDraw;
  TOnCustomDrawBorder OnCustomBorderDraw;

 private:
  class FormHook;
  // Gives a newly made window of the form the skin's caption style and region.
  void ReapplyFrame();
  void HookWindow();
  void UnhookWindow();
  LRESULT CallOld(UINT msg, WPARAM w, LPARAM l);

  bool active_ = false;
  ui::Form* hostForm_ = nullptr;
  std::unique_ptr<TWindowSizeInfo> sizeInfo_;
  std::unique_ptr<FormHook> formHook_;
  WNDPROC oldClientProc_ = nullptr;
  std::unique_ptr<TStickWindow> stickWindow_;
  std::unique_ptr<TxpCaption> xpCaption_;
  std::unique_ptr<TxpWindowBackground> winBackground_;
  bool hadCaption_ = false;
  TxpWindowStyle style_ = xwsCustom;
};
