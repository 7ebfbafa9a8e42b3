// TWindowSizeInfo: the window's maximised size and position and its tracking limits,
// handed to the system for WM_GETMINMAXINFO while Active. Until a size is set (or
// when UseSystemSettings is switched on) the values are the system's own.
#pragma once
#include <windows.h>

#include "ui/persistent.h"

class TWindowSizeInfo : public ui::Persistent {
 public:
  TWindowSizeInfo();
  static const ui::ClassInfo& staticClassInfo();
  const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

  bool Active() const { return active_; }
  void SetActive(bool v) { active_ = v; }
  int MaxSizeWidth() const { return maxSize_.x; }
  void SetMaxSizeWidth(int v) { SetSize(maxSize_.x, v); }
  int MaxSizeHeight() const { return maxSize_.y; }
  void SetMaxSizeHeight(int v) { SetSize(maxSize_.y, v); }
  int MaxPositionX() const { return maxPosition_.x; }
  void SetMaxPositionX(int v) { SetSize(maxPosition_.x, v); }
  int MaxPositionY() const { return maxPosition_.y; }
  void SetMaxPositionY(int v) { SetSize(maxPosition_.y, v); }
  int MinTrackWidth() const { return minTrack_.x; }
  void SetMinTrackWidth(int v) { SetSize(minTrack_.x, v); }
  int MinTrackHeight() const { return minTrack_.y; }
  void SetMinTrackHeight(int v) { SetSize(minTrack_.y, v); }
  int MaxTrackWidth() const { return maxTrack_.x; }
  void SetMaxTrackWidth(int v) { SetSize(maxTrack_.x, v); }
  int MaxTrackHeight() const { return maxTrack_.y; }
  void SetMaxTrackHeight(int v) { SetSize(maxTrack_.y, v); }
  // True reloads all eight values from the system metrics.
  bool UseSystemSettings() const { return useSystemSettings_; }
  void SetUseSystemSettings(bool v);

  // Replaces the system's limits with these four points.
  void FillMinMaxInfo(MINMAXINFO& info) const;

 private:
  // A size property changed by its setter turns the system settings off.
  void SetSize(LONG& field, int v);
  void LoadSystemSettings();

  bool active_ = false;
  POINT maxSize_{}, maxPosition_{}, minTrack_{}, maxTrack_{};
  bool useSystemSettings_ = true;
};
