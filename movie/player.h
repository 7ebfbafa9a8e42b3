#pragma once
// The movie engine as its host sees it: bytes go in as they arrive, the host ticks the
// timeline at frameRate() and asks for pictures. No Windows header, no threads, no I/O.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "movie/fetcher.h"
#include "movie/sound/mp3_decoder.h"

namespace movie {

namespace sound {
class Mixer;
}
namespace text {
class FontService;
enum class EditKey;
}

enum class Quality { Low, Medium, High };

enum class LoadState {
  Empty,     // nothing loaded (after construction or reset())
  Loading,   // bytes are arriving; the first frame is not complete yet
  Ready,     // at least the first frame can be shown; more may still arrive
  Complete,  // every byte arrived and was parsed
  Failed,    // the movie cannot be played; error() says why; what was shown stays shown
};

// 32-bit pixels, premultiplied alpha, 0xAARRGGBB in a uint32_t (B, G, R, A in memory:
// the layout of a top-down 32-bit DIB section). stride is in pixels.
struct PixelView {
  uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

class Player {
 public:
  Player();
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // The host's device fonts (outlines of the system's faces); null: text fields that
  // ask for device fonts draw nothing. The service must outlive the player.
  void setFontService(text::FontService* service);

  // Loading. append() may be called with any split of the file; finish() says no more
  // bytes come; fail() records a fetch failure (a plain message shown to the user).
  void reset();
  void append(const uint8_t* data, size_t size);
  void finish();
  void fail(const std::string& message);
  LoadState state() const;
  const std::string& error() const;
  size_t bytesLoaded() const;
  size_t bytesTotal() const;  // the header's file length, 0 until known

  // What scripts load (loadMovie, loadVariables, LoadVars, MovieClipLoader) goes to the
  // host's fetcher (null: nothing is loaded), resolved against the movie's address;
  // the host hands back each result with fetchDone (ok false: the fetch failed). Both
  // settings outlive reset(); the fetcher must outlive the player.
  void setFetcher(Fetcher* fetcher);
  void setMovieAddress(const std::string& address);
  bool fetchDone(int id, bool ok, const uint8_t* data, size_t size);

  // Header facts, valid once state() is Ready or Complete.
  int stageWidth() const;    // pixels (twips / 20)
  int stageHeight() const;
  double frameRate() const;  // frames per second, never 0 once known
  int frameCount() const;
  uint32_t backgroundColor() const;  // 0xRRGGBB

  // Timeline. Frames are counted from 0.
  void play();
  void stop();
  bool playing() const;
  void setLoop(bool loop);
  bool loop() const;
  void rewind();   // first frame, stopped
  void forward();  // next frame, stopped
  void back();     // previous frame, stopped
  void gotoFrame(int frame);
  int currentFrame() const;
  // One tick of the frame clock: advances when playing and the next frame has arrived.
  // Returns true when the picture may have changed.
  bool tick();

  // Scripts: what trace prints, and the addresses getURL opens ("fscommand:..." for
  // commands to the host), with the target window or level named.
  void setTraceHandler(std::function<void(const std::string&)> handler);
  void setUrlHandler(std::function<void(const std::string& url, const std::string& target)> handler);

  // View: the stage is shown whole ("show all"), proportions kept, centred, the rest
  // filled with the background colour; zoom() magnifies around a viewport point.
  void setQuality(Quality quality);
  Quality quality() const;
  void setViewport(int width, int height);
  void zoom(double factor, double x, double y);
  void showAll();
  void render(PixelView target);

  // Sound. A host with an output enables sound and pulls the mix (44 100 Hz, 16-bit
  // stereo, left then right) with mixAudio() from its output thread, and reports with
  // audioPlayed() how many of those frames have been heard; these two and mixer() may
  // be used from any thread, everything else from the host's own. While a stream sound
  // plays it sets the pace: tick() then shows the frame being heard, skipping frames
  // (never sound) when drawing falls behind. Without sound the frame clock keeps time.
  void setMp3Decoder(sound::Mp3DecoderFactory factory);
  void setSoundEnabled(bool enabled);
  bool soundEnabled() const;
  bool pacedBySound() const;  // a stream plays and leads the timeline now
  void stopAllSounds();
  void mixAudio(int16_t* out, size_t frames);
  void audioPlayed(uint64_t frames);
  sound::Mixer& mixer();

  // Text fields and the pointer and keyboard (viewport pixels): a press focuses the
  // field under it and places the caret, moving with the button down selects, typed
  // characters and editing keys go to the focused input field. Each returns whether
  // the picture may have changed.
  bool pointerDown(double x, double y);
  bool pointerMove(double x, double y);
  bool pointerUp();
  bool typeChar(char32_t c);
  bool editKey(text::EditKey key);
  // Buttons and clips with pointer handlers hear the same pointer: the one under it is
  // rolled over and out, pressed and released, and keeps the pointer while pressed.
  // Keys (Windows virtual-key codes, with the character typed, 0 for none) reach the
  // buttons that wait for them. The host shows the hand while handCursor() is true.
  bool keyDown(int virtualKey, char32_t character);
  bool keyUp(int virtualKey);
  // The wheel turned by notches (positive: away from the user), three lines each.
  bool wheel(double notches);
  bool handCursor() const;
  bool pointerHidden() const;  // the movie hid the pointer (Mouse.hide)

 private:
  struct Impl;
  bool advanceOnce();
  // A movie loaded into level 0, or level 0 unloaded, once no script runs.
  bool takeMovieChanges();
  std::unique_ptr<sound::Mixer> mixer_;  // outlives every movie: the output holds on to it
  bool soundEnabled_ = false;
  std::unique_ptr<Impl> impl_;
};

}  // namespace movie
