// The writer's bit fields and basic records against encodings worked out by hand.
#include <gtest/gtest.h>

#include "bit_string.h"
#include "swf_test_reader.h"
#include "tools/swf/swf_writer.h"

using swf::Bytes;

TEST(BitWriterTest, PacksFieldsMostSignificantBitFirst) {
  swf::BitWriter w;
  w.writeUB(5, 3);   // 101
  w.writeUB(1, 1);   // 1
  w.writeSB(-1, 4);  // 1111
  w.writeUB(0x2A, 7);
  EXPECT_EQ(w.bytes(), (Bytes{0xBF, 0x54}));
}

TEST(BitWriterTest, AlignsBeforeByteFieldsAndStoresLittleEndian) {
  swf::BitWriter w;
  w.writeUB(1, 1);
  w.writeU16(0x1234);
  w.writeU32(0xA1B2C3D4);
  w.writeString("ok");
  EXPECT_EQ(w.bytes(), (Bytes{0x80, 0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1, 'o', 'k', 0}));
}

TEST(BitWriterTest, RefusesValuesThatDoNotFit) {
  swf::BitWriter w;
  EXPECT_THROW(w.writeSB(8, 4), std::invalid_argument);
  EXPECT_THROW(w.writeSB(-9, 4), std::invalid_argument);
  EXPECT_THROW(w.writeUB(0, 33), std::invalid_argument);
  EXPECT_THROW(w.writeFB(40000.0, 32), std::invalid_argument);
  EXPECT_THROW(swf::encodeMatrix(swf::Matrix::transform(1e6, 1, 0, 0, 0)), std::invalid_argument);
  EXPECT_NO_THROW(w.writeSB(-8, 4));
  EXPECT_NO_THROW(w.writeSB(7, 4));
}

TEST(BitWidthTest, CountsSignAndMagnitude) {
  EXPECT_EQ(swf::bitsForUnsigned(0), 0);
  EXPECT_EQ(swf::bitsForUnsigned(1), 1);
  EXPECT_EQ(swf::bitsForUnsigned(255), 8);
  EXPECT_EQ(swf::bitsForUnsigned(256), 9);
  EXPECT_EQ(swf::bitsForUnsigned(0xFFFFFFFF), 32);
  EXPECT_EQ(swf::bitsForSigned(0), 0);
  EXPECT_EQ(swf::bitsForSigned(1), 2);
  EXPECT_EQ(swf::bitsForSigned(-1), 1);
  EXPECT_EQ(swf::bitsForSigned(-2), 2);
  EXPECT_EQ(swf::bitsForSigned(127), 8);
  EXPECT_EQ(swf::bitsForSigned(-128), 8);
  EXPECT_EQ(swf::bitsForSigned(128), 9);
  EXPECT_EQ(swf::bitsForSigned(INT32_MIN), 32);
  EXPECT_EQ(swf::bitsForFixed(1.0), 18);   // 0x10000
  EXPECT_EQ(swf::bitsForFixed(-0.5), 16);  // -0x8000
}

TEST(RecordTest, StageRectOf550By400) {
  // 11000 and 8000 twips need 15 signed bits; 5 + 4 * 15 = 65 bits, 9 bytes.
  const Bytes expected = bitsToBytes(
      "01111 000000000000000 010101011111000 000000000000000 001111101000000");
  EXPECT_EQ(swf::encodeRect({0, 11000, 0, 8000}), expected);
  EXPECT_EQ(expected, (Bytes{0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00}));
}

TEST(RecordTest, RectWithNegativeCorner) {
  // -1 needs 1 bit, 1 needs 2: all four in 2 bits.
  EXPECT_EQ(swf::encodeRect({-1, 1, 0, 0}), bitsToBytes("00010 11 01 00 00"));
  EXPECT_EQ(swf::encodeRect({0, 0, 0, 0}), bitsToBytes("00000"));
}

TEST(RecordTest, TranslateOnlyMatrix) {
  // No scale, no rotate, 6-bit translate: 20 = 010100, -20 = 101100.
  EXPECT_EQ(swf::encodeMatrix(swf::Matrix::translate(20, -20)),
            bitsToBytes("0 0 00110 010100 101100"));
  EXPECT_EQ(swf::encodeMatrix(swf::Matrix{}), bitsToBytes("0 0 00000"));
}

