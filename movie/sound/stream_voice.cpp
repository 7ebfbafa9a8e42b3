#include "movie/sound/stream_voice.h"

#include <algorithm>

namespace movie::sound {
namespace {

constexpr size_t kMaxMarks = 512;
constexpr size_t kMaxCheckpoints = 256;
constexpr size_t kDropAfterFrames = 8192;  // consumed frames kept before trimming

}  // namespace

StreamVoice::StreamVoice(int id, int owner, const format::SoundFormat& format,
                         const Mp3DecoderFactory& mp3)
    : id_(id), owner_(owner), decoder_(format, mp3) {
  buffer_.rate = format.rate;
  buffer_.channels = format.channels();
  reader_.setRate(format.rate);
}

void StreamVoice::queue(std::vector<uint8_t> block, uint64_t sequence) {
  queued_.emplace_back(std::move(block), sequence);
}

bool StreamVoice::decodeNext() {
  while (!queued_.empty()) {
    auto [bytes, sequence] = std::move(queued_.front());
    queued_.pop_front();
    Audio decoded;
    decoded.rate = buffer_.rate;
    decoded.channels = buffer_.channels;
    const uint64_t at = bufferStart_ + buffer_.frames();
    if (!decoder_.decodeBlock(bytes.data(), bytes.size(), decoded) || decoded.samples.empty()) {
      // A block without samples (damaged, or MP3 still filling its reservoir) still marks
      // where its frame begins.
      marks_.push_back({sequence, at});
      continue;
    }
    if (!formatKnown_) {
      formatKnown_ = true;
      if (buffer_.samples.empty()) {
        buffer_.rate = decoded.rate;
        buffer_.channels = decoded.channels;
        reader_.setRate(decoded.rate);
      }
    }
    marks_.push_back({sequence, at});
    if (marks_.size() > kMaxMarks) marks_.pop_front();
    appendSamples(buffer_, decoded.samples.data(), decoded.samples.size(), decoded.channels);
    return true;
  }
  return false;
}

void StreamVoice::dropConsumed() {
  const size_t used = reader_.frame();
  if (used < kDropAfterFrames) return;
  const size_t drop = std::min(used - 1, buffer_.frames());
  buffer_.samples.erase(buffer_.samples.begin(),
                        buffer_.samples.begin() + std::ptrdiff_t(drop * size_t(buffer_.channels)));
  bufferStart_ += drop;
  reader_.moveBack(drop);
}

bool StreamVoice::mix(int32_t* acc, size_t frames, uint64_t clock, const Gains& gains) {
  size_t i = 0;
  for (; i < frames; ++i) {
    // Interpolation wants the next frame too; decode ahead while one is queued.
    while (reader_.frame() + 1 >= buffer_.frames() && decodeNext()) {
    }
    if (reader_.frame() >= buffer_.frames()) break;  // dry: nothing decoded is left
    if (i == 0 || checkpoints_.empty())
      checkpoints_.push_back({clock + i, bufferStart_ + reader_.frame()});
    int l, r;
    reader_.read(buffer_, buffer_.frames(), l, r);
    gains.apply(l, r, acc + 2 * i);
  }
  if (i > 0) checkpoints_.push_back({clock + i, bufferStart_ + reader_.frame()});
  while (checkpoints_.size() > kMaxCheckpoints) checkpoints_.pop_front();
  dropConsumed();
  return !ended();
}

std::optional<uint64_t> StreamVoice::heardAt(uint64_t played) const {
  if (checkpoints_.empty() || marks_.empty() || played < checkpoints_.front().clock) return std::nullopt;
  // The source frame playing at `played`: interpolated between the checkpoints around it.
  auto after = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), played,
                                [](uint64_t p, const Checkpoint& c) { return p < c.clock; });
  const Checkpoint& a = *(after - 1);
  uint64_t source = a.sourceFrame;
  if (after != checkpoints_.end()) {
    const Checkpoint& b = *after;
    if (b.clock > a.clock && b.sourceFrame >= a.sourceFrame)
      source += (b.sourceFrame - a.sourceFrame) * (played - a.clock) / (b.clock - a.clock);
  }
  auto mark = std::upper_bound(marks_.begin(), marks_.end(), source,
                               [](uint64_t s, const Mark& m) { return s < m.sourceFrame; });
  if (mark == marks_.begin()) return std::nullopt;
  return (mark - 1)->sequence;
}

}  // namespace movie::sound
