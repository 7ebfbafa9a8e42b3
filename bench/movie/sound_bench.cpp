// The CPU cost of a lesson's sound: decoding its spoken sentence (MP3) and mixing it with
// its chime into 44.1 kHz stereo, a whole loop of the lesson at a time; the counter
// cpu_share is the time taken over the sound's own duration.
#include <benchmark/benchmark.h>

#include <vector>

#include "movie/player.h"
#include "movie/sound/mpg123_decoder.h"
#include "tools/sample-content/lesson_movie.h"

namespace {

void lessonSound(benchmark::State& state) {
  const int lesson = int(state.range(0));
  const auto file = sample::makeLessonMovie(lesson, sample::lessonSpeech(lesson));
  double seconds = 0;
  std::vector<int16_t> buffer;
  for (auto _ : state) {
    state.PauseTiming();
    movie::Player player;
    player.setMp3Decoder(movie::sound::mpg123DecoderFactory());
    player.setSoundEnabled(true);
    player.append(file.data(), file.size());
    player.finish();
    player.play();
    const int frames = player.frameCount();
    const double fps = player.frameRate();
    state.ResumeTiming();
    size_t mixed = 0;
    for (int f = 0; f < frames; ++f) {
      const size_t n = size_t((f + 1) * 44100 / fps) - size_t(f * 44100 / fps);
      buffer.resize(n * 2);
      player.mixAudio(buffer.data(), n);
      mixed += n;
      player.tick();
    }
    seconds = double(mixed) / 44100;
    benchmark::DoNotOptimize(buffer.data());
  }
  state.counters["sound_seconds"] = seconds;
  state.counters["cpu_share"] = benchmark::Counter(seconds, benchmark::Counter::kIsIterationInvariantRate |
                                                               benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(lessonSound)->Arg(1)->Arg(2)->Arg(7)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
