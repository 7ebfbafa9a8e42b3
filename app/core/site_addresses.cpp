#include "app/core/site_addresses.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "app/core/mirror_text.h"
#include "app/core/text_lines.h"

// Constant-initialised, so it is ready before any module initialisation reads the file.
constinit std::string ChannelAddress;

namespace {
// Three short lines fit easily; a larger file cannot be a site address file and reading it
// whole could take unbounded time and memory.
constexpr size_t kMaxFileBytes = 1 << 20;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// The text up to the first zero byte, or nothing when the file cannot be read whole.
std::optional<std::string> ReadSiteFile(const char* name) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(name, "rb"));
    if (!file) return std::nullopt;
    std::string text;
    char chunk[4096];
    while (true) {
        size_t n = std::fread(chunk, 1, sizeof chunk, file.get());
        std::string_view part(chunk, n);
        if (auto zero = part.find('\0'); zero != std::string_view::npos) {
            text.append(part.substr(0, zero));
            return text;  // the rest of the file does not count
        }
        text.append(part);
        if (text.size() > kMaxFileBytes) return std::nullopt;
        if (n < sizeof chunk) break;
    }
    if (std::ferror(file.get())) return std::nullopt;
    return text;
}
}  // namespace

void LoadSiteAddresses() {
    try {
        auto text = ReadSiteFile("web.dat");
        if (!text) return;
        auto lines = SplitTextLines(*text);
        if (lines.size() == 3) ChannelAddress = MirrorText(lines[0]);
    } catch (...) {
        // Reading the address file never stops the start.
    }
}

void ReleaseSiteAddresses() { ChannelAddress.clear(); }
