#include "tools/sample-content/lesson_text.h"

#include <cstring>

#include "tools/sample-content/block_font.h"
#include "tools/swf/text_writer.h"

namespace sample {
namespace {

enum TextId : uint16_t { kBlockFont = 60, kEnglish, kDeviceFont, kChinese };
enum TextDepth : uint16_t { kEnglishDepth = 60, kChineseDepth };

constexpr LessonWords kWords[] = {
    {"GOOD MORNING!", "早上好！"},       {"HOW ARE YOU?", "你好吗？"},
    {"I LIKE APPLES.", "我喜欢苹果。"},  {"LET'S PLAY!", "我们一起玩吧！"},
    {"THANK YOU!", "谢谢你！"},          {"SEE YOU SOON!", "再见！"},
    {"IT IS SUNNY.", "今天是晴天。"},    {"I CAN READ.", "我会读书。"},
};

constexpr int kEnglishPx = 22;

}  // namespace

LessonWords wordsFor(int lesson) { return kWords[(lesson - 1) % (sizeof kWords / sizeof kWords[0])]; }

void defineLessonText(swf::TagList& tags, int lesson) {
  LessonWords words = wordsFor(lesson);
  swf::add(tags, swf::encodeDefineFont(blockFont(kBlockFont, "Brimblo Blocks"), 2));
  swf::TextRecord line;
  line.fontId = kBlockFont;
  line.height = uint16_t(swf::twips(kEnglishPx));
  line.color = swf::rgb(0x1A2A6C);
  line.x = 0;
  line.y = 0;
  const int32_t advance = swf::twips(kEnglishPx) * kBlockAdvance / 1024;
  for (const char* c = words.english; *c; ++c)
    if (int index = blockGlyphIndex(*c); index >= 0) line.glyphs.push_back({uint16_t(index), advance});
  int32_t width = advance * int32_t(std::strlen(words.english));
  swf::add(tags, swf::encodeDefineText(kEnglish, {0, width, -swf::twips(kEnglishPx), swf::twips(4)}, swf::Matrix{},
                                       {line}));

  // A font with no glyphs only names the face: the field draws in the system's.
  swf::Font device;
  device.id = kDeviceFont;
  device.name = "_sans";
  device.hasLayout = false;
  swf::add(tags, swf::encodeDefineFont(device, 2));
  swf::EditText field;
  field.id = kChinese;
  field.bounds = {0, swf::twips(260), 0, swf::twips(34)};
  field.text = words.chinese;
  field.fontId = kDeviceFont;
  field.height = uint16_t(swf::twips(24));
  field.color = swf::rgb(0xB0182A);
  field.noSelect = true;
  swf::add(tags, swf::encodeDefineEditText(field));
}

void placeLessonText(swf::TagList& tags) {
  swf::Place english;
  english.depth = kEnglishDepth;
  english.characterId = kEnglish;
  english.matrix = swf::Matrix::translate(swf::twips(16), swf::twips(388));
  tags.placeObject2(english);
  swf::Place chinese;
  chinese.depth = kChineseDepth;
  chinese.characterId = kChinese;
  chinese.matrix = swf::Matrix::translate(swf::twips(300), swf::twips(360));
  tags.placeObject2(chinese);
}

}  // namespace sample
