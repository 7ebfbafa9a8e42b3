#pragma once
// Cuts a text into lines the way the site address file is read: a line ends at CR, LF or
// CR LF; a break at the very end adds no line; a zero byte ends the text.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

std::vector<std::string> SplitTextLines(std::string_view text);
