// frame-skin-demo [--caption] [--style NAME] [--limits] [--snap] [--background]
// Shows "Frame skin demo" at (100, 100), 640 x 480, with a frame skin that carries the
// main window's stored settings; with no option only the hook is on.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "skin/window/xp_window.h"
#include "tools/frame-skin-demo/demo_options.h"
#include "ui/ui.h"

namespace {

std::vector<std::string> Arguments() {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(ui::narrow(argv[i]));
  LocalFree(argv);
  return args;
}

std::string DemoDescription() {
  return "demo: TForm {\n  Left = 100\n  Top = 100\n  Width = 640\n  Height = 480\n"
         "  Caption = \"Frame skin demo\"\n  xpWindow1: TxpWindow {\n" +
         StoredSkinSettings(ui::resourceText("TFRMMAIN")) + "  }\n}\n";
}

void Apply(TxpWindow& skin, const DemoOptions& o) {
  skin.SizeInfo().SetActive(o.limits);
  skin.StickWindow().SetActive(o.snap);
  skin.WinBackground().SetActive(o.background);
  skin.xpCaption().SetActive(o.caption);
  if (o.style) skin.SetStyle(*o.style);
  skin.RefreshFrame();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  std::string error;
  auto options = ParseDemoOptions(Arguments(), error);
  if (!options) {
    MessageBoxW(nullptr, ui::widen(error).c_str(), L"frame-skin-demo", MB_ICONERROR);
    return 2;
  }
  ui::Application& application = ui::application();
  application.setTitle("Frame skin demo");
  application.setIcon(LoadIconW(instance, L"MAINICON"));
  ui::registerClass(TxpWindow::staticClassInfo());
  return application.start([&] {
    auto* form = new ui::Form(&application);
    form->readDescription(DemoDescription());
    Apply(*form->find<TxpWindow>("xpWindow1"), *options);
  });
}
