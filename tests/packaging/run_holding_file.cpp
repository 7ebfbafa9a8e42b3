// Runs a program while holding a file open with no sharing, the way Windows holds the
// file of a program that is running, and returns the program's exit code.
// Usage: run_holding_file FILE PROGRAM [ARGUMENT...]   (arguments without blanks)
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: run_holding_file FILE PROGRAM [ARGUMENT...]\n");
        return 100;
    }
    HANDLE held = CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "run_holding_file: cannot open the file to hold (error %lu)\n", GetLastError());
        return 101;
    }
    std::wstring commandLine = L"\"" + std::wstring(argv[2]) + L"\"";
    for (int i = 3; i < argc; ++i) commandLine += L" " + std::wstring(argv[i]);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    DWORD exitCode = 102;
    if (CreateProcessW(argv[2], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hProcess);
    } else {
        std::fprintf(stderr, "run_holding_file: the program did not start (error %lu)\n", GetLastError());
    }
    CloseHandle(held);
    return int(exitCode);
}
