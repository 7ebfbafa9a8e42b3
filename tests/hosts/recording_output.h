#pragma once
// An audio output for tests: a thread of its own takes buffers at the real sample rate
// (as a device would, with buffers queued ahead of the "speaker") and records every
// sample with the time it was heard.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "hosts/flash/audio_output.h"

namespace hosts_test {

class RecordingOutput : public hosts::flash::AudioOutput {
 public:
  static constexpr size_t kFramesPerBuffer = 1024;
  static constexpr int kQueued = 3;  // buffers mixed ahead of the one heard

  // Everything recorded by outputs made since the last clear().
  struct Log {
    std::mutex mutex;
    std::vector<int16_t> samples;       // stereo, in the order heard
    std::vector<LONGLONG> heardAt;      // performance counter when each buffer began to sound
    int flushes = 0;
  };
  static Log& log();

  ~RecordingOutput() override;
  bool start(Source source, Heard heard) override;
  void flush() override { flush_ = true; }

 private:
  void run();
  Source source_;
  Heard heard_;
  std::thread thread_;
  std::atomic<bool> stop_{false}, flush_{false};
};

// Performance counter ticks per second.
LONGLONG counterFrequency();
LONGLONG counterNow();

}  // namespace hosts_test