TEST(RecordTest, ScaledMatrix) {
  // 2.0 = 0x20000 needs 19 bits, 0.5 = 0x8000 needs 17: both in 19.
  swf::Matrix m;
  m.scaleX = 2.0, m.scaleY = 0.5;
  EXPECT_EQ(swf::encodeMatrix(m),
            bitsToBytes("1 10011 0100000000000000000 0001000000000000000 0 00000"));
}

TEST(RecordTest, RotatedMatrixReadsBack) {
  const swf::Matrix m = swf::Matrix::transform(1.5, 0.75, 30, 1234, -567);
  const Bytes b = swf::encodeMatrix(m);
  swftest::BitReader r(b);
  const swftest::Matrix back = swftest::readMatrix(r);
  EXPECT_EQ(r.pos(), b.size());
  EXPECT_NEAR(back.scaleX, 1.5 * 0.8660254, 1e-4);
  EXPECT_NEAR(back.skew0, 1.5 * 0.5, 1e-4);
  EXPECT_NEAR(back.skew1, -0.75 * 0.5, 1e-4);
  EXPECT_NEAR(back.scaleY, 0.75 * 0.8660254, 1e-4);
  EXPECT_EQ(back.tx, 1234);
  EXPECT_EQ(back.ty, -567);
}

TEST(RecordTest, AlphaColorTransform) {
  // Multiply terms only; 256 needs 10 bits: 256, 256, 256, 128.
  EXPECT_EQ(swf::encodeColorTransform(swf::ColorTransform::alpha(0.5)),
            bitsToBytes("0 1 1010 0100000000 0100000000 0100000000 0010000000"));
  EXPECT_EQ(swf::encodeColorTransform(swf::ColorTransform{}), bitsToBytes("0 0 0000"));
}

TEST(RecordTest, AddTermsWithoutAlpha) {
  swf::ColorTransform c;
  c.addR = -3, c.addG = 2, c.addB = 0, c.addA = 100;  // alpha ignored in CXFORM
  EXPECT_EQ(swf::encodeColorTransform(c, false), bitsToBytes("1 0 0011 101 010 000"));
}

TEST(RecordTest, ColorTransformReadsBack) {
  swf::ColorTransform c;
  c.multR = 512, c.multG = 0, c.multB = -256, c.multA = 100;
  c.addR = 255, c.addG = -255, c.addB = 7, c.addA = 0;
  const Bytes b = swf::encodeColorTransform(c);
  swftest::BitReader r(b);
  const swftest::Cxform back = swftest::readCxform(r, true);
  EXPECT_EQ(back.mult[0], 512);
  EXPECT_EQ(back.mult[1], 0);
  EXPECT_EQ(back.mult[2], -256);
  EXPECT_EQ(back.mult[3], 100);
  EXPECT_EQ(back.add[0], 255);
  EXPECT_EQ(back.add[1], -255);
  EXPECT_EQ(back.add[2], 7);
  EXPECT_EQ(r.pos(), b.size());
}

TEST(TagHeaderTest, ShortAndLongForms) {
  // SetBackgroundColor (9) with 3 bytes: (9 << 6) | 3 = 0x0243.
  EXPECT_EQ(swf::encodeTag(9, {1, 2, 3}), (Bytes{0x43, 0x02, 1, 2, 3}));
  // ShowFrame (1) forced long: 0x007F and a 32-bit zero length.
  EXPECT_EQ(swf::encodeTag(1, {}, true), (Bytes{0x7F, 0x00, 0, 0, 0, 0}));
  // 62 bytes still fit the short form, 63 do not.
  EXPECT_EQ(swf::encodeTag(2, Bytes(62)).size(), 64u);
  const Bytes longTag = swf::encodeTag(2, Bytes(63));
  ASSERT_EQ(longTag.size(), 69u);
  EXPECT_EQ(longTag[0], 0xBF);
  EXPECT_EQ(longTag[1], 0x00);
  EXPECT_EQ(longTag[2], 63);
  EXPECT_THROW(swf::encodeTag(1024, {}), std::invalid_argument);
}
