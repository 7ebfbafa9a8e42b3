#include "hosts/flash/movie_component.h"

#include <algorithm>
#include <cctype>

#include <windows.h>
#include <shellapi.h>

#include "hosts/com/class_ids.h"
#include "hosts/com/registry.h"
#include "hosts/flash/acm_mp3_decoder.h"
#include "hosts/flash/flash_ids.h"
#include "hosts/flash/text_input.h"
#include "hosts/flash/wave_output.h"
#include "ui/text.h"

namespace hosts::flash {

using com::DispArgs;
using com::Variant;

namespace {

constexpr size_t kMaxMovieBytes = 64u << 20;
constexpr uint32_t kBlankColor = 0xFFFFFFFF;   // the player area before a movie shows
constexpr COLORREF kTextColor = RGB(96, 96, 96);

bool sameText(const std::wstring& a, const wchar_t* b) { return lstrcmpiW(a.c_str(), b) == 0; }

movie::Quality qualityFromName(const std::wstring& name, movie::Quality fallback) {
  if (sameText(name, L"Low") || sameText(name, L"AutoLow")) return movie::Quality::Low;
  if (sameText(name, L"Medium")) return movie::Quality::Medium;
  if (sameText(name, L"High") || sameText(name, L"AutoHigh") || sameText(name, L"Best"))
    return movie::Quality::High;
  return fallback;
}

const wchar_t* qualityName(movie::Quality q) {
  switch (q) {
    case movie::Quality::Low: return L"Low";
    case movie::Quality::Medium: return L"Medium";
    default: return L"High";
  }
}

bool shows(movie::LoadState s) { return s == movie::LoadState::Ready || s == movie::LoadState::Complete; }

AudioOutputFactory& audioOutputFactory() {
  static AudioOutputFactory factory = [] { return std::unique_ptr<AudioOutput>(new WaveOutput); };
  return factory;
}

}  // namespace

void MovieComponent::setAudioOutputFactory(AudioOutputFactory factory) {
  audioOutputFactory() = factory ? std::move(factory) : [] { return std::unique_ptr<AudioOutput>(new WaveOutput); };
}

void registerMovieComponent() {
  com::registerClass(com::kMoviePlayerClsid, [] {
    return com::Ptr<IUnknown>::adopt(static_cast<IDispatch*>(new MovieComponent));
  });
}

MovieComponent::MovieComponent()
    : scriptFetcher_(player_, kMaxMovieBytes, [this] {
        frameDirty_ = true;
        invalidate();
      }) {
  player_.setFontService(&fonts_);
  player_.setFetcher(&scriptFetcher_);
  player_.setUrlHandler([this](const std::string& url, const std::string& target) { urlRequested(url, target); });
  player_.setMp3Decoder(acmMp3DecoderFactory());
  startAudio();
  addProperty(L"Movie", kDispMovie, [this] { return Variant(url_); },
              [this](const Variant& v) { setMovie(v.toString()); });
  addMethod(L"Play", kDispPlay, [this](const DispArgs&) { play(); return Variant(); });
  addMethod(L"StopPlay", kDispStop, [this](const DispArgs&) { stopPlay(); return Variant(); });
  addMethod(L"Back", kDispBack, [this](const DispArgs&) { command(kCmdBack, {}); return Variant(); });
  addMethod(L"Forward", kDispForward, [this](const DispArgs&) { command(kCmdForward, {}); return Variant(); });
  addMethod(L"Rewind", kDispRewind, [this](const DispArgs&) { command(kCmdRewind, {}); return Variant(); });
  addMethod(L"Zoom", kDispZoom, [this](const DispArgs& a) {
    int percent = a.integer(0);
    if (percent <= 0) {
      player_.showAll();
    } else {
      player_.zoom(100.0 / std::clamp(percent, 1, 10000), clientWidth() / 2.0, clientHeight() / 2.0);
    }
    frameDirty_ = true;
    invalidate();
    return Variant();
  });
  addProperty(L"Loop", kDispLoop, [this] { return Variant(loop_); },
              [this](const Variant& v) {
                loop_ = v.toBool();
                player_.setLoop(loop_);
              });
  addProperty(L"Playing", kDispPlaying, [this] { return Variant(started_ ? player_.playing() : playRequested_); },
              [this](const Variant& v) { v.toBool() ? play() : stopPlay(); });
  addProperty(L"Quality", kDispQuality, [this] { return Variant(qualityName(quality_)); },
              [this](const Variant& v) {
                quality_ = qualityFromName(v.toString(), quality_);
                player_.setQuality(quality_);
                frameDirty_ = true;
                invalidate();
              });
  addProperty(L"Menu", kDispMenu, [this] { return Variant(menu_); },
              [this](const Variant& v) { menu_ = v.toBool(); });
  addProperty(L"PercentLoaded", kDispPercentLoaded, [this] { return Variant(percent_); });
  addProperty(L"FrameNum", kDispFrameNum, [this] { return Variant(started_ ? player_.currentFrame() : -1); });
  addProperty(L"TotalFrames", kDispTotalFrames, [this] { return Variant(started_ ? player_.frameCount() : 0); });
  addProperty(L"ReadyState", kDispReadyState, [this] {
    movie::LoadState s = player_.state();
    return Variant(s == movie::LoadState::Complete ? 4 : s == movie::LoadState::Ready ? 3 : 1);
  });
}

void MovieComponent::startAudio() {
  audio_ = audioOutputFactory()();
  movie::Player& player = player_;  // the output's thread touches only the mixer
  const bool started = audio_ && audio_->start([&player](int16_t* out, size_t frames) { player.mixAudio(out, frames); },
                                              [&player](uint64_t heard) { player.audioPlayed(heard); });
  if (!started) audio_.reset();  // no device: the movie plays on silently
  player_.setSoundEnabled(started);
}

MovieComponent::~MovieComponent() {
  audio_.reset();
  fetch_.reset();
  DestroyComponentWindow();
}

// --- Loading ----------------------------------------------------------------------------

void MovieComponent::setMovie(const std::wstring& url) {
  // Drop the current movie and whatever of it is still arriving.
  fetch_.reset();
  ++generation_;
  clock_.stop();
  player_.reset();  // the old movie's sound stops here (and what its scripts load) ...
  player_.setMovieAddress(ui::toUtf8(url));
  if (audio_) audio_->flush();  // ... and what the device still holds is dropped
  player_.setLoop(loop_);
  player_.setQuality(quality_);
  url_ = url;
  started_ = false;
  failed_ = false;
  playRequested_ = playOnLoad_;
  expected_ = received_ = 0;
  percent_ = 0;
  reportedPercent_ = -1;
  frameDirty_ = true;
  overlay_.clear();
  if (url.empty()) {
    invalidate();
    return;
  }
  overlay_ = L"正在载入课程动画… 0%";
  invalidate();

  const unsigned generation = generation_;
  net::FetchHandlers h;
  h.response = [this, generation](const net::Response& r) {
    if (generation == generation_) onResponse(r);
  };
  h.data = [this, generation](std::vector<uint8_t>&& chunk) {
    if (generation == generation_) onData(std::move(chunk));
  };
  h.done = [this, generation] {
    if (generation == generation_) onDone();
  };
  h.failed = [this, generation](const std::wstring& reason) {
    if (generation == generation_) onFailed(reason);
  };
  net::FetchOptions options;
  options.maxBytes = kMaxMovieBytes;
  fetch_ = net::fetch(url, std::move(h), options);
}

void MovieComponent::onResponse(const net::Response& r) {
  expected_ = size_t(r.contentLength);
  // What the movie loads is found next to where it came from, after redirects.
  if (!r.finalUrl.empty()) player_.setMovieAddress(ui::toUtf8(r.finalUrl));
}

void MovieComponent::onData(std::vector<uint8_t>&& chunk) {
  received_ += chunk.size();
  if (!failed_) player_.append(chunk.data(), chunk.size());
  afterBytes();
  reportProgress();
}

void MovieComponent::onDone() {
  fetch_.reset();
  if (!failed_) {
    player_.finish();
    percent_ = 100;
    afterBytes();
    if (!failed_ && !started_) showFailure(L"课程动画没有可以显示的画面");
  }
  reportProgress();
}

void MovieComponent::onFailed(const std::wstring& reason) {
  fetch_.reset();
  player_.fail(ui::toUtf8(reason));
  showFailure(reason);
}

void MovieComponent::afterBytes() {
  if (failed_) return;
  const movie::LoadState state = player_.state();
  if (state == movie::LoadState::Failed) {
    fetch_.reset();
    showFailure(ui::fromUtf8(player_.error()));
    return;
  }
  if (shows(state) && !started_) {
    // The first frame has arrived: show it and honour the start settings.
    started_ = true;
    overlay_.clear();
    player_.setLoop(loop_);
    player_.setQuality(quality_);
    player_.setViewport(clientWidth(), clientHeight());
    // The engine's own default is not relied on: play exactly when asked.
    if (playRequested_)
      player_.play();
    else
      player_.stop();
    frameDirty_ = true;
    updateClock();
    invalidate();
  } else if (!started_) {
    int shown = expected_ ? int(std::min<size_t>(100, received_ * 100 / expected_)) : 0;
    overlay_ = L"正在载入课程动画… " + std::to_wstring(shown) + L"%";
    invalidate();
  }
}

void MovieComponent::showFailure(const std::wstring& reason) {
  failed_ = true;
  clock_.stop();
  overlay_ = L"无法载入课程动画";
  if (!reason.empty()) overlay_ += L"\n" + reason;
  invalidate();
}

namespace {

bool startsWithNoCase(const std::string& s, const char* prefix) {
  size_t i = 0;
  for (; prefix[i]; ++i)
    if (i >= s.size() || std::tolower(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
  return true;
}

void openInShell(const std::wstring& address) {
  ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

void MovieComponent::urlRequested(const std::string& url, const std::string& target) {
  // "fscommand:" in any case: the command goes to the host with its arguments. Web
  // addresses open in the user's browser; anything else (files, scripts) is ignored.
  static const char kCommand[] = "fscommand:";
  if (startsWithNoCase(url, kCommand)) {
    fire(kEventFSCommand,
         {Variant(ui::fromUtf8(url.substr(sizeof(kCommand) - 1))), Variant(ui::fromUtf8(target))});
  } else if (startsWithNoCase(url, "http://") || startsWithNoCase(url, "https://")) {
    (openLink_ ? openLink_ : openInShell)(ui::fromUtf8(url));
  }
}

void MovieComponent::reportProgress() {
  size_t total = expected_ ? expected_ : player_.bytesTotal();
  if (percent_ < 100 && total) percent_ = int(std::min<size_t>(100, received_ * 100 / total));
  if (percent_ == reportedPercent_) return;
  reportedPercent_ = percent_;
  // The host's handler may set another movie; nothing of this one is touched afterwards.
  fire(kEventProgress, {Variant(percent_)});
}

// --- Playing ----------------------------------------------------------------------------

void MovieComponent::play() {
  playRequested_ = true;
  if (started_ && !failed_) player_.play();
  updateClock();
}

void MovieComponent::stopPlay() {
  playRequested_ = false;
  player_.stop();
  updateClock();
}

void MovieComponent::updateClock() {
  if (started_ && !failed_ && player_.playing() && window())
    clock_.start(window(), player_.frameRate());
  else
    clock_.stop();
}

MenuState MovieComponent::menuState() const {
  MenuState s;
  s.movieShown = started_;
  s.playing = started_ && player_.playing() && !failed_;
  s.looping = loop_;
  s.quality = quality_ == movie::Quality::Low ? 0 : quality_ == movie::Quality::Medium ? 1 : 2;
  return s;
}

void MovieComponent::command(UINT id, POINT at) {
  if (!started_) return;
  switch (id) {
    case kCmdZoomIn: player_.zoom(2.0, at.x, at.y); break;
    case kCmdZoomOut: player_.zoom(0.5, at.x, at.y); break;
    case kCmdShowAll: player_.showAll(); break;
    case kCmdQualityLow: quality_ = movie::Quality::Low; break;
    case kCmdQualityMedium: quality_ = movie::Quality::Medium; break;
    case kCmdQualityHigh: quality_ = movie::Quality::High; break;
    case kCmdPlay:
      if (player_.playing()) player_.stop(); else if (!failed_) player_.play();
      break;
    case kCmdLoop: loop_ = !loop_; player_.setLoop(loop_); break;
    case kCmdRewind: player_.rewind(); break;
    case kCmdForward: player_.forward(); break;
    case kCmdBack: player_.back(); break;
    default: return;
  }
  player_.setQuality(quality_);
  playRequested_ = player_.playing();
  frameDirty_ = true;
  updateClock();
  invalidate();
}

// --- Window -----------------------------------------------------------------------------

const wchar_t* MovieComponent::windowClass() {
  static const wchar_t* name = [] {
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"BrimbloMoviePlayer";
    RegisterClassW(&wc);
    return L"BrimbloMoviePlayer";
  }();
  return name;
}

HWND MovieComponent::createWindow(HWND parent, const RECT& b) {
  return CreateWindowExW(0, windowClass(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, b.left, b.top,
                         b.right - b.left, b.bottom - b.top, parent, nullptr, GetModuleHandleW(nullptr), this);
}

HRESULT STDMETHODCALLTYPE MovieComponent::CreateComponentWindow(HWND parent, HWND* out) {
  HRESULT hr = BuiltinComponent::CreateComponentWindow(parent, out);
  if (SUCCEEDED(hr)) {
    player_.setViewport(clientWidth(), clientHeight());
    frameDirty_ = true;
    updateClock();
  }
  return hr;
}

void MovieComponent::settingsLoaded() {
  const com::PropertyBag& s = settings();
  playOnLoad_ = s.flag(L"Playing", true);
  loop_ = s.flag(L"Loop", true);
  menu_ = s.flag(L"Menu", true);
  quality_ = qualityFromName(s.text(L"Quality", L"High"), movie::Quality::High);
  // "ShowAll" is the engine's only scaling; other modes keep the whole stage visible too.
  player_.setLoop(loop_);
  player_.setQuality(quality_);
  if (!started_) playRequested_ = playOnLoad_;
}

void MovieComponent::windowDestroying() { clock_.stop(); }

int MovieComponent::clientWidth() const {
  RECT r{};
  if (window()) GetClientRect(window(), &r);
  return r.right;
}

int MovieComponent::clientHeight() const {
  RECT r{};
  if (window()) GetClientRect(window(), &r);
  return r.bottom;
}

void MovieComponent::invalidate() {
  if (window()) InvalidateRect(window(), nullptr, FALSE);
}

LRESULT CALLBACK MovieComponent::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<MovieComponent*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->clock_.stop();
    if (self->window() == hwnd) self->windowGone();
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return self->handle(hwnd, msg, wp, lp);
}

LRESULT MovieComponent::handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (forwardTextInput(player_, hwnd, msg, wp, lp)) {
    frameDirty_ = true;
    invalidate();
  }
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel from the DIB section
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT && (player_.pointerHidden() || player_.handCursor())) {
        SetCursor(player_.pointerHidden() ? nullptr : LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      paint(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_SIZE:
      player_.setViewport(LOWORD(lp), HIWORD(lp));
      frameDirty_ = true;
      invalidate();
      return 0;
    case WM_TIMER:
      if (wp == FrameClock::kTimerId) {
        onFrameTimer();
        return 0;
      }
      break;
    case WM_CONTEXTMENU: {
      if (!menu_) return 0;
      POINT screen{short(LOWORD(lp)), short(HIWORD(lp))};
      if (lp == -1) {  // from the keyboard: the middle of the player
        screen = POINT{clientWidth() / 2, clientHeight() / 2};
        ClientToScreen(hwnd, &screen);
      }
      showMenu(screen);
      return 0;
    }
    case WM_COMMAND:
      if (HIWORD(wp) == 0 && lp == 0) {
        command(LOWORD(wp), POINT{clientWidth() / 2, clientHeight() / 2});
        return 0;
      }
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void MovieComponent::onFrameTimer() {
  bool changed = false;
  if (player_.pacedBySound()) {
    // The stream heard sets the frame; the engine skips frames when drawing fell behind.
    changed = player_.tick();
    pacedBySound_ = true;
  } else {
    if (pacedBySound_) clock_.resync();  // the clock takes over from here, not from before
    pacedBySound_ = false;
    for (int n = clock_.dueFrames(); n > 0; --n) changed = player_.tick() || changed;
  }
  if (!player_.playing()) updateClock();  // a movie without Loop stopped at its end
  if (changed) {
    frameDirty_ = true;
    invalidate();
  }
}

void MovieComponent::showMenu(POINT screen) {
  HMENU menu = buildPlayerMenu(menuState());
  HWND hwnd = window();
  UINT id = UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y,
                                0, hwnd, nullptr));
  DestroyMenu(menu);
  if (id && window() == hwnd) {
    POINT client = screen;
    ScreenToClient(hwnd, &client);
    command(id, client);
  }
}

void MovieComponent::renderFrame() {
  player_.render(surface_.view());
  frameDirty_ = false;
  ++framesDrawn_;
}

void MovieComponent::paint(HDC dc) {
  RECT client{0, 0, clientWidth(), clientHeight()};
  if (!surface_.resize(client.right, client.bottom)) return;
  if (started_) {
    if (frameDirty_) renderFrame();
  } else {
    surface_.fill(kBlankColor);
  }
  if (!overlay_.empty()) drawOverlay(surface_.dc(), client);
  surface_.blit(dc, 0, 0);
  // The text was drawn over the frame: the next paint renders the frame again.
  if (!overlay_.empty()) frameDirty_ = true;
}

void MovieComponent::drawOverlay(HDC dc, const RECT& client) {
  HFONT font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"SimSun");
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kTextColor);
  RECT measure = client;
  DrawTextW(dc, overlay_.c_str(), int(overlay_.size()), &measure, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
  RECT box = client;
  int h = measure.bottom - measure.top;
  box.top = std::max<LONG>(0, (client.bottom - h) / 2);
  box.bottom = box.top + h;
  if (started_) {
    // Over a frame: a plain band so that the text reads on any picture.
    RECT band{0, box.top - 6, client.right, box.bottom + 6};
    HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &band, brush);
    DeleteObject(brush);
  }
  DrawTextW(dc, overlay_.c_str(), int(overlay_.size()), &box, DT_CENTER | DT_WORDBREAK);
  SelectObject(dc, old);
  if (font) DeleteObject(font);
}

}  // namespace hosts::flash
