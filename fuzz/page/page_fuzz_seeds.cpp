// Writes seed pages for page_fuzz into the folder given as argv[1]. The first byte of
// each seed picks the content type the fuzzer claims (0 = text/html).
#include <cstdio>
#include <string>

namespace {

const char* const kSeeds[][2] = {
    {"banner.htm",
     "<html><head><meta http-equiv=Content-Type content='text/html; charset=gb2312'>"
     "<style>.t{color:#ff6600;font-size:12px} a{text-decoration:none}</style></head>"
     "<body bgcolor=#FFF8DC leftmargin=0 topmargin=0 scroll=no><table width=100% height=55 cellspacing=0>"
     "<tr><td width=120><img src=logo.gif width=120 height=55></td><td class=t align=center>"
     "<marquee scrollamount=3>\xBB\xB6\xD3\xAD <a href='http://x/'>link</a></marquee></td></tr></table></body></html>"},
    {"soup.htm", "<p>one<p>two<b><i>x</b></i><table><td>a<td colspan=3>b<tr><td>c</table>&amp;&#20320;&nbsp"},
    {"frames.htm", "<frameset rows='20%,*'><frame src=a.htm><frameset cols=50,*><frame src=b.htm></frameset>"},
    {"iframe.htm", "<body><iframe src=page.htm width=100 height=30></iframe><div style='display:none'>x</div>"},
    {"gif.htm", "GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff!\xf9\x04\x01\x0a\x00\x00\x00"
                ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;"},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  for (const auto& seed : kSeeds) {
    std::string path = std::string(argv[1]) + "/" + seed[0];
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
      std::perror(path.c_str());
      return 1;
    }
    std::string body = std::string(1, '\0') + seed[1];
    std::fwrite(body.data(), 1, body.size(), f);
    std::fclose(f);
  }
  return 0;
}
