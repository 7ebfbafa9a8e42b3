#include "corpus_case.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace movie_test {

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
namespace {

std::string trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return "";
  size_t b = s.find_last_not_of(" \t\r");
  return s.substr(a, b - a + 1);
}

// "image_comparisons.output.checks" or image_comparisons."output.01".checks -> parts
std::vector<std::string> splitKey(const std::string& key) {
  std::vector<std::string> parts;
  std::string cur;
  bool quoted = false;
  for (char c : key) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == '.' && !quoted) {
      parts.push_back(trim(cur));
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  parts.push_back(trim(cur));
  return parts;
}

Comparison& comparisonNamed(CaseRules& rules, const std::string& name) {
  for (Comparison& c : rules.comparisons)
    if (c.name == name) return c;
  rules.comparisons.push_back({name, 0, {}});
  return rules.comparisons.back();
}

// The whole number after `key =` in an inline table ("{ width = 160, height = 80 }"), or 0.
int inlineNumber(const std::string& table, const std::string& key) {
  for (size_t at = table.find(key); at != std::string::npos; at = table.find(key, at + 1)) {
    bool wordStart = at == 0 || table[at - 1] == ' ' || table[at - 1] == '{' || table[at - 1] == ',';
    size_t eq = table.find_first_not_of(" ", at + key.size());
    if (wordStart && eq != std::string::npos && table[eq] == '=') return std::atoi(table.c_str() + eq + 1);
  }
  return 0;
}

}  // namespace

CaseRules parseCaseRules(const std::string& text) {
  CaseRules rules;
  std::istringstream in(text);
  std::string line;
  std::vector<std::string> table;
  Check* check = nullptr;
  while (std::getline(in, line)) {
    size_t hash = line.find('#');
    if (hash != std::string::npos && line.find('"') == std::string::npos) line = line.substr(0, hash);
    line = trim(line);
    if (line.empty()) continue;
    if (line.rfind("[[", 0) == 0) {
      table = splitKey(line.substr(2, line.find("]]") - 2));
      check = nullptr;
      if (table.size() == 3 && table[0] == "image_comparisons" && table[2] == "checks") {
        Comparison& c = comparisonNamed(rules, table[1]);
        c.checks.emplace_back();
        check = &c.checks.back();
      }
      continue;
    }
    if (line[0] == '[') {
      table = splitKey(line.substr(1, line.find(']') - 1));
      check = nullptr;
      if (table.size() == 2 && table[0] == "image_comparisons") comparisonNamed(rules, table[1]);
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = trim(line.substr(0, eq)), value = trim(line.substr(eq + 1));
    // num_ticks counts the frames the same way in the cases that use it.
    if (table.empty() && (key == "num_frames" || key == "num_ticks")) rules.numFrames = std::atoi(value.c_str());
    if (!table.empty() && table[0] == "image_comparisons" && table.size() >= 2) {
      Comparison& c = comparisonNamed(rules, table[1]);
      if (key == "trigger") c.trigger = std::atoi(value.c_str());
      if (!check && table.size() == 2 && (key == "tolerance" || key == "max_outliers")) {
        c.checks.emplace_back();  // a plain table carrying its own single check
        check = &c.checks.back();
      }
      if (check && key == "tolerance") check->tolerance = std::atoi(value.c_str());
      if (check && key == "max_outliers") check->maxOutliers = std::atoi(value.c_str());
    }
    if (key == "viewport_dimensions") {
      rules.viewportWidth = inlineNumber(value, "width");
      rules.viewportHeight = inlineNumber(value, "height");
    }
    if (key == "with_renderer") {
      size_t q = value.find("quality");
      if (q != std::string::npos) {
        size_t a = value.find('"', q), b = value.find('"', a + 1);
        if (a != std::string::npos && b != std::string::npos) rules.quality = value.substr(a + 1, b - a - 1);
      }
    }
  }
  // A comparison without checks must match exactly.
  for (Comparison& c : rules.comparisons)
    if (c.checks.empty()) c.checks.emplace_back();
  return rules;
}

int countOutliers(const Image& expected, const Image& actual, int tolerance, const std::vector<PixelBox>& unjudged) {
  if (expected.width != actual.width || expected.height != actual.height) return expected.width * expected.height + 1;
  auto judged = [&](size_t i) {
    int x = int(i % size_t(expected.width)), y = int(i / size_t(expected.width));
    return std::none_of(unjudged.begin(), unjudged.end(), [&](const PixelBox& b) { return b.contains(x, y); });
  };
  int outliers = 0;
  for (size_t i = 0; i < expected.argb.size(); ++i) {
    uint32_t e = expected.argb[i], a = actual.argb[i];
    for (int shift = 0; shift < 32; shift += 8) {
      int d = int((e >> shift) & 0xFF) - int((a >> shift) & 0xFF);
      if ((d > tolerance || d < -tolerance) && judged(i)) {
        ++outliers;
        break;
      }
    }
  }
  return outliers;
}

std::vector<PixelBox> leadingBoxes(const std::string& text) {
  std::vector<PixelBox> boxes;
  std::istringstream words(text);
  std::string word;
  while (words >> word) {
    PixelBox b;
    char c1, c2, c3, extra;
    if (std::sscanf(word.c_str(), "%d%c%d%c%d%c%d%c", &b.x0, &c1, &b.y0, &c2, &b.x1, &c3, &b.y1, &extra) != 7 ||
        c1 != ',' || c2 != ',' || c3 != ',')
      break;
    boxes.push_back(b);
  }
  return boxes;
}

}  // namespace movie_test
