#pragma once
// A file opened for reading only, shared with other readers but not with writers: while
// it is open, another program can read the file but cannot open it for writing, and a
// file another program holds open for writing cannot be opened at all (where the
// platform has share modes; elsewhere it is a plain read-only file).
#include <cstddef>
#include <optional>

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const char* name);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool isOpen() const;
    // Reads up to size bytes; the count read (0 at the end), or nothing on a read error.
    std::optional<size_t> read(char* buffer, size_t size);

private:
    void* handle_ = nullptr;
};
