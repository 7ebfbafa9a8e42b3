// The stored names of the fill directions, in value order.
#pragma once
#include <string>
#include <vector>

inline const std::vector<std::string>& FillDirectionNames() {
  static const std::vector<std::string> names = {"fdTopToBottom",        "fdBottomToTop",     "fdLeftToRight",
                                                 "fdRightToLeft",        "fdVerticalFromCenter",
                                                 "fdHorizFromCenter",    "fdXP"};
  return names;
}
