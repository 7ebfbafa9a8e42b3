#include "app/core/caption.h"

#ifndef BRIMBLO_WEBSITE
#error "BRIMBLO_WEBSITE must name the product website"
#endif

namespace {
// "Brimblo儿童英语 之 生活小故事系列" in GBK.
constexpr const char kSeriesName[] =
    "Brimblo"
    "\xb6\xf9\xcd\xaf\xd3\xa2\xd3\xef"
    " "
    "\xd6\xae"
    " "
    "\xc9\xfa\xbb\xee\xd0\xa1\xb9\xca\xca\xc2\xcf\xb5\xc1\xd0";
}  // namespace

std::string MainCaption() { return std::string(kSeriesName) + " (" + BRIMBLO_WEBSITE + ")"; }
