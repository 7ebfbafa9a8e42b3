// Device fonts under Windows: the GDI font service's outlines and advances match what
// GDI itself measures, Chinese characters find a face, and a movie whose text field
// uses a device font shows its text in the player's real window.
#include <gtest/gtest.h>

#include "hosts/com/dispatch.h"
#include "hosts/flash/flash_ids.h"
#include "hosts/flash/gdi_font_service.h"
#include "hosts/flash/movie_component.h"
#include "test_support.h"
#include "textcodec/utf8.h"
#include "tools/sample-content/lesson_movie.h"
#include "tools/sample-content/lesson_text.h"
#include "tools/swf/text_writer.h"

namespace {

using namespace hosts::com;
using namespace hosts::flash;

// GDI's own advance of a character at 1024 pixels to the em.
int gdiAdvance(const wchar_t* face, wchar_t c) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontW(-1024, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, 0,
                           ANTIALIASED_QUALITY, 0, face);
  HGDIOBJ old = SelectObject(dc, font);
  GLYPHMETRICS gm{};
  MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  GetGlyphOutlineW(dc, c, GGO_METRICS | GGO_UNHINTED, &gm, 0, nullptr, &identity);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  return gm.gmCellIncX;
}

TEST(GdiFontService, OutlinesAndAdvancesComeFromGdi) {
  GdiFontService service;
  movie::text::DeviceGlyph a;
  ASSERT_TRUE(service.glyph({"_sans"}, U'A', a));
  EXPECT_FALSE(a.path.empty());
  EXPECT_EQ(a.advance, float(gdiAdvance(L"Arial", L'A')));
  // The glyph stands on the baseline: its points lie above it (negative y).
  float top = 0;
  for (size_t i = 1; i < a.path.coords.size(); i += 2) top = std::min(top, a.path.coords[i]);
  EXPECT_LT(top, -300);
  movie::text::DeviceMetrics m = service.metrics({"_sans"});
  EXPECT_GT(m.ascent, 0);
  EXPECT_GT(m.descent, 0);
}

TEST(GdiFontService, ChineseCharactersFindAFace) {
  GdiFontService service;
  movie::text::DeviceGlyph g;
  ASSERT_TRUE(service.glyph({"_sans"}, U'你', g));
  EXPECT_FALSE(g.path.empty());
  EXPECT_GT(g.advance, 512);  // a full-width character
  EXPECT_FALSE(service.glyph({"_sans"}, char32_t(0x1F600), g));  // outside the basic plane
}

// The window's client pixels as 0xRRGGBB, after it repainted.
std::vector<uint32_t> grab(HWND window, int width, int height) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = GetDC(window);
  HDC memory = CreateCompatibleDC(dc);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, dc, 0, 0, SRCCOPY);
  std::vector<uint32_t> out(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + size_t(width) * height);
  for (uint32_t& p : out) p &= 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, dc);
  return out;
}

// A white stage with one device-font field: "你好 Hi" in black, 100 pixels high.
std::vector<uint8_t> deviceTextMovie() {
  swf::TagList tags;
  tags.setBackgroundColor(swf::rgb(0xFFFFFF));
  swf::Font face;
  face.id = 1;
  face.name = "_sans";
  face.hasLayout = false;
  swf::add(tags, swf::encodeDefineFont(face, 2));
  swf::EditText field;
  field.id = 2;
  field.bounds = {0, swf::twips(540), 0, swf::twips(160)};
  field.fontId = 1;
  field.height = uint16_t(swf::twips(100));
  field.color = swf::rgb(0);
  field.text = "\xE4\xBD\xA0\xE5\xA5\xBD Hi";
  swf::add(tags, swf::encodeDefineEditText(field));
  swf::Place p;
  p.depth = 1;
  p.characterId = 2;
  p.matrix = swf::Matrix::translate(swf::twips(5), swf::twips(5));
  tags.placeObject2(p);
  tags.showFrame();
  tags.end();
  swf::MovieHeader h;
  h.stage = swf::Rect{0, swf::twips(550), 0, swf::twips(400)};
  return swf::writeMovie(h, tags);
}

