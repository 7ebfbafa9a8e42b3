// The menu skin's colour arithmetic at its edges.
#include <gtest/gtest.h>

#include <vector>

#include "skin/menu/menu_colors.h"

using namespace xpmenu;

TEST(MenuColors, LightenMovesEachChannelTowardWhite) {
  EXPECT_EQ(LightenColor(MakeRgb(0, 0, 0), 0), MakeRgb(0, 0, 0));
  EXPECT_EQ(LightenColor(MakeRgb(0, 100, 255), 50), MakeRgb(128, 178, 255));  // 127.5 -> 128, 77.5 -> 78
  EXPECT_EQ(LightenColor(MakeRgb(245, 245, 245), 86), MakeRgb(254, 254, 254));  // 8.6 -> 9
}

TEST(MenuColors, LightenRoundsTiesToEven) {
  // (255 - 205) * 5 / 100 = 2.5 -> 2; (255 - 155) * 5 / 100 = 5 exactly; (255 - 185) * 5 / 100 = 3.5 -> 4
  EXPECT_EQ(RedOf(LightenColor(MakeRgb(205, 0, 0), 5)), 207);
  EXPECT_EQ(RedOf(LightenColor(MakeRgb(155, 0, 0), 5)), 160);
  EXPECT_EQ(RedOf(LightenColor(MakeRgb(185, 0, 0), 5)), 189);
  // 255 * 50 / 100 = 127.5 -> 128 (even); 245 * 50 / 100 = 122.5 -> 122
  EXPECT_EQ(GreenOf(LightenColor(MakeRgb(0, 0, 0), 50)), 128);
  EXPECT_EQ(GreenOf(LightenColor(MakeRgb(0, 10, 0), 50)), 10 + 122);
}

TEST(MenuColors, LightenBeyondAHundredIsWhite) {
  for (Rgb c : {MakeRgb(0, 0, 0), MakeRgb(1, 2, 3), MakeRgb(48, 150, 250), MakeRgb(255, 255, 255)}) {
    EXPECT_EQ(LightenColor(c, 150), LightenColor(c, 100));
    EXPECT_EQ(LightenColor(c, 100), kWhite);
  }
}

TEST(MenuColors, DarkenSparesGreenByTwo) {
  EXPECT_EQ(DarkenMenuColor(MakeRgb(0, 0, 0), 10), MakeRgb(0, 0, 0));
  EXPECT_EQ(DarkenMenuColor(MakeRgb(100, 100, 100), 10), MakeRgb(90, 92, 90));
  EXPECT_EQ(DarkenMenuColor(MakeRgb(255, 255, 255), 0), MakeRgb(255, 255, 255));  // green clamped at 255
  EXPECT_EQ(DarkenMenuColor(MakeRgb(5, 5, 5), 6), MakeRgb(0, 1, 0));
  EXPECT_EQ(DarkenMenuColor(MakeRgb(245, 245, 245), 90), MakeRgb(155, 157, 155));
}

TEST(MenuColors, GreyIsTheMeanPlusAmountUpTo240) {
  EXPECT_EQ(GreyColor(kWhite, 10), MakeRgb(240, 240, 240));
  EXPECT_EQ(GreyColor(kBlack, 10), MakeRgb(10, 10, 10));
  EXPECT_EQ(GreyColor(MakeRgb(1, 1, 0), 0), MakeRgb(0, 0, 0));  // 2 div 3 = 0
  EXPECT_EQ(GreyColor(MakeRgb(230, 230, 230), 10), MakeRgb(240, 240, 240));
  EXPECT_EQ(GreyColor(MakeRgb(230, 230, 231), 10), MakeRgb(240, 240, 240));
}

TEST(MenuColors, ContrastTextLeavesOutGreenFromTheMean) {
  Rgb font = MakeRgb(1, 2, 3);
  EXPECT_EQ(ContrastTextColor(MakeRgb(200, 0, 200), font), font);
  EXPECT_EQ(ContrastTextColor(MakeRgb(0, 210, 0), font), font);
  EXPECT_EQ(ContrastTextColor(MakeRgb(0, 0, 128), font), LightenColor(MakeRgb(0, 0, 128), 90));
  EXPECT_EQ(ContrastTextColor(MakeRgb(150, 200, 151), font), LightenColor(MakeRgb(150, 200, 151), 90));  // 150, 200: not above
  EXPECT_EQ(ContrastTextColor(MakeRgb(151, 0, 151), font), font);
}

TEST(MenuColors, MixDividesBeforeAdding) {
  std::vector<Rgb> two = {MakeRgb(255, 1, 0), MakeRgb(255, 1, 100)};
  EXPECT_EQ(MixColors(two), MakeRgb(254, 0, 50));  // 127 + 127, 0 + 0, 0 + 50
  std::vector<Rgb> one = {MakeRgb(9, 8, 7)};
  EXPECT_EQ(MixColors(one), MakeRgb(9, 8, 7));
  std::vector<Rgb> three = {kWhite, kWhite, kWhite};
  EXPECT_EQ(MixColors(three), MakeRgb(255, 255, 255));
}

TEST(MenuColors, RunConverterConvertsTheFirstPixelToo) {
  RunConverter grey(&GreyColor, 10);
  EXPECT_EQ(grey(kBlack), MakeRgb(10, 10, 10));  // nothing remembered before the first
  EXPECT_EQ(grey(kBlack), MakeRgb(10, 10, 10));
  EXPECT_EQ(grey(kWhite), MakeRgb(240, 240, 240));
  RunConverter lighten(&LightenColor, 40);
  EXPECT_EQ(lighten(0), LightenColor(0, 40));
}
