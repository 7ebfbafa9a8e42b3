#pragma once
// The two platform services the main window's handlers reach directly, replaceable so
// that tests can stand for another screen and watch what goes to the shell.
#include <windows.h>

#include <functional>
#include <string>

namespace app {

// GetSystemMetrics.
extern std::function<int(int index)> systemMetric;
// Opens an address with the user's default handler (the shell's "open" verb).
extern std::function<void(HWND owner, const std::string& gbkAddress)> shellOpen;

}  // namespace app
