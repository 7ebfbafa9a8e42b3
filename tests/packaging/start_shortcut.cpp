// Starts the installed program as the shell does from its Start menu entry: the link's
// program, in the link's working folder. Waits for the program to end and returns its
// exit code, so that the caller can watch this process for the program's life.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>

#include "installed_layout.h"
#include "shell_link.h"

int wmain() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const InstalledLayout layout = InstalledLayout::expected();
    const ShellLink link = ShellLink::read(layout.startMenuEntry);
    CoUninitialize();
    if (link.target.empty()) {
        std::fprintf(stderr, "start_shortcut: no Start menu entry to start\n");
        return 2;
    }
    std::wstring commandLine = L"\"" + link.target + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const wchar_t* folder = link.workingFolder.empty() ? nullptr : link.workingFolder.c_str();
    if (!CreateProcessW(link.target.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                        &startup, &process)) {
        std::fprintf(stderr, "start_shortcut: the program did not start (error %lu)\n", GetLastError());
        return 1;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    return int(exitCode);
}
