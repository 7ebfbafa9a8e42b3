// Sound in the Windows program: the platform's MP3 codec passes the same checks as the
// native decoder; a component without a sound device plays a speaking lesson silently;
// with a recording device the stream's samples arrive in order and in step with the
// frames shown, the sample lesson's sentence is heard whole and in step with its
// pictures, and a lesson change silences it.
#include <gtest/gtest.h>

#include <cmath>
#include <mutex>

#include "hosts/com/dispatch.h"
#include "hosts/flash/acm_mp3_decoder.h"
#include "hosts/flash/flash_ids.h"
#include "hosts/flash/movie_component.h"
#include "movie/player.h"
#include "recording_output.h"
#include "test_support.h"
#include "tests/movie/mp3_decoder_checks.h"
#include "tools/sample-content/lesson_movie.h"
#include "tools/sound-assets/sound_assets.h"
#include "tools/swf/sound_writer.h"

namespace {

using namespace hosts::com;
using namespace hosts::flash;
using hosts_test::HttpServer;
using hosts_test::pumpUntil;
using hosts_test::RecordingOutput;

TEST(AcmMp3Decoder, MonoToneAsAnEventSound) { movie_test::expectMonoTone(acmMp3DecoderFactory()); }
TEST(AcmMp3Decoder, StereoToneKeepsItsChannelsApart) { movie_test::expectStereoTone(acmMp3DecoderFactory()); }
TEST(AcmMp3Decoder, StreamBlocksDecodeInOrder) { movie_test::expectStreamBlocksInOrder(acmMp3DecoderFactory()); }
TEST(AcmMp3Decoder, GarbageGivesNoSamplesAndNoCrash) { movie_test::expectGarbageRefused(acmMp3DecoderFactory()); }

constexpr double kFps = 12;

swf::TagList stage() {
  swf::TagList t;
  swf::Shape s;
  s.rect(0, 0, swf::twips(100), swf::twips(100), s.addFill(swf::FillStyle::solid(swf::rgb(0x30A040))));
  t.defineShape(1, s, 3);
  return t;
}

swf::Bytes finish(swf::TagList& t) {
  t.end();
  swf::MovieHeader h;
  h.frameRate = kFps;
  h.stage = {0, swf::twips(100), 0, swf::twips(100)};
  return swf::writeMovie(h, t);
}

void placeStage(swf::TagList& t) {
  swf::Place p;
  p.depth = 1;
  p.characterId = 1;
  t.placeObject2(p);
}

// Each frame's block holds the frame's number (times 10) as a constant sample.
swf::Bytes numberedMovie(int frames) {
  swf::TagList t = stage();
  const int perFrame = int(22050 / kFps);
  swf::soundStreamHead2(t, swf::soundFormat(swf::kPcmLittle, 22050, true, false), uint16_t(perFrame));
  placeStage(t);
  for (int f = 0; f < frames; ++f) {
    swf::soundStreamBlock(t, swf::pcm16(std::vector<int16_t>(size_t(perFrame), int16_t(10 * (f + 1)))));
    t.showFrame();
  }
  return finish(t);
}

// Lesson 1 as the sample content has it: its spoken sentence as MP3 stream sound.
swf::Bytes sampleLesson() { return sample::makeLessonMovie(1, sound_assets::speech01()); }

// How many frames of the sample lesson carry its sentence.
int sampleLessonSpeechFrames() {
  return int(swf::mp3StreamBlocks(sound_assets::speech01(), sample::styleFor(1).frameRate).blocks.size());
}

class NoDevice : public AudioOutput {
 public:
  bool start(Source, Heard) override { return false; }
  void flush() override {}
};

class SoundComponentTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { host = new hosts_test::HostWindow(200, 200); }
  static void TearDownTestSuite() {
    delete host;
    host = nullptr;
  }
  void TearDown() override {
    if (component) component->DestroyComponentWindow();
    component = {};
    MovieComponent::setAudioOutputFactory(nullptr);
  }
  void make(AudioOutputFactory output) {
    MovieComponent::setAudioOutputFactory(std::move(output));
    component = hosts_test_make();
    HWND window = nullptr;
    ASSERT_EQ(component->CreateComponentWindow(host->handle(), &window), S_OK);
    RECT r{0, 0, 200, 200};
    component->SetBounds(&r);
  }
  static Ptr<MovieComponent> hosts_test_make() { return Ptr<MovieComponent>::adopt(new MovieComponent); }
  void play(const std::string& path, swf::Bytes movie) {
    HttpServer::Route route;
    route.body = std::move(movie);
    route.contentType = "application/x-shockwave-flash";
    server.serve(path, route);
    IDispatch* automation = static_cast<IDispatch*>(component.get());
    put(automation, kDispMovie, Variant(server.url(path)));
    call(automation, kDispPlay);
  }

