// The content tree: lessons, banner, channel page and their pictures.
#include "tools/sample-content/sample_content.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "tools/sample-content/banner_images.h"
#include "tools/sample-content/gif_encoder.h"
#include "tools/sample-content/lesson_movie.h"
#include "tools/sample-content/pages.h"

namespace sample {

namespace {

void writeFile(const std::filesystem::path& root, const std::string& relative,
               const void* data, size_t size, std::vector<std::string>& written) {
  const std::filesystem::path path = root / relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), std::streamsize(size));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
  written.push_back(relative);
}

}  // namespace

std::string lessonPath(int lesson) {
  char name[32];
  std::snprintf(name, sizeof name, "edu/3/%02d.swf", lesson);
  return name;
}

std::vector<std::string> writeSampleContent(const std::filesystem::path& root) {
  std::vector<std::string> written;
  for (int lesson = 1; lesson <= 38; ++lesson) {
    const swf::Bytes movie = makeLessonMovie(lesson, lessonSpeech(lesson));
    writeFile(root, lessonPath(lesson), movie.data(), movie.size(), written);
  }
  const std::string banner = bannerPage(), channel = channelPage();
  writeFile(root, "edu/info.htm", banner.data(), banner.size(), written);
  writeFile(root, "edu/channel.htm", channel.data(), channel.size(), written);
  const std::vector<uint8_t> star = encodeGif(twinklingStar()), ball = encodeGif(bouncingBall());
  writeFile(root, "edu/images/star.gif", star.data(), star.size(), written);
  writeFile(root, "edu/images/ball.gif", ball.data(), ball.size(), written);
  return written;
}

}  // namespace sample
