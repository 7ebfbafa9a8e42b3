// Relative address resolution.
#include "page/util/url.h"

#include <gtest/gtest.h>

namespace page {
namespace {

TEST(Url, ResolvesRelativeReferences) {
  const std::string base = "http://127.0.0.1:88/edu/info.htm?x=1";
  EXPECT_EQ(resolveUrl(base, "img/a.gif"), "http://127.0.0.1:88/edu/img/a.gif");
  EXPECT_EQ(resolveUrl(base, "/top.gif"), "http://127.0.0.1:88/top.gif");
  EXPECT_EQ(resolveUrl(base, "../up.gif"), "http://127.0.0.1:88/up.gif");
  EXPECT_EQ(resolveUrl(base, "./a/../b.htm"), "http://127.0.0.1:88/edu/b.htm");
  EXPECT_EQ(resolveUrl(base, "//cdn.example/x.png"), "http://cdn.example/x.png");
  EXPECT_EQ(resolveUrl(base, "?y=2"), "http://127.0.0.1:88/edu/info.htm?y=2");
  EXPECT_EQ(resolveUrl(base, "#top"), "http://127.0.0.1:88/edu/info.htm?x=1#top");
  EXPECT_EQ(resolveUrl(base, "https://other/"), "https://other/");
  EXPECT_EQ(resolveUrl(base, " pics\\b.jpg "), "http://127.0.0.1:88/edu/pics/b.jpg");
  EXPECT_EQ(resolveUrl("http://host", "a.gif"), "http://host/a.gif");
  EXPECT_EQ(resolveUrl(base, "../../../../x"), "http://127.0.0.1:88/x");
}

TEST(Url, SchemesAndFetchability) {
  EXPECT_EQ(urlScheme("HTTP://x/"), "http");
  EXPECT_EQ(urlScheme("no-scheme/path"), "");
  EXPECT_TRUE(isFetchable("https://a/"));
  EXPECT_FALSE(isFetchable("javascript:void(0)"));
  EXPECT_FALSE(isFetchable("mailto:a@b"));
  EXPECT_FALSE(isFetchable("relative.htm"));
}

TEST(Url, WebAddressesInEitherCaseGoToTheBrowser) {
  EXPECT_TRUE(isWebAddress("http://127.0.0.1:88/edu/channel.htm"));
  EXPECT_TRUE(isWebAddress("https://example.test/"));
  EXPECT_TRUE(isWebAddress("HTTP://EXAMPLE.TEST"));
  EXPECT_TRUE(isWebAddress("hTtPs://x"));
  EXPECT_TRUE(isWebAddress("http://"));
}

TEST(Url, NothingElseGoesToTheBrowser) {
  for (const char* other : {"", "http:", "http:/", "http:/x", "https:x", "https:/x",
                            "file:///C:/windows/system32/calc.exe", "javascript:alert(1)",
                            "mailto:a@b.test", "C:\\windows\\notepad.exe", "calc.exe",
                            " http://leading.blank", "ftp://x.test/", "httpx://x.test/"})
    EXPECT_FALSE(isWebAddress(other)) << other;
}

}  // namespace
}  // namespace page
