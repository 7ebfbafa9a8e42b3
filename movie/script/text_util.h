#pragma once
// Strings are UTF-8 inside the machine. Movies of version 6 on count characters;
// earlier ones count bytes.
#include <cstdint>
#include <string>
#include <vector>

namespace movie::script {

size_t stringLength(const std::string& s, bool characters);
// Characters [index-1, index-1+count) of version 4's StringExtract (index from 1).
std::string substringOf(const std::string& s, double index, double count, bool characters);
uint32_t firstCodePoint(const std::string& s, bool characters);
std::string encodeCodePoint(uint32_t c);
// The string as code points and back (for String methods).
std::vector<uint32_t> codePoints(const std::string& s);
std::string fromCodePoints(const std::vector<uint32_t>& points, size_t begin, size_t end);
std::string lowerCase(const std::string& s);
std::string upperCase(const std::string& s);
// escape(): every byte but letters and digits as %XX; unescape(): %XX and + back.
std::string escapeText(const std::string& s);
std::string unescapeText(const std::string& s);
// Uniform in [0, 1), from the machine's own generator.
double randomUnit();

}  // namespace movie::script
