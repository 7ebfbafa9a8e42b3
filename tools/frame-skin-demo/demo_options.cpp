#include "tools/frame-skin-demo/demo_options.h"

#include <sstream>

namespace {

std::optional<TxpWindowStyle> StyleNamed(const std::string& name) {
  const char* names[] = {"xwsCustom", "xwsXPBlue", "xwsXPSilver", "xwsXPOlive", "xwsMSN", "xwsICQ"};
  for (int i = 0; i < 6; ++i)
    if (name == names[i]) return static_cast<TxpWindowStyle>(i);
  return std::nullopt;
}

}  // namespace

std::optional<DemoOptions> ParseDemoOptions(const std::vector<std::string>& args, std::string& error) {
  DemoOptions o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--caption") {
      o.caption = true;
    } else if (a == "--limits") {
      o.limits = true;
    } else if (a == "--snap") {
      o.snap = true;
    } else if (a == "--background") {
      o.background = true;
    } else if (a == "--style" && i + 1 < args.size()) {
      o.style = StyleNamed(args[++i]);
      if (!o.style) {
        error = "unknown style " + args[i];
        return std::nullopt;
      }
    } else {
      error = "unknown option " + a;
      return std::nullopt;
    }
  }
  return o;
}

std::string StoredSkinSettings(const std::string& text) {
  std::istringstream in(text);
  std::string line, block;
  bool inside = false;
  while (std::getline(in, line)) {
    if (!inside) {
      inside = line.find("xpWindow1: TxpWindow {") != std::string::npos;
      continue;
    }
    if (line.find('}') != std::string::npos && line.find('=') == std::string::npos) break;
    block += line + "\n";
  }
  return block;
}
