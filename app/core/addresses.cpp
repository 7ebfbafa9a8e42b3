#include "app/core/addresses.h"

#include <cstdio>

#ifndef BRIMBLO_CONTENT_HOST
#error "BRIMBLO_CONTENT_HOST must name the content server's host"
#endif

namespace {
constexpr const char kShortPattern[] = "http://" BRIMBLO_CONTENT_HOST ":88" "/edu/3/0%d.swf";
constexpr const char kLongPattern[] = "http://" BRIMBLO_CONTENT_HOST ":88" "/edu/3/%d.swf";
constexpr const char kBanner[] = "http://" BRIMBLO_CONTENT_HOST ":88" "/edu/info.htm";
}  // namespace

std::string LessonMovieAddress(int lesson) {
    const char* pattern = lesson < 10 ? kShortPattern : kLongPattern;
    char buffer[sizeof(kShortPattern) + 16];  // room for any 32-bit number
    int n = std::snprintf(buffer, sizeof buffer, pattern, lesson);
    if (n < 0) return {};
    return std::string(buffer, static_cast<size_t>(n) < sizeof buffer ? n : sizeof buffer - 1);
}

std::string BannerAddress() { return kBanner; }
