// Page texts. Chinese text is held as GBK bytes, the pages' declared charset;
// literals are split where a hex escape would otherwise swallow the next letter.
#include "tools/sample-content/pages.h"

#include <cstdio>

namespace sample {

namespace {

// "Brimblo儿童英语 之 生活小故事系列"
const char kSeriesTitle[] =
    "Brimblo\xB6\xF9\xCD\xAF\xD3\xA2\xD3\xEF \xD6\xAE "
    "\xC9\xFA\xBB\xEE\xD0\xA1\xB9\xCA\xCA\xC2\xCF\xB5\xC1\xD0";
// "快乐学英语，每天一个小故事！"
const char kMotto[] =
    "\xBF\xEC\xC0\xD6\xD1\xA7\xD3\xA2\xD3\xEF\xA3\xAC\xC3\xBF\xCC\xEC\xD2\xBB\xB8\xF6"
    "\xD0\xA1\xB9\xCA\xCA\xC2\xA3\xA1";
// "教育频道"
const char kChannel[] = "\xBD\xCC\xD3\xFD\xC6\xB5\xB5\xC0";
// "第" and "课": "lesson N" reads 第 N 课
const char kLessonBefore[] = "\xB5\xDA";
const char kLessonAfter[] = "\xBF\xCE";

}  // namespace

std::string bannerPage() {
  std::string p;
  p += "<html>\r\n<head>\r\n<meta charset=gbk>\r\n<title>Brimblo</title>\r\n<style>\r\n";
  p += "body { margin: 0; padding: 0; background: #FFE8A3; overflow: hidden; }\r\n";
  p += "table { width: 100%; height: 55px; border-collapse: collapse; }\r\n";
  p += "td { padding: 0 6px; vertical-align: middle; white-space: nowrap; }\r\n";
  p += ".title { color: #D9480F; font-size: 18px; font-weight: bold; }\r\n";
  p += ".motto { color: #1864AB; font-size: 12px; }\r\n";
  p += ".news { color: #2B8A3E; font-size: 14px; font-style: italic; }\r\n";
  p += "</style>\r\n</head>\r\n";
  p += "<body bgcolor=\"#FFE8A3\" topmargin=0 leftmargin=0 scroll=no>\r\n";
  p += "<table cellspacing=0 cellpadding=0 width=\"100%\" height=55>\r\n<tr>\r\n";
  p += "<td width=44><img src=\"images/star.gif\" width=40 height=40 alt=\"star\"></td>\r\n";
  p += "<td><span class=title>";
  p += kSeriesTitle;
  p += "</span><br>\r\n<span class=motto>";
  p += kMotto;
  p += " Learn English with a happy story every day!</span></td>\r\n";
  p += "<td width=44><img src=\"images/ball.gif\" width=40 height=40 alt=\"ball\"></td>\r\n";
  p += "<td width=\"40%\" class=news><marquee scrollamount=3>Hello! Good morning! "
       "Thank you! See you tomorrow!</marquee></td>\r\n";
  p += "</tr>\r\n</table>\r\n</body>\r\n</html>\r\n";
  return p;
}

std::string channelPage() {
  std::string p;
  p += "<html>\r\n<head>\r\n<meta charset=gbk>\r\n<title>Brimblo";
  p += kChannel;
  p += "</title>\r\n<style>\r\n";
  p += "body { background: #E7F5FF; font-family: sans-serif; margin: 16px; }\r\n";
  p += "h1 { color: #D9480F; } td { padding: 4px 12px; } a { color: #1864AB; }\r\n";
  p += "</style>\r\n</head>\r\n<body>\r\n<h1>";
  p += kSeriesTitle;
  p += "</h1>\r\n<p><img src=\"images/star.gif\" width=40 height=40 alt=\"star\"> ";
  p += kMotto;
  p += "</p>\r\n<table>\r\n";
  for (int i = 1; i <= 38; ++i) {
    char line[160];
    std::snprintf(line, sizeof line, "<a href=\"3/%02d.swf\">%s %d %s</a> (Lesson %d)", i,
                  kLessonBefore, i, kLessonAfter, i);
    if (i % 4 == 1) p += "<tr>";
    p += "<td>";
    p += line;
    p += "</td>";
    if (i % 4 == 0 || i == 38) p += "</tr>\r\n";
  }
  p += "</table>\r\n</body>\r\n</html>\r\n";
  return p;
}

}  // namespace sample
