#include "hosts/flash/wave_output.h"

#include <mmsystem.h>

namespace hosts::flash {

WaveOutput::WaveOutput() = default;

WaveOutput::~WaveOutput() {
  stop_ = true;
  if (event_) SetEvent(event_);
  if (thread_.joinable()) thread_.join();
  if (device_) {
    waveOutReset(device_);
    for (auto& h : headers_)
      if (h.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(device_, &h, sizeof h);
    waveOutClose(device_);
  }
  if (event_) CloseHandle(event_);
}

bool WaveOutput::start(Source source, Heard heard) {
  if (device_) return true;
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 2;
  format.nSamplesPerSec = kRate;
  format.wBitsPerSample = 16;
  format.nBlockAlign = 4;
  format.nAvgBytesPerSec = kRate * 4;
  event_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!event_) return false;
  if (waveOutOpen(&device_, WAVE_MAPPER, &format, DWORD_PTR(event_), 0, CALLBACK_EVENT) != MMSYSERR_NOERROR) {
    device_ = nullptr;  // no sound device: the movie plays on silently
    return false;
  }
  source_ = std::move(source);
  heard_ = std::move(heard);
  for (int i = 0; i < kBuffers; ++i) {
    WAVEHDR& h = headers_[i];
    h.lpData = reinterpret_cast<LPSTR>(samples_[i]);
    h.dwBufferLength = DWORD(sizeof samples_[i]);
    waveOutPrepareHeader(device_, &h, sizeof h);
    h.dwFlags |= WHDR_DONE;  // free to fill
  }
  thread_ = std::thread([this] { run(); });
  return true;
}

void WaveOutput::fill(WAVEHDR& header) {
  source_(reinterpret_cast<int16_t*>(header.lpData), kFramesPerBuffer);
  header.dwFlags &= ~DWORD(WHDR_DONE);
  waveOutWrite(device_, &header, sizeof header);
}

void WaveOutput::run() {
  bool primed = false;
  while (!stop_) {
    if (flush_.exchange(false)) waveOutReset(device_);  // every queued buffer comes back done
    for (auto& h : headers_) {
      if (!(h.dwFlags & WHDR_DONE)) continue;
      if (primed) heardFrames_ += kFramesPerBuffer;  // a buffer that played (or was dropped)
      fill(h);
    }
    primed = true;
    if (heard_) heard_(heardFrames_);
    WaitForSingleObject(event_, 50);
  }
}

}  // namespace hosts::flash
