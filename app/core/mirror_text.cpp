#include "app/core/mirror_text.h"

namespace {
unsigned char MirrorByte(unsigned char c) {
    if (c == ':') return '-';
    if (c == '-') return ':';
    if (c == '/') return '_';
    if (c == '_') return '/';
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>('a' + 'z' - c);
    if (c >= '0' && c <= '9') return static_cast<unsigned char>('0' + '9' - c);
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>('A' + 'Z' - c);
    return c;  // everything else, bytes of 128 and above included, stays
}
}  // namespace

std::string MirrorText(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(MirrorByte(static_cast<unsigned char>(c)));
    return out;
}
