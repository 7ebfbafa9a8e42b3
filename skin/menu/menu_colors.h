// The menu skin's colour arithmetic on literal colours (0x00BBGGRR, red in the low
// byte). Callers resolve system colours first; every result is a literal colour.
// Portable: no Windows header, so the rules are tested natively.
#pragma once
#include <cstdint>
#include <optional>
#include <span>

namespace xpmenu {

using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(int r, int g, int b) {
  return static_cast<Rgb>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Rgb c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr Rgb kWhite = 0x00FFFFFF;
constexpr Rgb kSilver = 0x00C0C0C0;
constexpr Rgb kBlack = 0x00000000;

// Each channel moves percent of the way to 255 (percent at most 100), rounded to the
// nearest integer with ties to even.
Rgb LightenColor(Rgb c, int percent);
// Red and blue lose amount, green loses amount - 2; each channel kept to 0..255.
Rgb DarkenMenuColor(Rgb c, int amount);
// The grey of the channels' integer mean plus amount, at most 240.
Rgb GreyColor(Rgb c, int amount);
// fontColor when the colour is light (mean of red and blue above 150, or green above
// 200), else the colour lightened by 90 %.
Rgb ContrastTextColor(Rgb c, Rgb fontColor);
// Per channel, the sum of each colour's channel divided by the number of colours.
Rgb MixColors(std::span<const Rgb> colors);

// Converts colours one by one, remembering the last one: a run of equal pixels is
// converted once. Nothing is remembered before the first conversion.
class RunConverter {
 public:
  using Convert = Rgb (*)(Rgb, int);
  RunConverter(Convert convert, int amount) : convert_(convert), amount_(amount) {}
  Rgb operator()(Rgb c) {
    if (!last_ || *last_ != c) {
      last_ = c;
      result_ = convert_(c, amount_);
    }
    return result_;
  }

 private:
  Convert convert_;
  int amount_;
  std::optional<Rgb> last_;
  Rgb result_ = 0;
};

}  // namespace xpmenu
