// The generated sample content: 38 distinct looping lessons and the pages.
#include <gtest/gtest.h>
#include <iconv.h>
#include <unistd.h>

#include <bit>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "gif_decode.h"
#include "swf_test_reader.h"
#include "tools/sample-content/lesson_movie.h"
#include "tools/sample-content/sample_content.h"
#include "tools/sample-content/seven_segment.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> readAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string gbkToUtf8(const std::string& gbk) {
  iconv_t cd = iconv_open("UTF-8", "GBK");
  if (cd == iconv_t(-1)) return {};
  std::string out(gbk.size() * 3 + 16, '\0');
  char* in = const_cast<char*>(gbk.data());
  char* dst = out.data();
  size_t inLeft = gbk.size(), outLeft = out.size();
  const size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
  iconv_close(cd);
  if (rc == size_t(-1)) return {};
  out.resize(out.size() - outLeft);
  return out;
}

// The quoted values that follow each occurrence of prefix (e.g. `href="`).
std::vector<std::string> quotedAfter(const std::string& page, const std::string& prefix) {
  std::vector<std::string> values;
  for (size_t at = page.find(prefix); at != std::string::npos; at = page.find(prefix, at)) {
    at += prefix.size();
    const size_t end = page.find('"', at);
    if (end == std::string::npos) break;
    values.push_back(page.substr(at, end - at));
  }
  return values;
}

// An axis-aligned rectangle path: a move and four straight edges back to the start.
bool isRectangle(const swftest::ShapeInfo::Path& p) {
  if (p.points.size() != 5 || p.curves != 0 || p.points.front() != p.points.back()) return false;
  for (size_t i = 1; i < p.points.size(); ++i)
    if (p.points[i].first != p.points[i - 1].first && p.points[i].second != p.points[i - 1].second)
      return false;
  return true;
}

class SampleContentTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new fs::path(fs::temp_directory_path() / ("brimblo-sample-content-" + std::to_string(::getpid())));
    fs::remove_all(*root_);
    written_ = new std::vector<std::string>(sample::writeSampleContent(*root_));
  }
  static void TearDownTestSuite() {
    fs::remove_all(*root_);
    delete root_;
    delete written_;
  }
  static fs::path* root_;
  static std::vector<std::string>* written_;
};
fs::path* SampleContentTest::root_ = nullptr;
std::vector<std::string>* SampleContentTest::written_ = nullptr;

}  // namespace

TEST_F(SampleContentTest, WritesEveryFileItLists) {
  const std::set<std::string> names(written_->begin(), written_->end());
  EXPECT_EQ(names.size(), written_->size());
  for (int i = 1; i <= 38; ++i) EXPECT_TRUE(names.count(sample::lessonPath(i))) << i;
  EXPECT_TRUE(names.count("edu/info.htm"));
  EXPECT_TRUE(names.count("edu/channel.htm"));
  for (const std::string& n : names) EXPECT_GT(fs::file_size(*root_ / n), 100u) << n;
  EXPECT_EQ(sample::lessonPath(1), "edu/3/01.swf");
  EXPECT_EQ(sample::lessonPath(10), "edu/3/10.swf");
  EXPECT_EQ(sample::lessonPath(38), "edu/3/38.swf");
}

TEST_F(SampleContentTest, ThirtyEightDistinctWellFormedLoopingMovies) {
  std::set<std::vector<uint8_t>> distinct;
  int compressed = 0;
  std::set<uint16_t> rates;
  for (int lesson = 1; lesson <= 38; ++lesson) {
    SCOPED_TRACE(lesson);
    const std::vector<uint8_t> file = readAll(*root_ / sample::lessonPath(lesson));
    auto movie = swftest::readMovie(file);
    ASSERT_TRUE(movie);
    distinct.insert(movie->uncompressed);
    compressed += movie->signature[0] == 'C';
    EXPECT_EQ(movie->fileLength, movie->uncompressed.size());
    EXPECT_EQ(movie->stage.xMin, 0);
    EXPECT_EQ(movie->stage.xMax, 550 * 20);
    EXPECT_EQ(movie->stage.yMax, 400 * 20);
    EXPECT_GE(movie->frameRate88, 12 * 256);
    EXPECT_LE(movie->frameRate88, 24 * 256);
    rates.insert(movie->frameRate88);
    EXPECT_TRUE(movie->tagsClean);
    std::map<uint16_t, int> count;
    for (const auto& t : movie->tags) count[t.code]++;
    EXPECT_EQ(count[1], movie->frameCount);
    EXPECT_GE(movie->frameCount, 12);
    EXPECT_EQ(count[9], 1);   // background colour
    EXPECT_EQ(count[39], 1);  // the flower sprite
    EXPECT_EQ(count[28], 1);  // the sparkle leaves again
    EXPECT_GT(count[26] + count[70], movie->frameCount * 3);  // things move every frame
    if (movie->version >= 8) {
      EXPECT_EQ(movie->tags.front().code, 69);
    }
    for (const auto& t : movie->tags) {
      if (t.code == 39) {
        const auto& b = t.body;
        ASSERT_GE(b.size(), 4u);
        EXPECT_GT(b[2] | b[3] << 8, 1);  // its own timeline
        bool clean = false;
        swftest::readTags(b.data() + 4, b.size() - 4, &clean);
        EXPECT_TRUE(clean);
      }
      if (auto shape = swftest::readShape(t)) {
        EXPECT_TRUE(shape->ended) << "shape " << shape->id;
      }
    }
  }
  EXPECT_EQ(distinct.size(), 38u);
  EXPECT_GT(compressed, 0);
  EXPECT_LT(compressed, 38);
  EXPECT_GT(rates.size(), 1u);
}

