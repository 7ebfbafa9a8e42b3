// make-sample-content OUTDIR: writes the sample lessons and pages under OUTDIR.
#include <cstdio>
#include <exception>

#include "tools/sample-content/sample_content.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-sample-content OUTDIR\n");
    return 2;
  }
  try {
    const auto written = sample::writeSampleContent(argv[1]);
    std::printf("wrote %zu files under %s\n", written.size(), argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make-sample-content: %s\n", e.what());
    return 1;
  }
  return 0;
}
