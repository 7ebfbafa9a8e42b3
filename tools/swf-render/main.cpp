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

struct Options {
  std::string input, output;
  int frames = 1;
  double scale = 1;
  movie::Quality quality = movie::Quality::High;
  std::string audioPath, tracePath, inputPath;
};

// Reads the options after the two file names; returns what is wrong with them, if anything.
std::string readOptions(int argc, char** argv, Options& o) {
  for (int i = 3; i < argc; ++i) {
    std::string arg = argv[i];
    if (i + 1 >= argc) return "missing value after " + arg;
    std::string value = argv[++i];
    if (arg == "--frames") {
      o.frames = std::atoi(value.c_str());
      if (o.frames < 1 || o.frames > 100000) return "--frames takes a number from 1";
    } else if (arg == "--scale") {
      o.scale = std::atof(value.c_str());
      if (!(o.scale > 0 && o.scale <= 16)) return "--scale takes a number above 0, at most 16";
    } else if (arg == "--quality") {
      if (value == "low") o.quality = movie::Quality::Low;
      else if (value == "medium") o.quality = movie::Quality::Medium;
      else if (value == "high") o.quality = movie::Quality::High;
      else return "--quality is low, medium or high";
    } else if (arg == "--audio") {
      o.audioPath = value;
    } else if (arg == "--trace") {
      o.tracePath = value;
    } else if (arg == "--input") {
      o.inputPath = value;
    } else {
      return "unknown option " + arg;
    }
  }
  return {};
}

bool readWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "swf-render: cannot read %s\n", path.c_str());
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool readInputEvents(const std::string& path, std::vector<swf_input::InputEvent>& events) {
  if (path.empty()) return true;
  std::string text, why;
  if (!readWholeFile(path, text)) return false;
  if (!swf_input::parseInputEvents(text, events, why)) {
    std::fprintf(stderr, "swf-render: %s: %s\n", path.c_str(), why.c_str());
    return false;
  }
  return true;
}

// Loads the movie into `player`; false (and a message) when it has no frame to show.
bool loadMovie(movie::Player& player, const std::string& input, const std::string& bytes) {
  player.append(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  player.finish();
  if (player.state() == movie::LoadState::Failed || player.state() == movie::LoadState::Loading ||
      player.state() == movie::LoadState::Empty) {
    std::string why = player.error().empty() ? "no frame could be read" : player.error();
    std::fprintf(stderr, "swf-render: %s: %s\n", input.c_str(), why.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage("an input and an output file are needed");
  Options o;
  o.input = argv[1];
  o.output = argv[2];
  if (std::string wrong = readOptions(argc, argv, o); !wrong.empty()) return usage(wrong.c_str());
  std::string bytes;
  std::vector<swf_input::InputEvent> events;
  if (!readWholeFile(o.input, bytes) || !readInputEvents(o.inputPath, events)) return 1;
  hosts::FreetypeFontService fonts;  // device text in the system's faces
  movie::Player player;
  if (!o.audioPath.empty()) {
    player.setMp3Decoder(movie::sound::mpg123DecoderFactory());
    player.setSoundEnabled(true);  // before the first frame, whose sounds start with it
  }
  player.setFontService(&fonts);
  std::ofstream trace;
  if (!o.tracePath.empty()) {
    trace.open(o.tracePath, std::ios::binary);
    if (!trace) {
      std::fprintf(stderr, "swf-render: cannot write %s\n", o.tracePath.c_str());
      return 1;
    }
    player.setTraceHandler([&trace](const std::string& line) { trace << line << '\n'; });
  }
  if (!loadMovie(player, o.input, bytes)) return 1;
  player.setQuality(o.quality);
  player.play();
  int width = std::max(1, int(player.stageWidth() * o.scale + 0.5));
  int height = std::max(1, int(player.stageHeight() * o.scale + 0.5));
  if (width > 16384 || height > 16384) {
    std::fprintf(stderr, "swf-render: the picture would be too large\n");
    return 1;
  }
  player.setViewport(width, height);  // the pointer's stage pixels map onto it
  std::vector<int16_t> audio;
  swf_input::runFrames(player, o.frames, events, o.scale, [&](int frame) {
    if (!o.audioPath.empty()) mixFrame(player, frame - 1, audio);
  });
  if (!o.audioPath.empty() && !writeWav(o.audioPath, kAudioRate, 2, audio)) {
    std::fprintf(stderr, "swf-render: cannot write %s\n", o.audioPath.c_str());
    return 1;
  }
  std::vector<uint32_t> pixels(size_t(width) * height);
  player.render({pixels.data(), width, height, width});
  if (!writePng(o.output, width, height, pixels)) {
    std::fprintf(stderr, "swf-render: cannot write %s\n", o.output.c_str());
    return 1;
  }
  return 0;
}
