// Page engine figures: the whole path from bytes to a display list, for the kind of page
// the banner shows and for a 1 MB page of text and tables. Run with
// --benchmark_repetitions=N to get medians.
#include <benchmark/benchmark.h>

#include <string>

#include "page/page.h"

namespace {

class FixedMeasurer : public page::TextMeasurer {
 public:
  int width(const page::FontSpec& f, std::u32string_view text) override { return int(text.size()) * f.pixelSize / 2; }
  page::FontMetrics metrics(const page::FontSpec& f) override { return {f.pixelSize * 4 / 5, f.pixelSize / 5}; }
};

std::string bannerPage() {
  return "<html><head><meta http-equiv=Content-Type content='text/html; charset=utf-8'>"
         "<style>.t{color:#ff6600;font-size:12px} a{text-decoration:none;color:#003399}</style></head>"
         "<body bgcolor=#FFF8DC leftmargin=0 topmargin=0 scroll=no>"
         "<table width=100% height=55 cellspacing=0 cellpadding=2><tr>"
         "<td width=120><img src=logo.gif width=120 height=51></td>"
         "<td class=t align=center><b>欢迎来到 Brimblo 儿童英语</b><br>"
         "<a href='http://127.0.0.1:88/edu/new.htm'>新课程上线了</a> | <a href='/edu/list.htm'>课程表</a></td>"
         "<td width=300><marquee scrollamount=3 width=300>今天的故事：小熊去上学 The little bear goes to school"
         "</marquee></td><td width=88><img src=ad.gif width=88 height=31></td></tr></table></body></html>";
}

std::string bigPage() {
  std::string html = "<html><body><style>p{margin:4px} .c{color:red}</style>";
  int i = 0;
  while (html.size() < (1u << 20)) {
    html += "<p class=c>Paragraph " + std::to_string(i) + " with some words that wrap across lines 中文文字排版测试。</p>";
    if (i % 20 == 0)
      html += "<table border=1><tr><td>cell a</td><td colspan=2>cell b spanning</td></tr>"
              "<tr><td>1</td><td>2</td><td>3</td></tr></table>";
    ++i;
  }
  return html + "</body></html>";
}

void run(benchmark::State& state, const std::string& html) {
  FixedMeasurer m;
  for (auto _ : state) {
    page::Page p;
    p.load("http://127.0.0.1:88/edu/info.htm", reinterpret_cast<const uint8_t*>(html.data()), html.size(),
           "text/html; charset=utf-8");
    p.layout(892, 55, m);
    page::DisplayList list = p.displayList();
    benchmark::DoNotOptimize(list.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(html.size()));
}

void BM_BannerPage(benchmark::State& state) { run(state, bannerPage()); }
void BM_OneMegabytePage(benchmark::State& state) { run(state, bigPage()); }

BENCHMARK(BM_BannerPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OneMegabytePage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