  HttpServer server;
  static inline hosts_test::HostWindow* host = nullptr;
  Ptr<MovieComponent> component;
};

TEST_F(SoundComponentTest, WithoutASoundDeviceASpeakingLessonPlaysSilently) {
  make([] { return std::unique_ptr<AudioOutput>(new NoDevice); });
  EXPECT_FALSE(component->soundOutput());
  play("/edu/3/01.swf", sampleLesson());
  ASSERT_TRUE(pumpUntil([&] { return component->player().currentFrame() > 20; }, 10000));
  EXPECT_EQ(component->player().error(), "");
  EXPECT_FALSE(component->player().pacedBySound());
}

struct FrameTimes {
  std::vector<std::pair<LONGLONG, int>> shown;  // when each frame was first seen
  void watch(MovieComponent& c) {
    int f = c.player().currentFrame();
    if (shown.empty() || shown.back().second != f) shown.emplace_back(hosts_test::counterNow(), f);
  }
};

// The index of the stereo sample frame the speaker played at a time, or -1.
long long heardSampleAt(LONGLONG when) {
  auto& log = RecordingOutput::log();
  std::lock_guard lock(log.mutex);
  size_t k = 0;
  while (k + 1 < log.heardAt.size() && log.heardAt[k + 1] <= when) ++k;
  if (log.heardAt.empty() || log.heardAt[k] > when) return -1;
  const double into = double(when - log.heardAt[k]) / double(hosts_test::counterFrequency());
  const size_t frame = k * RecordingOutput::kFramesPerBuffer +
                       std::min<size_t>(RecordingOutput::kFramesPerBuffer - 1, size_t(into * 44100));
  return frame * 2 < log.samples.size() ? (long long)frame : -1;
}

// The frame whose numbered block the speaker played at a time, from the recording.
int heardFrameAt(LONGLONG when) {
  const long long frame = heardSampleAt(when);
  if (frame < 0) return -1;
  auto& log = RecordingOutput::log();
  std::lock_guard lock(log.mutex);
  return int(std::lround(log.samples[size_t(frame) * 2] / 10.0)) - 1;
}

void clearLog() {
  auto& log = RecordingOutput::log();
  std::lock_guard lock(log.mutex);
  log.samples.clear();
  log.heardAt.clear();
  log.flushes = 0;
}

TEST_F(SoundComponentTest, RecordedStreamArrivesInOrderInStepWithTheFrames) {
  clearLog();
  make([] { return std::unique_ptr<AudioOutput>(new RecordingOutput); });
  ASSERT_TRUE(component->soundOutput());
  play("/edu/3/01.swf", numberedMovie(60));
  FrameTimes times;
  pumpUntil([&] {
    times.watch(*component.get());
    return component->player().currentFrame() >= 40;
  }, 15000);
  ASSERT_GE(component->player().currentFrame(), 40);
  EXPECT_TRUE(component->player().pacedBySound());
  // Each frame shown, against the frame heard at that moment.
  int worst = 0, compared = 0;
  for (auto [when, frame] : times.shown) {
    if (frame < 2) continue;  // the start, before the first block sounds
    const int heard = heardFrameAt(when);
    ASSERT_GE(heard, 0) << "frame " << frame;
    worst = std::max(worst, std::abs(heard - frame));
    ++compared;
  }
  EXPECT_GT(compared, 30);
  EXPECT_LE(worst, 1);
  // In order: the heard frame numbers never go back and skip none.
  auto& log = RecordingOutput::log();
  std::lock_guard lock(log.mutex);
  int last = -1, backwards = 0, gaps = 0;
  for (size_t i = 0; i < log.samples.size(); i += 2 * 100) {
    const int f = int(std::lround(log.samples[i] / 10.0)) - 1;
    if (f < 0) continue;
    if (f < last) ++backwards;
    if (last >= 0 && f > last + 1) ++gaps;
    last = f;
  }
  EXPECT_EQ(backwards, 0);
  EXPECT_EQ(gaps, 0);
}

