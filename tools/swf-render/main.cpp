// swf-render INPUT.swf OUTPUT.png [--frames N] [--scale S] [--quality low|medium|high]
//            [--trace FILE] [--audio OUT.wav] [--input EVENTS]
// Renders the stage after N frames (default 1) at S times its size (default 1); with
// --trace, writes what the movie's scripts print, one line per call; with --audio, the
// sound of those N frames, mixed as the player mixes it; with --input, delivers the
// pointer and key events of a file (input_events.h) before their frames.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "hosts/native/freetype_font_service.h"
#include "input_events.h"
#include "movie/player.h"
#include "movie/sound/mpg123_decoder.h"
#include "png_out.h"
#include "wav_out.h"

namespace {

int usage(const char* message) {
  std::fprintf(stderr, "swf-render: %s\n", message);
  std::fprintf(stderr,
               "usage: swf-render INPUT.swf OUTPUT.png [--frames N] [--scale S] "
               "[--quality low|medium|high] [--trace FILE] [--audio OUT.wav] [--input EVENTS]\n");
  return 2;
}

constexpr int kAudioRate = 44100;

// Frame i's share of the samples: one frame's worth at the movie's rate, the fractions
// carried so that N frames give exactly N / rate seconds.
size_t samplesForFrame(int i, double frameRate) {
  auto at = [&](int n) { return size_t(double(n) * kAudioRate / frameRate + 0.5); };
  return at(i + 1) - at(i);
}

void mixFrame(movie::Player& player, int i, std::vector<int16_t>& audio) {
  const size_t frames = samplesForFrame(i, player.frameRate());
  const size_t at = audio.size();
  audio.resize(at + frames * 2);
  player.mixAudio(audio.data() + at, frames);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage("an input and an output file are needed");
  std::string input = argv[1], output = argv[2];
  int frames = 1;
  double scale = 1;
  movie::Quality quality = movie::Quality::High;
  std::string audioPath, tracePath, inputPath;
  for (int i = 3; i < argc; ++i) {
    std::string arg = argv[i];
    if (i + 1 >= argc) return usage(("missing value after " + arg).c_str());
    std::string value = argv[++i];
    if (arg == "--frames") {
      frames = std::atoi(value.c_str());
      if (frames < 1 || frames > 100000) return usage("--frames takes a number from 1");
    } else if (arg == "--scale") {
      scale = std::atof(value.c_str());
      if (!(scale > 0 && scale <= 16)) return usage("--scale takes a number above 0, at most 16");
    } else if (arg == "--quality") {
      if (value == "low") quality = movie::Quality::Low;
      else if (value == "medium") quality = movie::Quality::Medium;
      else if (value == "high") quality = movie::Quality::High;
      else return usage("--quality is low, medium or high");
    } else if (arg == "--audio") {
      audioPath = value;
    } else if (arg == "--trace") {
      tracePath = value;
    } else if (arg == "--input") {
      inputPath = value;
    } else {
      return usage(("unknown option " + arg).c_str());
    }
  }
  std::ifstream in(input, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "swf-render: cannot read %s\n", input.c_str());
    return 1;
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<swf_input::InputEvent> events;
  if (!inputPath.empty()) {
    std::ifstream file(inputPath, std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "swf-render: cannot read %s\n", inputPath.c_str());
      return 1;
    }
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::string why;
    if (!swf_input::parseInputEvents(text, events, why)) {
      std::fprintf(stderr, "swf-render: %s: %s\n", inputPath.c_str(), why.c_str());
      return 1;
    }
  }
  hosts::FreetypeFontService fonts;  // device text in the system's faces
  movie::Player player;
  if (!audioPath.empty()) {
    player.setMp3Decoder(movie::sound::mpg123DecoderFactory());
    player.setSoundEnabled(true);  // before the first frame, whose sounds start with it
  }
  player.setFontService(&fonts);
  std::ofstream trace;
  if (!tracePath.empty()) {
    trace.open(tracePath, std::ios::binary);
    if (!trace) {
      std::fprintf(stderr, "swf-render: cannot write %s\n", tracePath.c_str());
      return 1;
    }
    player.setTraceHandler([&trace](const std::string& line) { trace << line << '\n'; });
  }
  player.append(bytes.data(), bytes.size());
  player.finish();
  if (player.state() == movie::LoadState::Failed || player.state() == movie::LoadState::Loading ||
      player.state() == movie::LoadState::Empty) {
    std::string why = player.error().empty() ? "no frame could be read" : player.error();
    std::fprintf(stderr, "swf-render: %s: %s\n", input.c_str(), why.c_str());
    return 1;
  }
  player.setQuality(quality);
  player.play();
  int width = std::max(1, int(player.stageWidth() * scale + 0.5));
  int height = std::max(1, int(player.stageHeight() * scale + 0.5));
  if (width > 16384 || height > 16384) {
    std::fprintf(stderr, "swf-render: the picture would be too large\n");
    return 1;
  }
  player.setViewport(width, height);  // the pointer's stage pixels map onto it
  std::vector<int16_t> audio;
  swf_input::runFrames(player, frames, events, scale, [&](int frame) {
    if (!audioPath.empty()) mixFrame(player, frame - 1, audio);
  });
  if (!audioPath.empty() && !writeWav(audioPath, kAudioRate, 2, audio)) {
    std::fprintf(stderr, "swf-render: cannot write %s\n", audioPath.c_str());
    return 1;
  }
  std::vector<uint32_t> pixels(size_t(width) * height);
  player.render({pixels.data(), width, height, width});
  if (!writePng(output, width, height, pixels)) {
    std::fprintf(stderr, "swf-render: cannot write %s\n", output.c_str());
    return 1;
  }
  return 0;
}
