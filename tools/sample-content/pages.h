#pragma once
// The HTML pages of the sample content, as GBK bytes.
#include <string>

namespace sample {

// The banner page (/edu/info.htm), laid out for a full-width strip 55 pixels high.
std::string bannerPage();
// The education channel page (/edu/channel.htm) listing the 38 lessons.
std::string channelPage();

}  // namespace sample
