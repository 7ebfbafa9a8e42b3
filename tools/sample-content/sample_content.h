#pragma once
// Writes the whole sample content tree that the content server serves.
#include <filesystem>
#include <string>
#include <vector>

namespace sample {

// Writes edu/3/01.swf ... 38.swf, edu/info.htm, edu/channel.htm and edu/images/*.gif
// under root (made if missing). Returns the paths written, relative to root, with
// forward slashes. Throws std::runtime_error when a file cannot be written.
std::vector<std::string> writeSampleContent(const std::filesystem::path& root);

// "edu/3/01.swf" for lesson 1, "edu/3/38.swf" for lesson 38.
std::string lessonPath(int lesson);

}  // namespace sample