// The lesson's sound as a player of the test's own mixes it from the first frame on: the
// stream's block f is heard from sample f * perFrame.
std::vector<int16_t> idealSound(const swf::Bytes& lesson, int frames, size_t perFrame) {
  movie::Player p;
  p.setMp3Decoder(acmMp3DecoderFactory());
  p.setSoundEnabled(true);
  p.append(lesson.data(), lesson.size());
  p.finish();
  std::vector<int16_t> out(size_t(frames) * perFrame * 2);
  for (int f = 0; f < frames; ++f) {
    if (f > 0) p.tick();
    p.mixAudio(out.data() + size_t(f) * perFrame * 2, perFrame);
  }
  return out;
}

// The first stereo sample frame that is not silent, or -1.
long long firstSound(const std::vector<int16_t>& samples) {
  for (size_t i = 0; i < samples.size(); ++i)
    if (samples[i] != 0) return (long long)(i / 2);
  return -1;
}

TEST_F(SoundComponentTest, SampleLessonSpeaksInStepWithItsPicturesAndALessonChangeSilencesIt) {
  clearLog();
  make([] { return std::unique_ptr<AudioOutput>(new RecordingOutput); });
  const swf::Bytes lesson = sampleLesson();
  const int speechFrames = sampleLessonSpeechFrames();
  const size_t perFrame = size_t(std::lround(44100 / sample::styleFor(1).frameRate));
  const std::vector<int16_t> ideal = idealSound(lesson, speechFrames, perFrame);
  const long long idealStart = firstSound(ideal);
  ASSERT_GE(idealStart, 0);
  ASSERT_LT(idealStart, (long long)perFrame * 4);  // the sentence starts with the lesson

  play("/edu/3/01.swf", lesson);
  FrameTimes times;
  ASSERT_TRUE(pumpUntil([&] {
    times.watch(*component.get());
    return component->player().currentFrame() >= speechFrames;
  }, 20000));
  std::vector<int16_t> recorded;
  {
    auto& log = RecordingOutput::log();
    std::lock_guard lock(log.mutex);
    recorded = log.samples;
  }
  const long long start = firstSound(recorded);
  ASSERT_GE(start, 0) << "nothing was heard";
  // The sentence is heard as the lesson's frames carry it, sample for sample, up to the
  // middle of the first animation cycle (where the lesson's chime may join in).
  const long long compared = std::min<long long>((long long)perFrame * (sample::styleFor(1).frames / 2),
                                                 (long long)ideal.size() / 2) - idealStart;
  ASSERT_LE((start + compared) * 2, (long long)recorded.size());
  int differing = 0;
  for (long long i = 0; i < compared * 2; ++i)
    differing += std::abs(recorded[size_t(start * 2 + i)] - ideal[size_t(idealStart * 2 + i)]) > 2;
  EXPECT_EQ(differing, 0);
  // Each frame shown, against the frame whose sound the speaker played at that moment.
  int worst = 0, checked = 0;
  for (auto [when, frame] : times.shown) {
    if (frame < 2 || frame >= speechFrames) continue;
    const long long heard = heardSampleAt(when);
    ASSERT_GE(heard, start) << "frame " << frame;
    const int heardFrame = int((heard - start + idealStart) / (long long)perFrame);
    worst = std::max(worst, std::abs(heardFrame - frame));
    ++checked;
  }
  EXPECT_GT(checked, speechFrames / 2);
  EXPECT_LE(worst, 1);

  // Another lesson, whose movie has not arrived yet: from the next buffer on, silence.
  HttpServer::Route held;
  held.body = sample::makeLessonMovie(2);
  held.hold = true;
  server.serve("/edu/3/02.swf", held);
  IDispatch* automation = static_cast<IDispatch*>(component.get());
  put(automation, kDispMovie, Variant(server.url("/edu/3/02.swf")));
  call(automation, kDispPlay);
  size_t at = 0;
  {
    auto& log = RecordingOutput::log();
    std::lock_guard lock(log.mutex);
    at = log.samples.size();
    EXPECT_GE(log.flushes, 1);
  }
  const size_t wanted = at + 4 * 2 * RecordingOutput::kFramesPerBuffer;
  ASSERT_TRUE(pumpUntil([&] {
    auto& log = RecordingOutput::log();
    std::lock_guard lock(log.mutex);
    return log.samples.size() > wanted;
  }));
  server.release();
  auto& log = RecordingOutput::log();
  std::lock_guard lock(log.mutex);
  // One buffer may have been sounding when the lesson changed; after it, nothing.
  std::vector<int16_t> after(log.samples.begin() + std::ptrdiff_t(at + 2 * RecordingOutput::kFramesPerBuffer),
                             log.samples.end());
  EXPECT_EQ(movie_test::peakLevel(after), 0);
}

}  // namespace
