// The demonstration's command line: which of the frame skin's features to switch on.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "skin/window/xp_ctrl_style.h"

struct DemoOptions {
  bool caption = false;
  bool limits = false;
  bool snap = false;
  bool background = false;
  std::optional<TxpWindowStyle> style;
};

// Reads --caption, --style NAME, --limits, --snap, --background; nullopt (with the
// reason in error) for anything else.
std::optional<DemoOptions> ParseDemoOptions(const std::vector<std::string>& args, std::string& error);

// The stored settings block of the main window's frame skin, taken out of its form
// description (the lines between "xpWindow1: TxpWindow {" and its closing brace).
std::string StoredSkinSettings(const std::string& formDescription);
