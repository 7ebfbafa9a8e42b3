#include "hosts/flash/acm_mp3_decoder.h"

#include <windows.h>
// mmsystem.h before the codec headers: they need its types under WIN32_LEAN_AND_MEAN.
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

#include <vector>

#include "movie/sound/mp3_header.h"

namespace hosts::flash {
namespace {

constexpr size_t kOutputBytes = 64 * 1024;

class AcmMp3Decoder : public movie::sound::Mp3Decoder {
 public:
  ~AcmMp3Decoder() override { close(); }

  bool decode(const uint8_t* data, size_t size, movie::sound::Audio& out) override {
    pending_.insert(pending_.end(), data, data + size);
    if (!stream_ && !open()) return !failed_;
    bool progress = true;
    while (progress && !pending_.empty()) {
      progress = convert(out);
      if (out.frames() > movie::sound::kMaxDecodedFrames) break;
    }
    return !failed_;
  }

 private:
  // Opens the codec for the format of the first frame found in the data.
  bool open() {
    size_t at = 0;
    std::optional<movie::sound::Mp3FrameHeader> h;
    while (at + 4 <= pending_.size() && !(h = movie::sound::readMp3FrameHeader(&pending_[at], pending_.size() - at)))
      ++at;
    if (!h) return false;
    pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(at));
    MPEGLAYER3WAVEFORMAT in{};
    in.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    in.wfx.nChannels = WORD(h->channels);
    in.wfx.nSamplesPerSec = DWORD(h->rate);
    in.wfx.nAvgBytesPerSec = DWORD(h->bitrate * 1000 / 8);
    in.wfx.nBlockAlign = 1;
    in.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    in.wID = MPEGLAYER3_ID_MPEG;
    in.fdwFlags = MPEGLAYER3_FLAG_PADDING_OFF;
    in.nBlockSize = WORD(h->size);
    in.nFramesPerBlock = 1;
    WAVEFORMATEX pcm{};
    pcm.wFormatTag = WAVE_FORMAT_PCM;
    pcm.nChannels = WORD(h->channels);
    pcm.nSamplesPerSec = DWORD(h->rate);
    pcm.wBitsPerSample = 16;
    pcm.nBlockAlign = WORD(2 * h->channels);
    pcm.nAvgBytesPerSec = pcm.nSamplesPerSec * pcm.nBlockAlign;
    if (acmStreamOpen(&stream_, nullptr, &in.wfx, &pcm, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) != 0) {
      stream_ = nullptr;
      failed_ = true;
      return false;
    }
    rate_ = h->rate;
    channels_ = h->channels;
    return true;
  }

  void close() {
    if (stream_) acmStreamClose(stream_, 0);
    stream_ = nullptr;
  }

  // One conversion of what is pending; false when the codec took nothing more.
  bool convert(movie::sound::Audio& out) {
    output_.resize(kOutputBytes);
    ACMSTREAMHEADER header{};
    header.cbStruct = sizeof header;
    header.pbSrc = pending_.data();
    header.cbSrcLength = DWORD(pending_.size());
    header.pbDst = output_.data();
    header.cbDstLength = DWORD(output_.size());
    if (acmStreamPrepareHeader(stream_, &header, 0) != 0) {
      failed_ = true;
      return false;
    }
    const MMRESULT rc = acmStreamConvert(stream_, &header, ACM_STREAMCONVERTF_BLOCKALIGN);
    acmStreamUnprepareHeader(stream_, &header, 0);
    if (rc != 0) {
      failed_ = true;
      return false;
    }
    append(header.cbDstLengthUsed / 2, out);
    pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(header.cbSrcLengthUsed));
    return header.cbSrcLengthUsed > 0 || header.cbDstLengthUsed > 0;
  }

  void append(size_t count, movie::sound::Audio& out) {
    const auto* s = reinterpret_cast<const int16_t*>(output_.data());
    if (out.samples.empty()) {
      out.rate = rate_;
      out.channels = channels_;
    }
    movie::sound::appendSamples(out, s, count, channels_);
  }

  HACMSTREAM stream_ = nullptr;
  bool failed_ = false;
  int rate_ = 44100, channels_ = 1;
  std::vector<uint8_t> pending_;
  std::vector<uint8_t> output_;
};

}  // namespace

movie::sound::Mp3DecoderFactory acmMp3DecoderFactory() {
  return [] { return std::unique_ptr<movie::sound::Mp3Decoder>(new AcmMp3Decoder); };
}

}  // namespace hosts::flash
