// The catalogue as data: titles, movie addresses, the record and the caption.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/core/addresses.h"
#include "app/core/caption.h"
#include "app/core/chr_object.h"
#include "app/core/lesson_titles.h"

namespace {
const std::string kBase = "http://" BRIMBLO_CONTENT_HOST ":88";
}  // namespace

TEST(LessonTitles, FirstMiddleAndLastAreTheGbkBytesOfTheTable) {
    EXPECT_EQ(LessonTitles(1), "\xbd\xe9\xc9\xdc\xb1\xa6\xb1\xa6\xb5\xc4\xbc\xd2");   // 介绍宝宝的家
    EXPECT_EQ(LessonTitles(12), "\xb1\xa6\xb1\xa6\xd3\xf6\xb5\xbd\xc7\xe0\xcd\xdc\xcd\xf5\xd7\xd3");  // 宝宝遇到青蛙王子
    EXPECT_EQ(LessonTitles(38), "\xb1\xa6\xb1\xa6\xc8\xcf\xca\xb6\xd3\xa1\xb6\xc8");  // 宝宝认识印度
}

TEST(LessonTitles, EveryTitleIsDistinctNonEmptyDoubleByteText) {
    std::set<std::string> seen;
    for (int i = 1; i <= kLessonCount; ++i) {
        auto t = LessonTitles(i);
        ASSERT_FALSE(t.empty()) << i;
        EXPECT_EQ(t.size() % 2, 0u) << i;  // two GBK bytes per Chinese character
        for (unsigned char c : t) EXPECT_GE(c, 0x40) << i;
        seen.emplace(t);
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(kLessonCount));
}

TEST(LessonTitles, NumbersOutsideTheTableGiveEmptyText) {
    EXPECT_TRUE(LessonTitles(0).empty());
    EXPECT_TRUE(LessonTitles(39).empty());
    EXPECT_TRUE(LessonTitles(-5).empty());
}

TEST(MovieAddress, TwoDigitFileNamesInOneFolder) {
    EXPECT_EQ(LessonMovieAddress(1), kBase + "/edu/3/01.swf");
    EXPECT_EQ(LessonMovieAddress(9), kBase + "/edu/3/09.swf");
    EXPECT_EQ(LessonMovieAddress(10), kBase + "/edu/3/10.swf");
    EXPECT_EQ(LessonMovieAddress(12), kBase + "/edu/3/12.swf");
    EXPECT_EQ(LessonMovieAddress(38), kBase + "/edu/3/38.swf");
}

TEST(MovieAddress, BannerIsOnTheSameServer) {
    EXPECT_EQ(BannerAddress(), kBase + "/edu/info.htm");
}

TEST(ChrObject, SettersStoreTheirArgument) {
    TChrObject r;
    std::string url = "http://x/1.swf";
    r.SetMovieUrl(url);
    url[0] = 'X';  // the record keeps its own copy
    r.SetIndex(7);
    r.SetSequence(9);
    EXPECT_EQ(r.MovieUrl, "http://x/1.swf");
    EXPECT_EQ(r.Index, 7);
    EXPECT_EQ(r.Sequence, 9);
}

TEST(Caption, SeriesNameInGbkThenTheWebsiteInParentheses) {
    EXPECT_EQ(MainCaption(),
              std::string("Brimblo\xb6\xf9\xcd\xaf\xd3\xa2\xd3\xef \xd6\xae "
                          "\xc9\xfa\xbb\xee\xd0\xa1\xb9\xca\xca\xc2\xcf\xb5\xc1\xd0 (") +
                  BRIMBLO_WEBSITE + ")");
}
