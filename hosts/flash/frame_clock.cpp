#include "hosts/flash/frame_clock.h"

#include <mmsystem.h>

#include <algorithm>
#include <cmath>

namespace hosts::flash {

void FrameClock::start(HWND window, double fps) {
  if (!window) return;
  fps = std::clamp(fps, 0.25, 120.0);
  if (window_ == window && rate_ == fps) return;
  stop();
  window_ = window;
  rate_ = fps;
  QueryPerformanceFrequency(&frequency_);
  QueryPerformanceCounter(&started_);
  framesDone_ = 0;
  // A fine system timer while a movie plays (and only then), so the timer messages
  // come close to when they are asked for.
  timeBeginPeriod(1);
  // Half the frame period: each frame is at most half a period late.
  UINT period = UINT(std::max(1.0, std::floor(500.0 / fps)));
  SetTimer(window_, kTimerId, period, nullptr);
}

void FrameClock::stop() {
  if (window_) {
    KillTimer(window_, kTimerId);
    timeEndPeriod(1);
  }
  window_ = nullptr;
  rate_ = 0;
}

void FrameClock::resync() {
  QueryPerformanceCounter(&started_);
  framesDone_ = 0;
}

int FrameClock::dueFrames() {
  if (!window_ || frequency_.QuadPart == 0) return 0;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  double seconds = double(now.QuadPart - started_.QuadPart) / double(frequency_.QuadPart);
  long long due = (long long)(seconds * rate_) - framesDone_;
  if (due <= 0) return 0;
  if (due > kMaxCatchUp) {
    // Far behind (the machine was busy): skip ahead rather than race.
    framesDone_ += due - kMaxCatchUp;
    due = kMaxCatchUp;
  }
  framesDone_ += due;
  return int(due);
}

}  // namespace hosts::flash
