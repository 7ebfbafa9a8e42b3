// The mirror substitution of the site address file.
#include <gtest/gtest.h>

#include <string>

#include "app/core/mirror_text.h"

TEST(MirrorText, LettersDigitsAndPunctuationSwap) {
    EXPECT_EQ(MirrorText("abc"), "zyx");
    EXPECT_EQ(MirrorText("zyx"), "abc");
    EXPECT_EQ(MirrorText("19"), "80");
    EXPECT_EQ(MirrorText("0123456789"), "9876543210");
    EXPECT_EQ(MirrorText("AMNZ"), "ZNMA");
    EXPECT_EQ(MirrorText("mn"), "nm");
    EXPECT_EQ(MirrorText(":-/_"), "-:_/");
}

TEST(MirrorText, OtherBytesStay) {
    EXPECT_EQ(MirrorText(". ?=&%\t\r"), ". ?=&%\t\r");
    EXPECT_EQ(MirrorText("@[`{"), "@[`{");  // just outside the letter ranges
}

TEST(MirrorText, EmptyTextGivesEmptyText) { EXPECT_EQ(MirrorText(""), ""); }

TEST(MirrorText, HighBytesOnlyStayUnchanged) {
    std::string high;
    for (int b = 128; b < 256; ++b) high.push_back(static_cast<char>(b));
    EXPECT_EQ(MirrorText(high), high);
}

TEST(MirrorText, TwiceGivesBackEveryByteValue) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    std::string once = MirrorText(all);
    EXPECT_EQ(once.size(), all.size());
    EXPECT_NE(once, all);
    EXPECT_EQ(MirrorText(once), all);
}

TEST(MirrorText, MultiByteCharactersAreNotRecognised) {
    // The trail byte 'a' of a GBK pair is mirrored like any other 'a'.
    EXPECT_EQ(MirrorText("\xb1" "a"), "\xb1" "z");
}

TEST(MirrorText, PlainAddressRoundTrips) {
    std::string plain = "http://127.0.0.1:88/edu/channel.htm";
    std::string stored = MirrorText(plain);
    EXPECT_EQ(stored, "sggk-__872.9.9.8-11_vwf_xszmmvo.sgn");
    EXPECT_EQ(MirrorText(stored), plain);
}
