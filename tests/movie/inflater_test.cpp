#include "movie/io/inflater.h"

#include <gtest/gtest.h>

#include <random>

#include "tools/swf/swf_writer.h"

using movie::io::Inflater;

namespace {

swf::Bytes sampleData(size_t size) {
  std::mt19937 rng(7);
  swf::Bytes data(size);
  for (size_t i = 0; i < size; ++i) data[i] = uint8_t(i % 7 == 0 ? rng() : i / 13);
  return data;
}

}  // namespace

TEST(Inflater, AnySplitOfTheInputGivesTheSameOutput) {
  swf::Bytes plain = sampleData(200000);
  swf::Bytes packed = swf::zlibCompress(plain);
  std::mt19937 rng(42);
  for (int round = 0; round < 6; ++round) {
    Inflater inflater(plain.size());
    std::vector<uint8_t> out;
    size_t pos = 0;
    while (pos < packed.size()) {
      size_t step = round == 0 ? 1 : size_t(rng() % (round * 997) + 1);
      step = std::min(step, packed.size() - pos);
      Inflater::Status st = inflater.feed(packed.data() + pos, step, out);
      ASSERT_NE(st, Inflater::Status::Error) << inflater.error();
      pos += step;
    }
    EXPECT_EQ(inflater.status(), Inflater::Status::Done);
    EXPECT_EQ(out, plain) << "round " << round;
  }
}

TEST(Inflater, OutputBeyondTheLimitIsAnError) {
  swf::Bytes plain(100000, 'a');
  swf::Bytes packed = swf::zlibCompress(plain);
  Inflater inflater(99999);
  std::vector<uint8_t> out;
  EXPECT_EQ(inflater.feed(packed.data(), packed.size(), out), Inflater::Status::Error);
  EXPECT_LE(out.size(), 99999u);
  EXPECT_FALSE(inflater.error().empty());
  // Sticky: more input changes nothing.
  EXPECT_EQ(inflater.feed(packed.data(), 10, out), Inflater::Status::Error);
}

TEST(Inflater, DamagedDataIsAnError) {
  swf::Bytes packed = swf::zlibCompress(sampleData(5000));
  packed[0] = 0x00;  // not a zlib header
  Inflater inflater(100000);
  std::vector<uint8_t> out;
  EXPECT_EQ(inflater.feed(packed.data(), packed.size(), out), Inflater::Status::Error);
}

TEST(Inflater, IncompleteStreamStaysOk) {
  swf::Bytes packed = swf::zlibCompress(sampleData(5000));
  Inflater inflater(100000);
  std::vector<uint8_t> out;
  EXPECT_EQ(inflater.feed(packed.data(), packed.size() / 2, out), Inflater::Status::Ok);
  EXPECT_LT(out.size(), 5000u);
}

TEST(Inflater, InflateAllHonoursItsLimit) {
  swf::Bytes plain = sampleData(3000);
  swf::Bytes packed = swf::zlibCompress(plain);
  std::vector<uint8_t> out;
  EXPECT_TRUE(movie::io::inflateAll(packed.data(), packed.size(), 3000, out));
  EXPECT_EQ(out, plain);
  out.clear();
  EXPECT_FALSE(movie::io::inflateAll(packed.data(), packed.size(), 2999, out));
}