TEST(DeviceTextInTheWindow, AFieldInADeviceFontShowsItsText) {
  constexpr int kWidth = 550, kHeight = 400;  // the stage one to one
  hosts_test::HostWindow host(kWidth, kHeight);
  hosts_test::HttpServer server;
  hosts_test::HttpServer::Route route;
  route.body = deviceTextMovie();
  route.contentType = "application/x-shockwave-flash";
  server.serve("/edu/3/01.swf", route);
  Ptr<MovieComponent> component = make<MovieComponent>();
  HWND window = nullptr;
  ASSERT_EQ(component->CreateComponentWindow(host.handle(), &window), S_OK);
  RECT r{0, 0, kWidth, kHeight};
  component->SetBounds(&r);
  put(static_cast<IDispatch*>(component.get()), kDispMovie, Variant(server.url("/edu/3/01.swf")));
  call(static_cast<IDispatch*>(component.get()), kDispPlay);
  ASSERT_TRUE(hosts_test::pumpUntil([&] {
    return component->player().state() == movie::LoadState::Complete && component->framesDrawn() > 0;
  }));
  // Ink in each character's cell: the two Chinese characters (about 100 px each), then "Hi".
  std::vector<uint32_t> pixels = grab(window, kWidth, kHeight);
  auto inkIn = [&](int x0, int x1) {
    int ink = 0;
    for (int y = 10; y < 150; ++y)
      for (int x = x0; x < x1; ++x)
        if (pixels[size_t(y) * kWidth + x] != 0xFFFFFF) ++ink;
    return ink;
  };
  EXPECT_GT(inkIn(10, 105), 400) << "the first Chinese character";
  EXPECT_GT(inkIn(110, 205), 400) << "the second Chinese character";
  EXPECT_GT(inkIn(230, 330), 200) << "Hi";
  EXPECT_EQ(inkIn(420, 540), 0) << "nothing past the text";
  EXPECT_EQ(pixels[300 * kWidth + 300], 0xFFFFFFu);
  component->DestroyComponentWindow();
}

// Plays a movie in the component's real window (the stage one to one) and returns its pixels.
std::vector<uint32_t> shownInTheWindow(const std::vector<uint8_t>& movie, int width, int height) {
  hosts_test::HostWindow host(width, height);
  hosts_test::HttpServer server;
  hosts_test::HttpServer::Route route;
  route.body = movie;
  route.contentType = "application/x-shockwave-flash";
  server.serve("/edu/3/01.swf", route);
  Ptr<MovieComponent> component = make<MovieComponent>();
  HWND window = nullptr;
  if (component->CreateComponentWindow(host.handle(), &window) != S_OK) return {};
  RECT r{0, 0, width, height};
  component->SetBounds(&r);
  put(static_cast<IDispatch*>(component.get()), kDispMovie, Variant(server.url("/edu/3/01.swf")));
  call(static_cast<IDispatch*>(component.get()), kDispPlay);
  bool shown = hosts_test::pumpUntil([&] {
    return component->player().state() == movie::LoadState::Complete && component->framesDrawn() > 0;
  });
  std::vector<uint32_t> pixels = shown ? grab(window, width, height) : std::vector<uint32_t>{};
  component->DestroyComponentWindow();
  return pixels;
}

bool closeTo(uint32_t pixel, uint32_t rgb) {
  for (int shift : {0, 8, 16})
    if (std::abs(int((pixel >> shift) & 0xFF) - int((rgb >> shift) & 0xFF)) > 12) return false;
  return true;
}

// The first sample lesson: its English sentence in the lessons' embedded block font and
// its Chinese line in a device font both show, each character where its advance puts it.
TEST(DeviceTextInTheWindow, ASampleLessonShowsItsEnglishAndChineseLines) {
  constexpr int kWidth = 550, kHeight = 400;
  std::vector<uint32_t> pixels = shownInTheWindow(sample::makeLessonMovie(1), kWidth, kHeight);
  ASSERT_EQ(pixels.size(), size_t(kWidth) * kHeight);
  auto inkIn = [&](uint32_t rgb, double x0, double x1, int y0, int y1) {
    int ink = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = std::max(0, int(x0)); x < std::min(kWidth, int(x1)); ++x)
        ink += closeTo(pixels[size_t(y) * kWidth + x], rgb);
    return ink;
  };
  sample::LessonWords words = sample::wordsFor(1);
  // English: 22-pixel block letters, 16.5 pixels apart, on the baseline at (16, 388).
  const std::string english = words.english;
  for (size_t i = 0; i < english.size(); ++i) {
    if (english[i] == ' ') continue;
    double left = 16 + 16.5 * double(i);
    EXPECT_GT(inkIn(0x1A2A6C, left, left + 16.5, 362, 392), 20) << "English letter " << english[i];
  }
  EXPECT_EQ(inkIn(0x1A2A6C, 16 + 16.5 * double(english.size()) + 2, 290, 362, 392), 0) << "past the sentence";
  // Chinese: 24-pixel characters from the field's text area at (302, 360), each as wide
  // as the system's face advances it.
  GdiFontService service;
  double left = 302;
  for (char32_t c : textcodec::utf8ToUtf32(words.chinese)) {
    movie::text::DeviceGlyph glyph;
    ASSERT_TRUE(service.glyph({"_sans"}, c, glyph));
    double right = left + glyph.advance * 24 / movie::text::kDeviceUnitsPerEm;
    EXPECT_GT(inkIn(0xB0182A, left, right, 360, 394), c == U'\uFF01' ? 4 : 30) << "Chinese character " << uint32_t(c);
    left = right;
  }
  EXPECT_EQ(inkIn(0xB0182A, left + 2, kWidth, 360, 394), 0) << "past the Chinese line";
}

}  // namespace
