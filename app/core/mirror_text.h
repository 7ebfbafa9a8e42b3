#pragma once
// The character substitution that turns the stored channel address back into a plain one.
// It is its own inverse, so it also makes the stored form from a plain address.
#include <string>
#include <string_view>

std::string MirrorText(std::string_view text);
