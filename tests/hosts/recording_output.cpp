#include "recording_output.h"

#include <deque>

namespace hosts_test {

LONGLONG counterFrequency() {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return f.QuadPart;
}

LONGLONG counterNow() {
  LARGE_INTEGER n;
  QueryPerformanceCounter(&n);
  return n.QuadPart;
}

RecordingOutput::Log& RecordingOutput::log() {
  static Log log;
  return log;
}

RecordingOutput::~RecordingOutput() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

bool RecordingOutput::start(Source source, Heard heard) {
  source_ = std::move(source);
  heard_ = std::move(heard);
  thread_ = std::thread([this] { run(); });
  return true;
}

void RecordingOutput::run() {
  const LONGLONG frequency = counterFrequency();
  const LONGLONG period = frequency * LONGLONG(kFramesPerBuffer) / kRate;
  std::deque<std::vector<int16_t>> queue;
  uint64_t heardFrames = 0;
  LONGLONG next = counterNow();
  while (!stop_) {
    if (flush_.exchange(false)) {
      heardFrames += queue.size() * kFramesPerBuffer;  // dropped, as a device reset does
      queue.clear();
      std::lock_guard lock(log().mutex);
      ++log().flushes;
    }
    while (queue.size() < size_t(kQueued)) {
      std::vector<int16_t> buffer(kFramesPerBuffer * 2);
      source_(buffer.data(), kFramesPerBuffer);
      queue.push_back(std::move(buffer));
    }
    {  // the oldest buffer sounds now
      std::lock_guard lock(log().mutex);
      log().samples.insert(log().samples.end(), queue.front().begin(), queue.front().end());
      log().heardAt.push_back(counterNow());
    }
    queue.pop_front();
    heard_(heardFrames);  // frames heard before this buffer
    heardFrames += kFramesPerBuffer;
    next += period;
    const LONGLONG wait = (next - counterNow()) * 1000 / frequency;
    if (wait > 0) Sleep(DWORD(wait));
  }
}

}  // namespace hosts_test
