#pragma once
// What a shell link (.lnk) file says: the program it starts, the folder it starts it in,
// and the icon it shows. Read through the shell's own link object.
#include <string>

struct ShellLink {
    std::wstring target;
    std::wstring workingFolder;
    std::wstring iconFile;
    int iconIndex = 0;

    // Empty fields when the file is missing or is no shell link. Needs COM initialised.
    static ShellLink read(const std::wstring& linkFile);
};
