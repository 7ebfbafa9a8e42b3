// Damaged action code ends cleanly: truncated records, jumps outside the code, blocks
// and functions claiming more bytes than there are, huge constant pools.
#include <gtest/gtest.h>

#include "movie_fixtures.h"
#include "script_fixtures.h"

using movie_test::runTrace;
using swf::Actions;
using swf::Bytes;
using Lines = std::vector<std::string>;

namespace {

// A movie whose first frame runs the raw bytes, and whose second frame traces "ok".
Lines runRaw(const Bytes& code) {
  swf::TagList tags;
  tags.raw(12, code);
  tags.showFrame();
  Actions ok;
  ok.trace("ok");
  swf::doAction(tags, ok);
  tags.showFrame();
  tags.end();
  swf::MovieHeader header;
  header.version = 8;
  return runTrace(swf::writeMovie(header, tags), 2);
}

}  // namespace

TEST(ScriptBadInput, TruncatedRecordsEndTheCode) {
  EXPECT_EQ(runRaw({0x96, 0x10, 0x00, 0x00, 'a'}), (Lines{"ok"}));  // push claims 16 bytes
  EXPECT_EQ(runRaw({0x96}), (Lines{"ok"}));
  // A value cut short is not pushed: trace then prints the empty stack's undefined.
  EXPECT_EQ(runRaw({0x96, 0x03, 0x00, 0x07, 0x01, 0x00, 0x26}), (Lines{"undefined", "ok"}));
  EXPECT_EQ(runRaw({0x96, 0x02, 0x00, 0x00, 'x', 0x26, 0x00}), (Lines{"undefined", "ok"}));
}

TEST(ScriptBadInput, JumpsOutsideTheCodeEndIt) {
  EXPECT_EQ(runRaw({0x99, 0x02, 0x00, 0xFF, 0x7F, 0x00}), (Lines{"ok"}));
  EXPECT_EQ(runRaw({0x99, 0x02, 0x00, 0x00, 0x80, 0x00}), (Lines{"ok"}));
  EXPECT_EQ(runRaw({0x96, 0x02, 0x00, 0x05, 0x01, 0x9D, 0x02, 0x00, 0x00, 0x90, 0x00}), (Lines{"ok"}));
}

TEST(ScriptBadInput, BlocksLongerThanTheCode) {
  // With and Try whose sizes run past the end; DefineFunction with a body past the end.
  EXPECT_EQ(runRaw({0x96, 0x01, 0x00, 0x02, 0x94, 0x02, 0x00, 0xFF, 0xFF, 0x00}), (Lines{"ok"}));
  EXPECT_EQ(runRaw({0x8F, 0x08, 0x00, 0x07, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00}), (Lines{"ok"}));
  EXPECT_EQ(runRaw({0x9B, 0x07, 0x00, 'f', 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00}), (Lines{"ok"}));
}

TEST(ScriptBadInput, HugeConstantPoolsAndStrayIndices) {
  Bytes code{0x88, 0x00, 0x00};
  Bytes pool{0xFF, 0xFF};  // claims 65535 names, has 3000 short ones
  for (int i = 0; i < 3000; ++i) {
    pool.push_back('a');
    pool.push_back(0);
  }
  code[1] = uint8_t(pool.size());
  code[2] = uint8_t(pool.size() >> 8);
  code.insert(code.end(), pool.begin(), pool.end());
  // push constant16 60000 (missing: undefined) and trace it; push register 200.
  Bytes tail{0x96, 0x03, 0x00, 0x09, 0x60, 0xEA, 0x26, 0x96, 0x02, 0x00, 0x04, 0xC8, 0x26, 0x00};
  code.insert(code.end(), tail.begin(), tail.end());
  EXPECT_EQ(runRaw(code), (Lines{"undefined", "undefined", "ok"}));
}

TEST(ScriptBadInput, StackUnderflowGivesUndefined) {
  EXPECT_EQ(runRaw({0x47, 0x26, 0x17, 0x17, 0x52, 0x3D, 0x4E, 0x00}), (Lines{"NaN", "ok"}));
}
