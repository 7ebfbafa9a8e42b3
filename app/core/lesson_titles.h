#pragma once
// The titles of the 38 lessons, constant GBK bytes, indexed 1 to 38.
#include <string_view>

inline constexpr int kLessonCount = 38;

// Returns the GBK title of lesson `index` (1..38); an empty view for any other number.
std::string_view LessonTitles(int index);
