#include "installed_layout.h"

#include <windows.h>
#include <shlobj.h>

#include "release_names.h"

namespace {

std::wstring knownFolder(int id) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return path;
}

}  // namespace

std::wstring environmentValue(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? value : L"";
}

InstalledLayout InstalledLayout::expected() {
    InstalledLayout layout;
    layout.folder = environmentValue(L"BRIMBLO_INSTALL_FOLDER");
    if (layout.folder.empty()) layout.folder = knownFolder(CSIDL_PROGRAM_FILES) + L"\\" BRIMBLO_INSTALL_FOLDER_NAME;
    const std::wstring link = L"\\" BRIMBLO_SHORTCUT_NAME L".lnk";
    layout.startMenuEntry = knownFolder(CSIDL_COMMON_PROGRAMS) + link;
    layout.desktopShortcut = knownFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + link;
    layout.uninstallKey = L"" BRIMBLO_UNINSTALL_KEY;
    return layout;
}

bool samePath(std::wstring a, std::wstring b) {
    while (!a.empty() && a.back() == L'\\') a.pop_back();
    while (!b.empty() && b.back() == L'\\') b.pop_back();
    return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) == CSTR_EQUAL;
}
