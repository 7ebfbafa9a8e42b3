#include "hosts/web/link_policy.h"

#include <gtest/gtest.h>

namespace {

using hosts::web::isWebAddress;

TEST(LinkPolicy, WebAddressesInEitherCaseAreHandedOver) {
  EXPECT_TRUE(isWebAddress("http://127.0.0.1:88/edu/"));
  EXPECT_TRUE(isWebAddress("https://example.test/"));
  EXPECT_TRUE(isWebAddress("HTTP://EXAMPLE.TEST"));
  EXPECT_TRUE(isWebAddress("hTtPs://x"));
  EXPECT_TRUE(isWebAddress("http://"));
}

TEST(LinkPolicy, OtherSchemesAndTextsAreNot) {
  EXPECT_FALSE(isWebAddress(""));
  EXPECT_FALSE(isWebAddress("http:"));
  EXPECT_FALSE(isWebAddress("http:/x"));
  EXPECT_FALSE(isWebAddress("https:x"));
  EXPECT_FALSE(isWebAddress("file:///C:/windows/notepad.exe"));
  EXPECT_FALSE(isWebAddress("javascript:alert(1)"));
  EXPECT_FALSE(isWebAddress("mailto:a@b.test"));
  EXPECT_FALSE(isWebAddress("C:\\windows\\notepad.exe"));
  EXPECT_FALSE(isWebAddress(" http://leading.blank"));
  EXPECT_FALSE(isWebAddress("ftp://x.test/"));
  EXPECT_FALSE(isWebAddress("httpx://x.test/"));
}

}  // namespace
