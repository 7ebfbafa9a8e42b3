#pragma once
// Paces frames at the movie's rate with a window timer that runs only while a movie
// plays. Each timer message asks how many frames are due by the elapsed time, so late
// timer messages do not slow the movie down (at most a few frames are caught up).
#include <windows.h>

namespace hosts::flash {

class FrameClock {
 public:
  static constexpr UINT_PTR kTimerId = 0x4642;
  static constexpr int kMaxCatchUp = 3;

  FrameClock() = default;
  ~FrameClock() { stop(); }
  FrameClock(const FrameClock&) = delete;
  FrameClock& operator=(const FrameClock&) = delete;

  void start(HWND window, double framesPerSecond);  // restarts at a new rate
  void stop();
  void resync();  // counts due frames from now on
  bool running() const { return window_ != nullptr; }
  // On WM_TIMER: the frames due since the last call (0..kMaxCatchUp).
  int dueFrames();
  double rate() const { return rate_; }

 private:
  HWND window_ = nullptr;
  double rate_ = 0;
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER started_{};
  long long framesDone_ = 0;
};

}  // namespace hosts::flash
