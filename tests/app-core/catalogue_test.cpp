// The catalogue as data: titles, records and movie addresses.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/core/addresses.h"
#include "app/core/caption.h"
#include "app/core/catalogue.h"
#include "app/core/lesson_titles.h"

namespace {
const std::string kBase = "http://" BRIMBLO_CONTENT_HOST ":88";

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}
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

TEST(Catalogue, RecordsInLessonOrderWithSequenceEqualToIndex) {
    auto records = MakeLessonRecords();
    ASSERT_EQ(records.size(), 38u);
    for (int k = 0; k < 38; ++k) {
        const TChrObject& r = *records[k];
        EXPECT_EQ(r.Index, k + 1);
        EXPECT_EQ(r.Sequence, r.Index);
        EXPECT_TRUE(r.Extra.empty());
        EXPECT_EQ(r.MovieUrl, LessonMovieAddress(k + 1));
        char tail[16];
        std::snprintf(tail, sizeof tail, "/%02d.swf", k + 1);
        EXPECT_TRUE(EndsWith(r.MovieUrl, tail)) << r.MovieUrl;
    }
}

TEST(Catalogue, ASecondRunStartsTheCounterAgainWithNewRecords) {
    auto first = MakeLessonRecords();
    auto second = MakeLessonRecords();
    ASSERT_EQ(second.size(), 38u);
    EXPECT_EQ(second.front()->Sequence, 1);
    EXPECT_EQ(second.back()->Sequence, 38);
    EXPECT_NE(first.front().get(), second.front().get());
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
