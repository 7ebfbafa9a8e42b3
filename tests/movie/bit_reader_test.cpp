#include "movie/io/bit_reader.h"

#include <gtest/gtest.h>

#include "movie/format/records.h"
#include "tools/swf/swf_writer.h"

using movie::io::BitReader;

TEST(BitReader, ReadsFieldsMostSignificantBitFirst) {
  const uint8_t data[] = {0b10110011, 0b11000000};
  BitReader r(data, sizeof data);
  EXPECT_EQ(r.ub(1), 1u);
  EXPECT_EQ(r.ub(3), 0b011u);
  EXPECT_EQ(r.sb(4), 3);
  EXPECT_EQ(r.sb(2), -1);
  EXPECT_EQ(r.position(), 1u);
}

TEST(BitReader, SignedFieldsExtendTheirSign) {
  swf::BitWriter w;
  w.writeSB(-5, 4);
  w.writeSB(7, 4);
  w.writeSB(-1, 1);
  w.writeSB(-300, 12);
  const swf::Bytes& b = w.bytes();
  BitReader r(b.data(), b.size());
  EXPECT_EQ(r.sb(4), -5);
  EXPECT_EQ(r.sb(4), 7);
  EXPECT_EQ(r.sb(1), -1);
  EXPECT_EQ(r.sb(12), -300);
  EXPECT_FALSE(r.overrun());
}

TEST(BitReader, FixedPointFieldsAndBytes) {
  swf::BitWriter w;
  w.writeFB(1.5, 19);
  w.align();
  w.writeU16(0x1234);
  w.writeU32(0xCAFEBABE);
  w.writeU16(0x0180);  // 8.8: 1.5
  w.writeString("label");
  const swf::Bytes& b = w.bytes();
  BitReader r(b.data(), b.size());
  EXPECT_FLOAT_EQ(r.fb(19), 1.5f);
  EXPECT_EQ(r.u16(), 0x1234);  // reading bytes aligns first
  EXPECT_EQ(r.u32(), 0xCAFEBABEu);
  EXPECT_FLOAT_EQ(r.fixed8(), 1.5f);
  EXPECT_EQ(r.string(), "label");
  EXPECT_TRUE(r.atEnd());
}

TEST(BitReader, AlignSkipsTheRestOfAByte) {
  const uint8_t data[] = {0xFF, 0x42};
  BitReader r(data, sizeof data);
  r.ub(3);
  r.align();
  EXPECT_EQ(r.position(), 1u);
  EXPECT_EQ(r.u8(), 0x42);
}

TEST(BitReader, OverrunYieldsZerosAndSticks) {
  const uint8_t data[] = {0xFF};
  BitReader r(data, sizeof data);
  EXPECT_EQ(r.u16(), 0xFF);  // the missing byte reads as zero
  EXPECT_TRUE(r.overrun());
  EXPECT_EQ(r.ub(7), 0u);
  EXPECT_EQ(r.string(), "");
  EXPECT_TRUE(r.overrun());
}

TEST(BitReader, HugeFieldWidthsAreBounded) {
  const uint8_t data[] = {0x80, 0, 0, 0, 0, 0};
  BitReader r(data, sizeof data);
  EXPECT_EQ(r.ub(40), 0x80000000u);  // clamped to 32 bits
  r.skip(1000);
  EXPECT_TRUE(r.overrun());
}

TEST(Records, RectMatrixAndColourTransformRoundTrip) {
  swf::Rect rect{-20, 11000, 40, 8000};
  swf::Matrix m = swf::Matrix::transform(2.0, 0.5, 0, 400, -60);
  m.rotateSkew0 = 0.25;
  m.rotateSkew1 = -0.75;
  swf::ColorTransform cx;
  cx.multR = 128;
  cx.addB = -40;
  cx.multA = 64;
  swf::Bytes bytes = swf::encodeRect(rect);
  swf::Bytes mb = swf::encodeMatrix(m), cb = swf::encodeColorTransform(cx, true);
  bytes.insert(bytes.end(), mb.begin(), mb.end());
  bytes.insert(bytes.end(), cb.begin(), cb.end());
  BitReader r(bytes.data(), bytes.size());
  movie::format::Rect got = movie::format::readRect(r);
  EXPECT_EQ(got.xMin, -20);
  EXPECT_EQ(got.xMax, 11000);
  EXPECT_EQ(got.yMin, 40);
  EXPECT_EQ(got.yMax, 8000);
  movie::Matrix gm = movie::format::readMatrix(r);
  EXPECT_NEAR(gm.a, 2.0, 1e-4);
  EXPECT_NEAR(gm.d, 0.5, 1e-4);
  EXPECT_NEAR(gm.b, 0.25, 1e-4);
  EXPECT_NEAR(gm.c, -0.75, 1e-4);
  EXPECT_EQ(gm.tx, 400);
  EXPECT_EQ(gm.ty, -60);
  movie::ColorTransform gc = movie::format::readColorTransform(r, true);
  EXPECT_FLOAT_EQ(gc.rm, 0.5f);
  EXPECT_FLOAT_EQ(gc.gm, 1.0f);
  EXPECT_FLOAT_EQ(gc.am, 0.25f);
  EXPECT_FLOAT_EQ(gc.ba, -40.0f);
  EXPECT_TRUE(r.atEnd());
  EXPECT_FALSE(r.overrun());
}
