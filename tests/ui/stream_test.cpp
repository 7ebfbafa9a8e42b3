// The form description: reading, writing back, nested settings, handlers, Loaded, errors.
#include <gtest/gtest.h>

#include <memory>

#include "probe.h"

using namespace uitest;

namespace {

std::string minimal(const std::string& body) { return "f: TForm {\n" + body + "}\n"; }

std::string errorOf(const std::string& text) {
  TestForm f(nullptr, false);
  try {
    f.read(text);
  } catch (const ui::Error& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(FormDescription, ReadsComponentsInOrderWithTheirSettings) {
  TestForm f;
  ASSERT_EQ(f.componentCount(), 10);
  EXPECT_EQ(f.component(0)->name(), "Splitter1");
  EXPECT_EQ(f.component(1)->name(), "Panel1");
  EXPECT_EQ(f.name(), "frmTest");
  EXPECT_EQ(f.caption(), ui::utf8ToGbk("测试窗口"));
  EXPECT_EQ(f.borderIcons(), ui::biSystemMenu | ui::biMinimize);
  EXPECT_FALSE(f.horzScrollBar().visible());
  auto* tree = f.find<ui::TreeView>("lbMenu");
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->parent(), &f);
  EXPECT_EQ(tree->align(), ui::Align::Left);
  EXPECT_EQ(tree->cursor(), ui::crHandPoint);
  EXPECT_EQ(tree->font().name(), ui::utf8ToGbk("宋体"));
  EXPECT_EQ(tree->font().height(), -12);
  EXPECT_FALSE(tree->parentFont());
  EXPECT_EQ(tree->images(), f.find<ui::ImageList>("ImageList1"));
  EXPECT_EQ(tree->indent(), 35);
  EXPECT_TRUE(tree->readOnly());
  EXPECT_FALSE(tree->showRoot());
  EXPECT_EQ(f.find<ui::Panel>("Panel1")->tag(), 7);
  EXPECT_EQ(f.find<ui::Panel>("pFlash")->color(), 0x00FF8000);
  EXPECT_EQ(f.menu(), f.find<ui::MainMenu>("MainMenu1"));
  auto* n3 = f.find<ui::MenuItem>("N3");
  ASSERT_NE(n3, nullptr);
  EXPECT_EQ(n3->parentItem(), f.find<ui::MenuItem>("N2"));
  EXPECT_EQ(n3->shortCut(), ui::scCtrl | 'S');
  EXPECT_EQ(f.find<ui::ImageList>("ImageList1")->count(), 2);
  EXPECT_EQ(f.creates, 1);  // OnCreate ran after reading
}

TEST(FormDescription, NestedSettingsAndStoredOrder) {
  TestForm f;
  auto* probe = f.find<Probe>("Probe1");
  ASSERT_NE(probe, nullptr);
  EXPECT_EQ(probe->parentComponent(), nullptr);  // non-visual: just owned by the form
  EXPECT_EQ(probe->owner(), &f);
  EXPECT_EQ(probe->settings().height(), 22);
  // Properties are set in the order they are stored, while loading; references and
  // Loaded come after the whole form is read.
  std::vector<std::string> expected = {"Settings.Height=22", "Settings.Active=1", "Count=3 loading", "Buddy",
                                       "Loaded"};
  EXPECT_EQ(probe->log, expected);
  EXPECT_TRUE(probe->buddyAtLoaded);
  EXPECT_FALSE(probe->loading());
}

TEST(FormDescription, HandlersAreBoundByName) {
  TestForm f;
  auto* n3 = f.find<ui::MenuItem>("N3");
  EXPECT_EQ(n3->onClick.handlerName(), "N3Click");
  n3->click();
  EXPECT_EQ(f.n3Clicks, 1);
  EXPECT_FALSE(f.find<ui::MenuItem>("N5")->onClick);  // an unassigned event is skipped
  f.find<ui::MenuItem>("N5")->click();
}

TEST(FormDescription, WriterOmitsDefaultsAndRoundTrips) {
  TestForm f;
  std::string text = ui::writeComponent(f);
  EXPECT_NE(text.find("  lbMenu: TTreeView {\n"), std::string::npos) << text;
  EXPECT_NE(text.find("    Indent = 35\n"), std::string::npos) << text;
  EXPECT_NE(text.find("    Font.Height = -12\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  HorzScrollBar.Visible = False\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  BorderIcons = [biSystemMenu, biMinimize]\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Settings.Height = 22"), std::string::npos) << text;
  EXPECT_NE(text.find("OnClick = lbMenu2Click"), std::string::npos) << text;
  EXPECT_NE(text.find("Menu = MainMenu1"), std::string::npos) << text;
  EXPECT_NE(text.find("Color = $00FF8000"), std::string::npos) << text;
  EXPECT_NE(text.find("Icons = [@DOT, @DOT]"), std::string::npos) << text;
  // Defaults are not written: the splitter's width 3, a panel's bevel width 1, the
  // tree's ShowLines, the splitter's own alignment.
  EXPECT_EQ(text.find("BevelWidth"), std::string::npos) << text;
  EXPECT_EQ(text.find("ShowLines"), std::string::npos) << text;
  EXPECT_EQ(text.find("Width = 3\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("Align = alLeft\n    Cursor = crHSplit"), std::string::npos) << text;
  EXPECT_EQ(text.find("Settings.Active = False"), std::string::npos) << text;
  // The font of a control that follows its parent is not written.
  size_t panel = text.find("  Panel1: TPanel {");
  ASSERT_NE(panel, std::string::npos);
  EXPECT_EQ(text.substr(panel, text.find('}', panel) - panel).find("Font."), std::string::npos);

  // Reading the written text makes the same form.
  TestForm g(nullptr, false);
  g.read(text);
  EXPECT_EQ(ui::writeComponent(g), text);
  EXPECT_EQ(g.find<Probe>("Probe1")->settings().height(), 22);
  EXPECT_EQ(g.find<ui::TreeView>("lbMenu")->font().name(), ui::utf8ToGbk("宋体"));
}

TEST(FormDescription, ReadingAppliesOnlyWhatIsWritten) {
  TestForm f(nullptr, false);
  f.setTag(5);
  f.read(minimal("  Caption = \"x\"\n"));
  EXPECT_EQ(f.tag(), 5);
  EXPECT_EQ(f.caption(), "x");
}

TEST(FormDescription, ErrorsNameTheLine) {
  EXPECT_EQ(errorOf(minimal("  p: TNoSuchClass {\n  }\n")), "form description line 2: unknown class TNoSuchClass");
  EXPECT_EQ(errorOf(minimal("  Colour = clRed\n")), "form description line 2: unknown property Colour of TForm");
  EXPECT_EQ(errorOf(minimal("  Left = abc\n")), "form description line 2: bad value for Left");
  EXPECT_EQ(errorOf(minimal("  Color = clPink\n")), "form description line 2: bad value for Color");
  EXPECT_EQ(errorOf(minimal("\n  p: TPanel {\n    Align = alMiddle\n  }\n")),
            "form description line 4: unknown value alMiddle for Align");
  EXPECT_EQ(errorOf(minimal("  OnShow = NoSuchHandler\n")),
            "form description line 2: unknown handler NoSuchHandler for OnShow");
  EXPECT_EQ(errorOf(minimal("  Menu = Missing\n")), "form description line 2: unknown component Missing for Menu");
  EXPECT_EQ(errorOf(minimal("  Font.Size2 = 3\n")), "form description line 2: unknown property Font.Size2 of TFont");
  EXPECT_EQ(errorOf(minimal("  BorderIcons = [biSystemMenu, biClose]\n")),
            "form description line 2: unknown set member biClose for BorderIcons");
  EXPECT_EQ(errorOf(minimal("  Caption = \"open\n")), "form description line 2: unterminated string");
  EXPECT_EQ(errorOf("f: TForm {\n  p: TPanel {\n  }\n"), "form description line 4: missing } at the end");
  EXPECT_EQ(errorOf("f: TForm {\n}\n}\n"), "form description line 3: text after the end of the form");
  EXPECT_EQ(errorOf(minimal("  a: TPanel {\n  }\n  a: TPanel {\n  }\n")), "form description line 4: duplicate name a");
  EXPECT_EQ(errorOf(minimal("  Menu = pFlash\n  pFlash: TPanel {\n  }\n")),
            "form description line 2: property Menu: the component has the wrong class");
  EXPECT_EQ(errorOf(""), "form description line 1: no form block");
}

TEST(FormDescription, GarbageNeverCrashes) {
  const char* inputs[] = {"{", "}", "a: {", ":", "= =", "f: TForm {\n = 3\n}", "f: TForm {\nLeft = $\n}",
                          "f: TForm {\nLeft = 99999999999999999999\n}", "f: TForm {\nBorderIcons = [[\n}",
                          "f: TForm {\nFont = 3\n}", "f: TForm {\nFont. = 3\n}"};
  for (const char* in : inputs) EXPECT_NE(errorOf(in), "") << in;
}

TEST(FormDescription, ClassesRegisteredByFactory) {
  int made = 0;
  ui::registerClass("TOtherPanel", [&](ui::Component* owner) -> ui::Component* {
    ++made;
    return ui::make<ui::Panel>(owner);
  });
  TestForm f(nullptr, false);
  f.read(minimal("  x: TOtherPanel {\n    Align = alTop\n    Height = 20\n  }\n"));
  EXPECT_EQ(made, 1);
  auto* x = f.find<ui::Panel>("x");
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(x->parent(), &f);
  EXPECT_EQ(x->height(), 20);
  EXPECT_EQ(x->width(), f.clientWidth());
}

TEST(FormDescription, CommentsOrderMarkAndEscapes) {
  TestForm f(nullptr, false);
  f.read("\xEF\xBB\xBF# a comment\n// another\nf: TForm {\n\n  Caption = \"say \\\"hi\\\" \\\\ \\n\"\n  Tag = -12\n"
         "  Color = 255\n  Font.Style = [fsBold, fsItalic]\n  Font.Color = $00FF0000\n}\n");
  EXPECT_EQ(f.caption(), "say \"hi\" \\ \n");
  EXPECT_EQ(f.tag(), -12);
  EXPECT_EQ(f.color(), 255);
  EXPECT_EQ(f.font().style(), ui::fsBold | ui::fsItalic);
  EXPECT_EQ(f.font().color(), ui::clBlue);
  std::string text = ui::writeComponent(f);
  EXPECT_NE(text.find("Caption = \"say \\\"hi\\\" \\\\ \\n\""), std::string::npos) << text;
  EXPECT_NE(text.find("Font.Style = [fsBold, fsItalic]"), std::string::npos) << text;
  EXPECT_NE(text.find("Font.Color = clBlue"), std::string::npos) << text;
  EXPECT_NE(text.find("Color = clRed"), std::string::npos) << text;
  TestForm g(nullptr, false);
  g.read(text);
  EXPECT_EQ(g.caption(), f.caption());
  EXPECT_EQ(g.tag(), -12);
}

TEST(FormDescription, EnumerationsBySetValue) {
  TestForm f(nullptr, false);
  f.read(minimal("  p: TPanel {\n    Align = 5\n    Cursor = crHSplit\n  }\n"));
  auto* p = f.find<ui::Panel>("p");
  EXPECT_EQ(p->align(), ui::Align::Client);
  EXPECT_EQ(p->cursor(), ui::crHSplit);
  std::string text = ui::writeComponent(f);
  EXPECT_NE(text.find("Align = alClient"), std::string::npos) << text;
  EXPECT_NE(text.find("Cursor = crHSplit"), std::string::npos) << text;
}

TEST(FormDescription, AssigningASettingsObjectWholeIsRefused) {
  // A class that does not implement assignment refuses it, from any class.
  ProbeSettings a, b;
  ui::Font font;
  b.setHeight(30);
  EXPECT_THROW(a.assign(font), ui::Error);
  EXPECT_THROW(a.assign(b), ui::Error);
  EXPECT_EQ(a.height(), 18);
  // A class that implements it copies.
  ui::Font copy;
  font.setHeight(-20);
  copy.assign(font);
  EXPECT_EQ(copy.height(), -20);
}
