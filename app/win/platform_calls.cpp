#include "app/win/platform_calls.h"

#include <shellapi.h>

#include "ui/text.h"

namespace app {

std::function<int(int)> systemMetric = [](int index) { return GetSystemMetrics(index); };

// The address is widened from GBK so that it reaches the shell the same whatever the
// system's code page; the shell's answer is not looked at.
std::function<void(HWND, const std::string&)> shellOpen = [](HWND owner, const std::string& gbk) {
    ShellExecuteW(owner, L"open", ui::widen(gbk).c_str(), nullptr, nullptr, SW_SHOW);
};

}  // namespace app
