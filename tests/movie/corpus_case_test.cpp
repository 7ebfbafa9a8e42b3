// The reader of the corpus cases' judging rules.
#include "corpus_case.h"

#include <gtest/gtest.h>

using movie_test::parseCaseRules;

TEST(CaseRules, PlainTableWithOneCheck) {
  auto r = parseCaseRules(
      "# comment\nnum_frames = 3\n\n[image_comparisons.output]\ntolerance = 24\nmax_outliers = 2329\n\n"
      "[player_options]\nwith_renderer = { optional = false, quality = \"low\" }\n");
  EXPECT_EQ(r.numFrames, 3);
  EXPECT_EQ(r.quality, "low");
  ASSERT_EQ(r.comparisons.size(), 1u);
  EXPECT_EQ(r.comparisons[0].name, "output");
  ASSERT_EQ(r.comparisons[0].checks.size(), 1u);
  EXPECT_EQ(r.comparisons[0].checks[0].tolerance, 24);
  EXPECT_EQ(r.comparisons[0].checks[0].maxOutliers, 2329);
}

TEST(CaseRules, ArraysOfChecksAndTriggers) {
  auto r = parseCaseRules(
      "num_frames = 5\n[image_comparisons.\"output.01\"]\ntrigger = 1\n"
      "[[image_comparisons.\"output.01\".checks]]\ntolerance = 0\nmax_outliers = 30000\n"
      "[[image_comparisons.\"output.01\".checks]]\ntolerance = 80\nmax_outliers = 3000\n"
      "[image_comparisons.\"output.05\"]\ntrigger = 5\n"
      "[[image_comparisons.\"output.05\".checks]]\ntolerance = 20\n");
  ASSERT_EQ(r.comparisons.size(), 2u);
  EXPECT_EQ(r.comparisons[0].name, "output.01");
  EXPECT_EQ(r.comparisons[0].trigger, 1);
  ASSERT_EQ(r.comparisons[0].checks.size(), 2u);
  EXPECT_EQ(r.comparisons[0].checks[1].tolerance, 80);
  EXPECT_EQ(r.comparisons[0].checks[1].maxOutliers, 3000);
  EXPECT_EQ(r.comparisons[1].trigger, 5);
  ASSERT_EQ(r.comparisons[1].checks.size(), 1u);
  EXPECT_EQ(r.comparisons[1].checks[0].maxOutliers, 0);
  EXPECT_EQ(r.quality, "high");  // when not given
}

TEST(CaseRules, ViewportSizeWhenGiven) {
  auto r = parseCaseRules(
      "[player_options]\nviewport_dimensions = { width = 800, height = 400, scale_factor = 1.0 }\n");
  EXPECT_EQ(r.viewportWidth, 800);
  EXPECT_EQ(r.viewportHeight, 400);
  EXPECT_EQ(parseCaseRules("num_frames = 1\n").viewportWidth, 0);  // the stage's own size
}

TEST(CaseRules, TableWithoutKeysMeansExact) {
  auto r = parseCaseRules("num_frames = 1\n[image_comparisons.output]\n");
  ASSERT_EQ(r.comparisons.size(), 1u);
  ASSERT_EQ(r.comparisons[0].checks.size(), 1u);
  EXPECT_EQ(r.comparisons[0].checks[0].tolerance, 0);
}

TEST(CaseRules, OutliersCountPixelsBeyondTheTolerance) {
  movie_test::Image a{2, 1, {0xFF102030, 0xFF000000}}, b{2, 1, {0xFF102035, 0xFF000001}};
  EXPECT_EQ(movie_test::countOutliers(a, b, 0), 2);
  EXPECT_EQ(movie_test::countOutliers(a, b, 1), 1);
  EXPECT_EQ(movie_test::countOutliers(a, b, 5), 0);
  movie_test::Image c{1, 1, {0}};
  EXPECT_GT(movie_test::countOutliers(a, c, 255), 1);  // sizes differ: everything is off
}

TEST(CaseRules, PixelsInUnjudgedBoxesAreLeftOut) {
  // A 3 x 2 image whose every pixel is off; boxes take out a column, then a corner.
  movie_test::Image a{3, 2, std::vector<uint32_t>(6, 0xFF000000)}, b{3, 2, std::vector<uint32_t>(6, 0xFFFFFFFF)};
  EXPECT_EQ(movie_test::countOutliers(a, b, 0, {{1, 0, 1, 1}}), 4);
  EXPECT_EQ(movie_test::countOutliers(a, b, 0, {{1, 0, 1, 1}, {2, 1, 5, 5}}), 3);
  EXPECT_EQ(movie_test::countOutliers(a, b, 0, {{0, 0, 2, 1}}), 0);
}

TEST(CaseRules, BoxesAreReadUpToTheFirstOtherWord) {
  auto boxes = movie_test::leadingBoxes("1,2,30,40 5,6,7,8  labels 9,9,9,9");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].x1, 30);
  EXPECT_EQ(boxes[1].y1, 8);
  EXPECT_TRUE(movie_test::leadingBoxes("labels 1,2,3,4").empty());
  EXPECT_TRUE(movie_test::leadingBoxes("1,2,3 4").empty());
  EXPECT_TRUE(movie_test::leadingBoxes("1,2,3,4x").empty());
}
