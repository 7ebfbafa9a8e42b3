#pragma once
// The platform's wave output, fed from a thread of its own with a small queue of
// buffers (four of about 23 ms). A machine without a sound device gets no output.
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <thread>

#include "hosts/flash/audio_output.h"

namespace hosts::flash {

class WaveOutput : public AudioOutput {
 public:
  static constexpr int kBuffers = 4;
  static constexpr size_t kFramesPerBuffer = 1024;

  WaveOutput();
  ~WaveOutput() override;
  bool start(Source source, Heard heard) override;
  void flush() override { flush_ = true; }

 private:
  void run();
  void fill(WAVEHDR& header);

  HWAVEOUT device_ = nullptr;
  HANDLE event_ = nullptr;
  Source source_;
  Heard heard_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> flush_{false};
  WAVEHDR headers_[kBuffers]{};
  int16_t samples_[kBuffers][kFramesPerBuffer * 2]{};
  uint64_t heardFrames_ = 0;
};

}  // namespace hosts::flash
