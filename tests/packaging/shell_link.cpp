#include "shell_link.h"

#include <windows.h>
#include <shlobj.h>

ShellLink ShellLink::read(const std::wstring& linkFile) {
    ShellLink link;
    IShellLinkW* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink))))
        return link;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(linkFile.c_str(), STGM_READ))) {
            wchar_t text[MAX_PATH] = {};
            // The raw path: no search for a moved target, which would hide a wrong link.
            if (SUCCEEDED(shellLink->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) link.target = text;
            text[0] = 0;
            if (SUCCEEDED(shellLink->GetWorkingDirectory(text, MAX_PATH))) link.workingFolder = text;
            text[0] = 0;
            if (SUCCEEDED(shellLink->GetIconLocation(text, MAX_PATH, &link.iconIndex))) link.iconFile = text;
        }
        file->Release();
    }
    shellLink->Release();
    return link;
}
