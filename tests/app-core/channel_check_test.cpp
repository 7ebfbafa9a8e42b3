// Only web addresses from web.dat are handed to the shell.
#include <gtest/gtest.h>

#include "app/core/channel_check.h"

TEST(ChannelCheck, HttpAndHttpsInEitherCasePass) {
    EXPECT_TRUE(IsWebAddress("http://127.0.0.1:88/edu/channel.htm"));
    EXPECT_TRUE(IsWebAddress("https://example.org/"));
    EXPECT_TRUE(IsWebAddress("HTTP://EXAMPLE.ORG"));
    EXPECT_TRUE(IsWebAddress("HtTpS://x"));
    EXPECT_TRUE(IsWebAddress("http://"));
}

TEST(ChannelCheck, EverythingElseIsRefused) {
    EXPECT_FALSE(IsWebAddress(""));
    EXPECT_FALSE(IsWebAddress("http:/"));
    EXPECT_FALSE(IsWebAddress("http:"));
    EXPECT_FALSE(IsWebAddress(" http://x"));
    EXPECT_FALSE(IsWebAddress("file:///c:/windows/system32/calc.exe"));
    EXPECT_FALSE(IsWebAddress("c:\\windows\\notepad.exe"));
    EXPECT_FALSE(IsWebAddress("calc.exe"));
    EXPECT_FALSE(IsWebAddress("httpx://x"));
    EXPECT_FALSE(IsWebAddress("ftp://x"));
    EXPECT_FALSE(IsWebAddress("https:/x"));
}
