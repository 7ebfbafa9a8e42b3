#include "app/core/text_lines.h"

std::vector<std::string> SplitTextLines(std::string_view text) {
    if (auto zero = text.find('\0'); zero != std::string_view::npos) text = text.substr(0, zero);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}
