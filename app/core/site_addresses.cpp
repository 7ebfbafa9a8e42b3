#include "app/core/site_addresses.h"

#include <optional>
#include <string_view>

#include "app/core/mirror_text.h"
#include "app/core/read_only_file.h"
#include "app/core/text_lines.h"

// Constant-initialised, so it is ready before any module initialisation reads the file.
constinit std::string ChannelAddress;

namespace {
// Three short lines fit easily; a larger file cannot be a site address file and reading it
// whole could take unbounded time and memory.
constexpr size_t kMaxFileBytes = 1 << 20;

// The text up to the first zero byte, or nothing when the file cannot be read whole.
std::optional<std::string> ReadSiteFile(const char* name) {
    ReadOnlyFile file(name);
    if (!file.isOpen()) return std::nullopt;
    std::string text;
    char chunk[4096];
    while (true) {
        std::optional<size_t> n = file.read(chunk, sizeof chunk);
        if (!n) return std::nullopt;
        std::string_view part(chunk, *n);
        if (auto zero = part.find('\0'); zero != std::string_view::npos) {
            text.append(part.substr(0, zero));
            return text;  // the rest of the file does not count
        }
        text.append(part);
        if (text.size() > kMaxFileBytes) return std::nullopt;
        if (*n == 0) return text;
    }
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
