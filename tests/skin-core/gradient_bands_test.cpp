// Band geometry and colour steps of the gradient fills.
#include <gtest/gtest.h>

#include "skin/window/core/gradient_bands.h"

using skin::Band;
using skin::Box;
using skin::Rgb;

namespace {

const Rgb kRed{200, 10, 0}, kBlue{0, 40, 250};

// Every pixel row (vertical) or column (horizontal) of rect painted exactly once, in order.
void ExpectTiles(const std::vector<Band>& bands, Box rect, bool vertical) {
  int at = vertical ? rect.top : rect.left;
  for (const Band& b : bands) {
    EXPECT_EQ(vertical ? b.box.top : b.box.left, at);
    EXPECT_EQ(vertical ? b.box.left : b.box.top, vertical ? rect.left : rect.top);
    EXPECT_EQ(vertical ? b.box.right : b.box.bottom, vertical ? rect.right : rect.bottom);
    at = vertical ? b.box.bottom : b.box.right;
  }
  EXPECT_EQ(at, vertical ? rect.bottom : rect.right);
}

}  // namespace

TEST(MulDivRound, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(skin::MulDivRound(1, 1, 2), 1);
  EXPECT_EQ(skin::MulDivRound(-1, 1, 2), -1);
  EXPECT_EQ(skin::MulDivRound(1, 1, 3), 0);
  EXPECT_EQ(skin::MulDivRound(2, 1, 3), 1);
  EXPECT_EQ(skin::MulDivRound(-2, 1, 3), -1);
  EXPECT_EQ(skin::MulDivRound(5, -3, 2), -8);   // -7.5
  EXPECT_EQ(skin::MulDivRound(5, 3, -2), -8);
  EXPECT_EQ(skin::MulDivRound(-5, -3, -2), -8);
  EXPECT_EQ(skin::MulDivRound(7, 10, 4), 18);   // 17.5
  EXPECT_EQ(skin::MulDivRound(1, 1, 0), -1);
  EXPECT_EQ(skin::MulDivRound(1 << 30, 8, 2), -1);  // out of range
  EXPECT_EQ(skin::MulDivRound(1 << 30, 6, 3), -1);  // 2^31 is out of range too
  EXPECT_EQ(skin::MulDivRound(100000, 100000, 100000), 100000);  // the product needs 64 bits
}

TEST(DarkenRgb, ShiftsAndClampsEveryChannel) {
  EXPECT_EQ(skin::DarkenRgb(Rgb{255, 255, 255}, 30), (Rgb{225, 225, 225}));
  EXPECT_EQ(skin::DarkenRgb(Rgb{255, 255, 255}, -30), (Rgb{255, 255, 255}));
  EXPECT_EQ(skin::DarkenRgb(Rgb{0, 0, 0}, -30), (Rgb{30, 30, 30}));
  EXPECT_EQ(skin::DarkenRgb(Rgb{10, 100, 250}, 20), (Rgb{0, 80, 230}));
  EXPECT_EQ(skin::DarkenRgb(Rgb{10, 100, 250}, -20), (Rgb{30, 120, 255}));
}

TEST(LinearBands, EmptyRectanglePaintsNothing) {
  EXPECT_TRUE(skin::LinearGradientBands(Box{0, 0, 0, 10}, kRed, kBlue, fdTopToBottom, 60).empty());
  EXPECT_TRUE(skin::LinearGradientBands(Box{0, 5, 10, 5}, kRed, kBlue, fdLeftToRight, 60).empty());
}

TEST(LinearBands, FewerThanTwoColoursIsASolidStartFill) {
  for (int colors : {-1, 0, 1})
    for (TFillDirection d : {fdTopToBottom, fdBottomToTop, fdLeftToRight, fdRightToLeft}) {
      auto bands = skin::LinearGradientBands(Box{1, 2, 11, 22}, kRed, kBlue, d, colors);
      ASSERT_EQ(bands.size(), 1u);
      EXPECT_EQ(bands[0].box, (Box{1, 2, 11, 22}));
      EXPECT_EQ(bands[0].colour, kRed);
    }
}

TEST(LinearBands, SmallerThanTheBandCountGivesOnePixelBands) {
  // 28 high with 60 colours: 28 bands of one pixel, no remainder.
  Box r{0, 0, 5, 28};
  auto bands = skin::LinearGradientBands(r, kRed, kBlue, fdTopToBottom, 60);
  ASSERT_EQ(bands.size(), 28u);
  ExpectTiles(bands, r, true);
  for (const Band& b : bands) EXPECT_EQ(b.box.height(), 1);
  EXPECT_EQ(bands.front().colour, kRed);
  EXPECT_EQ(bands.back().colour, kBlue);
  // Band 1 of 28: 1/27 of the way, rounded.
  EXPECT_EQ(bands[1].colour, (Rgb{static_cast<uint8_t>(200 + skin::MulDivRound(1, -200, 27)),
                                  static_cast<uint8_t>(10 + skin::MulDivRound(1, 30, 27)),
                                  static_cast<uint8_t>(0 + skin::MulDivRound(1, 250, 27))}));
  EXPECT_EQ(bands[1].colour, (Rgb{193, 11, 9}));
}

TEST(LinearBands, EqualToTheBandCountGivesOneBandPerColour) {
  Box r{10, 0, 70, 4};
  auto bands = skin::LinearGradientBands(r, kRed, kBlue, fdLeftToRight, 60);
  ASSERT_EQ(bands.size(), 60u);
  ExpectTiles(bands, r, false);
  EXPECT_EQ(bands.front().box, (Box{10, 0, 11, 4}));
  EXPECT_EQ(bands.front().colour, kRed);
  EXPECT_EQ(bands.back().colour, kBlue);
}

