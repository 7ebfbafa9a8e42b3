#include "movie/sound/mpg123_decoder.h"

#include <mpg123.h>

#include <mutex>

namespace movie::sound {
namespace {

class Mpg123Decoder : public Mp3Decoder {
 public:
  Mpg123Decoder() {
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); });
    handle_ = mpg123_new(nullptr, nullptr);
    if (!handle_) return;
    mpg123_param(handle_, MPG123_FLAGS, MPG123_QUIET, 0);
    mpg123_format_none(handle_);
    mpg123_format2(handle_, 0, MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open_feed(handle_) != MPG123_OK) {
      mpg123_delete(handle_);
      handle_ = nullptr;
    }
  }
  ~Mpg123Decoder() override {
    if (handle_) mpg123_delete(handle_);
  }

  bool decode(const uint8_t* data, size_t size, Audio& out) override {
    if (!handle_) return false;
    if (size > 0 && mpg123_feed(handle_, data, size) != MPG123_OK) return false;
    bool ok = true;
    for (;;) {
      size_t done = 0;
      const int rc = mpg123_read(handle_, chunk_, sizeof chunk_, &done);
      if (rc == MPG123_NEW_FORMAT) {
        long rate = 0;
        int channels = 0, encoding = 0;
        mpg123_getformat(handle_, &rate, &channels, &encoding);
        if (out.samples.empty()) {
          out.rate = int(rate);
          out.channels = channels == 2 ? 2 : 1;
        }
        channels_ = channels == 2 ? 2 : 1;
      }
      appendSamples(out, chunk_, done / sizeof(int16_t), channels_);
      if (rc == MPG123_NEED_MORE || rc == MPG123_DONE) break;
      if (rc != MPG123_OK && rc != MPG123_NEW_FORMAT) {
        ok = rc == MPG123_ERR ? false : ok;
        break;
      }
      if (out.frames() > kMaxDecodedFrames) break;
    }
    return ok;
  }

 private:
  mpg123_handle* handle_ = nullptr;
  int channels_ = 1;
  int16_t chunk_[4608];
};

}  // namespace

Mp3DecoderFactory mpg123DecoderFactory() {
  return [] { return std::unique_ptr<Mp3Decoder>(new Mpg123Decoder); };
}

}  // namespace movie::sound
