// Device fonts under Windows: the GDI font service's outlines and advances match what
// GDI itself measures, Chinese characters find a face, and a movie whose text field
// uses a device font shows its text in the player's real window.
#include <gtest/gtest.h>

#include "hosts/com/dispatch.h"
#include "hosts/flash/flash_ids.h"
#include "hosts/flash/gdi_font_service.h"
#include "hosts/flash/movie_component.h"
#include "test_support.h"
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

}  // namespace