TEST(LinearBands, LargerThanTheBandCountGivesWideBandsAndAFarEndRemainder) {
  // 900 wide, 60 colours: 60 bands of 15 pixels.
  auto wide = skin::LinearGradientBands(Box{0, 0, 900, 20}, kRed, kBlue, fdLeftToRight, 60);
  ASSERT_EQ(wide.size(), 60u);
  for (const Band& b : wide) EXPECT_EQ(b.box.width(), 15);
  // 61 high, 60 colours: 60 one-pixel bands ending exactly at the end colour, then one row.
  Box r{0, 0, 3, 61};
  auto tall = skin::LinearGradientBands(r, kRed, kBlue, fdTopToBottom, 60);
  ASSERT_EQ(tall.size(), 61u);
  ExpectTiles(tall, r, true);
  EXPECT_EQ(tall[59].colour, kBlue);
  EXPECT_EQ(tall[60].box, (Box{0, 60, 3, 61}));
  EXPECT_EQ(tall[60].colour, kBlue);
  // 350 high: 60 bands of 5 pixels, then 50 rows of the far-end colour.
  Box half{0, 0, 8, 350};
  auto bands = skin::LinearGradientBands(half, kRed, kBlue, fdTopToBottom, 60);
  ASSERT_EQ(bands.size(), 61u);
  ExpectTiles(bands, half, true);
  EXPECT_EQ(bands[59].box, (Box{0, 295, 8, 300}));
  EXPECT_EQ(bands[60].box, (Box{0, 300, 8, 350}));
  EXPECT_EQ(bands[60].colour, kBlue);
}

TEST(LinearBands, OnePixelExtentPaintsOnlyTheFarEndRemainder) {
  auto bands = skin::LinearGradientBands(Box{0, 4, 10, 5}, kRed, kBlue, fdTopToBottom, 8);
  ASSERT_EQ(bands.size(), 1u);
  EXPECT_EQ(bands[0].box, (Box{0, 4, 10, 5}));
  EXPECT_EQ(bands[0].colour, kBlue);
  auto reversed = skin::LinearGradientBands(Box{0, 4, 10, 5}, kRed, kBlue, fdBottomToTop, 8);
  ASSERT_EQ(reversed.size(), 1u);
  EXPECT_EQ(reversed[0].colour, kRed);
}

TEST(LinearBands, ReversedDirectionsPutTheStartColourAtTheFarEdge) {
  for (TFillDirection d : {fdBottomToTop, fdRightToLeft}) {
    bool vertical = d == fdBottomToTop;
    Box r = vertical ? Box{0, 0, 4, 63} : Box{0, 0, 63, 4};
    auto bands = skin::LinearGradientBands(r, kRed, kBlue, d, 30);
    ASSERT_EQ(bands.size(), 31u);  // 30 bands of 2, remainder 3
    ExpectTiles(bands, r, vertical);
    EXPECT_EQ(bands.front().colour, kBlue);
    EXPECT_EQ(bands[29].colour, kRed);
    EXPECT_EQ(bands.back().colour, kRed);
    EXPECT_EQ(vertical ? bands.back().box.height() : bands.back().box.width(), 3);
  }
}

TEST(LinearBands, ColoursStepByRoundedFractions) {
  Rgb black{0, 0, 0}, white{255, 255, 255};
  auto bands = skin::LinearGradientBands(Box{0, 0, 1, 8}, black, white, fdTopToBottom, 8);
  ASSERT_EQ(bands.size(), 8u);
  const int expected[] = {0, 36, 73, 109, 146, 182, 219, 255};  // 255 * i / 7, rounded
  for (int i = 0; i < 8; ++i) EXPECT_EQ(bands[i].colour.r, expected[i]) << i;
}

TEST(CentreOutBands, VerticalHalvesMeetInTheMiddleAndTheLowerTakesTheOddRow) {
  Box r{0, 0, 5, 701};
  auto bands = skin::GradientBands(r, kRed, kBlue, fdVerticalFromCenter, 60);
  ExpectTiles(bands, r, true);
  ASSERT_EQ(bands.size(), 122u);
  EXPECT_EQ(bands.front().colour, kRed);
  EXPECT_EQ(bands.front().box, (Box{0, 0, 5, 5}));
  EXPECT_EQ(bands[60].box, (Box{0, 300, 5, 350}));  // upper remainder: end colour above the centre
  EXPECT_EQ(bands[60].colour, kBlue);
  EXPECT_EQ(bands[61].box, (Box{0, 350, 5, 355}));  // lower half: 351 rows from the centre
  EXPECT_EQ(bands[61].colour, kBlue);
  EXPECT_EQ(bands.back().box, (Box{0, 650, 5, 701}));
  EXPECT_EQ(bands.back().colour, kRed);
}

TEST(CentreOutBands, HorizontalHalvesMirrorEachOther) {
  Box r{2, 0, 42, 3};
  auto bands = skin::GradientBands(r, kRed, kBlue, fdHorizFromCenter, 20);
  ExpectTiles(bands, r, false);
  ASSERT_EQ(bands.size(), 40u);
  EXPECT_EQ(bands[0].colour, kRed);
  EXPECT_EQ(bands[19].colour, kBlue);
  EXPECT_EQ(bands[20].colour, kBlue);
  EXPECT_EQ(bands[39].colour, kRed);
  EXPECT_EQ(bands[20].box.left, 22);
}

TEST(CentreOutBands, FewerThanTwoColoursFillsEachHalfWithTheStartColour) {
  auto bands = skin::GradientBands(Box{0, 0, 10, 10}, kRed, kBlue, fdVerticalFromCenter, 1);
  ASSERT_EQ(bands.size(), 2u);
  EXPECT_EQ(bands[0].colour, kRed);
  EXPECT_EQ(bands[1].colour, kRed);
}
