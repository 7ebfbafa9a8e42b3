#include "app/core/read_only_file.h"

#include <cstdio>

// Without share modes, the portable build reads through the standard library.
ReadOnlyFile::ReadOnlyFile(const char* name) : handle_(std::fopen(name, "rb")) {}

ReadOnlyFile::~ReadOnlyFile() {
    if (handle_) std::fclose(static_cast<std::FILE*>(handle_));
}

bool ReadOnlyFile::isOpen() const { return handle_ != nullptr; }

std::optional<size_t> ReadOnlyFile::read(char* buffer, size_t size) {
    auto* file = static_cast<std::FILE*>(handle_);
    if (!file) return std::nullopt;
    size_t got = std::fread(buffer, 1, size, file);
    if (got < size && std::ferror(file)) return std::nullopt;
    return got;
}
