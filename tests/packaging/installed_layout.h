#pragma once
// Where an installation puts things on this machine: the install folder, the Start menu
// entry, the desktop shortcut and the uninstall entry's registry key. The folder is the
// default under Program Files unless BRIMBLO_INSTALL_FOLDER names the one chosen.
#include <string>

struct InstalledLayout {
    std::wstring folder;
    std::wstring startMenuEntry;
    std::wstring desktopShortcut;
    std::wstring uninstallKey;  // under HKEY_LOCAL_MACHINE, in the 32-bit view

    std::wstring file(const wchar_t* name) const { return folder + L"\\" + name; }

    static InstalledLayout expected();
};

// True when the two Windows paths name the same file (case and trailing separators aside).
bool samePath(std::wstring a, std::wstring b);

// An environment variable's value, empty when unset.
std::wstring environmentValue(const wchar_t* name);
