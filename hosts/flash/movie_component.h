#pragma once
// The program's built-in movie player component, answering the movie player's class
// identifier. Movie starts a fetch (WinINet on a worker), the bytes go into the movie
// engine as they arrive, frames are paced by a timer only while playing and drawn into a
// DIB section that WM_PAINT blits. While loading it shows the progress, on a failure a
// short message; its own right-click menu acts on the engine. Sound goes to the wave
// output from a thread of its own; while a stream sound plays it paces the frames.
#include <functional>
#include <memory>
#include <string>

#include "hosts/com/builtin_component.h"
#include "hosts/flash/audio_output.h"
#include "hosts/flash/dib_surface.h"
#include "hosts/flash/frame_clock.h"
#include "hosts/flash/gdi_font_service.h"
#include "hosts/flash/player_menu.h"
#include "hosts/flash/script_fetcher.h"
#include "hosts/net/fetch.h"
#include "movie/player.h"

namespace hosts::flash {

// Registers the component under the movie player's class identifier.
void registerMovieComponent();

class MovieComponent : public com::BuiltinComponent {
 public:
  MovieComponent();
  ~MovieComponent() override;

  // What the automation members do (also used by the menu and the tests).
  void setMovie(const std::wstring& url);
  const std::wstring& movie() const { return url_; }
  void play();
  void stopPlay();
  void command(UINT id, POINT at);  // a menu command, at a client point (zooms)
  MenuState menuState() const;
  int percentLoaded() const { return percent_; }
  // Where getURL's web addresses go (default: the shell opens them in the browser).
  void setLinkOpener(std::function<void(const std::wstring&)> open) { openLink_ = std::move(open); }

  // For the tests: the engine, the displayed text ("" when a frame is shown) and the
  // number of frames drawn.
  movie::Player& player() { return player_; }
  const std::wstring& overlayText() const { return overlay_; }
  bool clockRunning() const { return clock_.running(); }
  int framesDrawn() const { return framesDrawn_; }

  static const wchar_t* windowClass();
  // Where components made afterwards send their sound (tests record it); the default is
  // the platform's wave output.
  static void setAudioOutputFactory(AudioOutputFactory factory);
  bool soundOutput() const { return player_.soundEnabled(); }

  // Starts the frame clock too when a movie was already playing without a window.
  HRESULT STDMETHODCALLTYPE CreateComponentWindow(HWND parent, HWND* window) override;

 protected:
  HWND createWindow(HWND parent, const RECT& bounds) override;
  void settingsLoaded() override;
  void windowDestroying() override;

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  void onResponse(const net::Response& r);
  void onData(std::vector<uint8_t>&& chunk);
  void onDone();
  void onFailed(const std::wstring& reason);
  void afterBytes();          // state changes after new bytes or the end
  void showFailure(const std::wstring& reason);
  void reportProgress();
  // Scripts' getURL: FS commands to the host, web addresses to the browser.
  void urlRequested(const std::string& url, const std::string& target);
  void updateClock();
  void startAudio();
  void onFrameTimer();
  void renderFrame();         // engine -> DIB section
  void paint(HDC dc);
  void drawOverlay(HDC dc, const RECT& client);
  void showMenu(POINT screen);
  void invalidate();
  int clientWidth() const;
  int clientHeight() const;

  GdiFontService fonts_;  // before the player, which draws with it
  ScriptFetcher scriptFetcher_;  // before the player, which cancels its fetches when it goes
  movie::Player player_;
  std::unique_ptr<net::Fetch> fetch_;
  unsigned generation_ = 0;   // bumped by each Movie; stale results are dropped
  std::wstring url_;
  size_t expected_ = 0;       // Content-Length, 0 when unknown
  size_t received_ = 0;
  int percent_ = 0;
  int reportedPercent_ = -1;
  bool started_ = false;      // the first frame was shown and the start settings applied
  bool playRequested_ = false;
  bool failed_ = false;
  std::wstring overlay_;      // progress or failure text drawn over the player area

  // Settings (start settings, then the automation members and the menu).
  bool playOnLoad_ = true;
  bool loop_ = true;
  bool menu_ = true;
  movie::Quality quality_ = movie::Quality::High;

  std::unique_ptr<AudioOutput> audio_;  // after player_: stops before the engine goes
  bool pacedBySound_ = false;

  FrameClock clock_;
  DibSurface surface_;
  bool frameDirty_ = true;
  std::function<void(const std::wstring&)> openLink_;
  int framesDrawn_ = 0;
};

}  // namespace hosts::flash
