#include "app/core/read_only_file.h"

#include <windows.h>

ReadOnlyFile::ReadOnlyFile(const char* name) {
    HANDLE h = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) handle_ = h;
}

ReadOnlyFile::~ReadOnlyFile() {
    if (handle_) CloseHandle(handle_);
}

bool ReadOnlyFile::isOpen() const { return handle_ != nullptr; }

std::optional<size_t> ReadOnlyFile::read(char* buffer, size_t size) {
    DWORD got = 0;
    if (!handle_ || !ReadFile(handle_, buffer, static_cast<DWORD>(size), &got, nullptr)) return std::nullopt;
    return got;
}