TEST_F(SampleContentTest, EachMovieDrawsItsLessonNumber) {
  for (int lesson = 1; lesson <= 38; ++lesson) {
    SCOPED_TRACE(lesson);
    const int segments = std::popcount(sample::segmentsOf(lesson / 10)) +
                         std::popcount(sample::segmentsOf(lesson % 10));
    auto movie = swftest::readMovie(readAll(*root_ / sample::lessonPath(lesson)));
    ASSERT_TRUE(movie);
    int numberShapes = 0;
    for (const auto& t : movie->tags) {
      auto shape = swftest::readShape(t);
      if (!shape || shape->fills != 1 || int(shape->paths.size()) != segments) continue;
      bool allRects = true;
      for (const auto& p : shape->paths) allRects = allRects && isRectangle(p);
      // The number is big: over 100 pixels each way even for "11" (right-hand segments only).
      if (allRects && shape->maxX - shape->minX >= 100 * 20 && shape->maxY - shape->minY >= 100 * 20)
        ++numberShapes;
    }
    EXPECT_EQ(numberShapes, 2);  // the number and its shadow
  }
}

TEST(SevenSegmentTest, DigitsLightTheirSegmentsWithoutOverlap) {
  const int expected[10] = {6, 2, 5, 5, 4, 5, 6, 3, 7, 6};
  for (int d = 0; d <= 9; ++d) {
    swf::Shape s;
    sample::addDigit(s, d, 0, 0, 800, 1500, s.addFill(swf::FillStyle::solid(swf::rgb(0))));
    swf::TagList tags;
    tags.defineShape(1, s, 3);
    auto parsed = swftest::readTags(tags.bytes().data(), tags.bytes().size());
    auto info = swftest::readShape(parsed.at(0));
    ASSERT_TRUE(info);
    ASSERT_EQ(int(info->paths.size()), expected[d]) << d;
    std::vector<swf::Rect> boxes;
    for (const auto& p : info->paths) {
      ASSERT_TRUE(isRectangle(p));
      swf::Rect r{INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN};
      for (auto [x, y] : p.points)
        r.xMin = std::min(r.xMin, x), r.xMax = std::max(r.xMax, x), r.yMin = std::min(r.yMin, y),
        r.yMax = std::max(r.yMax, y);
      EXPECT_GE(r.xMin, 0);
      EXPECT_LE(r.xMax, 800);
      EXPECT_LE(r.yMax, 1500);
      for (const swf::Rect& o : boxes)
        EXPECT_TRUE(r.xMax <= o.xMin || o.xMax <= r.xMin || r.yMax <= o.yMin || o.yMax <= r.yMin)
            << "digit " << d << " has overlapping segments";
      boxes.push_back(r);
    }
  }
  EXPECT_THROW(sample::segmentsOf(10), std::invalid_argument);
  EXPECT_THROW(sample::styleFor(0), std::invalid_argument);
  EXPECT_THROW(sample::makeLessonMovie(39), std::invalid_argument);
}

TEST_F(SampleContentTest, BannerPageIsGbkWithTableImagesAndMarquee) {
  const std::vector<uint8_t> bytes = readAll(*root_ / "edu/info.htm");
  const std::string page(bytes.begin(), bytes.end());
  EXPECT_NE(page.find("<meta charset=gbk>"), std::string::npos);
  EXPECT_NE(page.find("<table"), std::string::npos);
  EXPECT_NE(page.find("<marquee"), std::string::npos);
  EXPECT_NE(page.find("height=55"), std::string::npos);
  EXPECT_EQ(page.find("\xE5\x84\xBF"), std::string::npos);  // not UTF-8 "儿"
  const std::string text = gbkToUtf8(page);
  ASSERT_FALSE(text.empty()) << "the page is not valid GBK";
  EXPECT_NE(text.find("Brimblo儿童英语 之 生活小故事系列"), std::string::npos);
  EXPECT_NE(text.find("快乐学英语"), std::string::npos);
  EXPECT_NE(text.find("Learn English"), std::string::npos);

  int images = 0;
  for (const std::string& src : quotedAfter(page, "<img src=\"")) {
    const fs::path picture = *root_ / "edu" / src;
    ASSERT_TRUE(fs::exists(picture)) << picture;
    const DecodedGif d = decodeGif(readAll(picture));
    EXPECT_GT(d.frames, 1) << picture;
    EXPECT_LE(d.height, 55);
    ++images;
  }
  EXPECT_GE(images, 1);
}

TEST_F(SampleContentTest, ChannelPageLinksEveryLesson) {
  const std::vector<uint8_t> bytes = readAll(*root_ / "edu/channel.htm");
  const std::string page(bytes.begin(), bytes.end());
  EXPECT_NE(page.find("<meta charset=gbk>"), std::string::npos);
  EXPECT_NE(gbkToUtf8(page).find("第 12 课"), std::string::npos);
  std::set<std::string> targets;
  for (const std::string& href : quotedAfter(page, "href=\"")) {
    EXPECT_TRUE(fs::exists(*root_ / "edu" / href)) << href;
    targets.insert(href);
  }
  EXPECT_EQ(targets.size(), 38u);
}
