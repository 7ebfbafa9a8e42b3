#include "movie/player.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "movie/format/movie_parser.h"
#include "movie/focus_frame.h"
#include "movie/interaction.h"
#include "movie/loads.h"
#include "movie/paint/filter_cache.h"
#include "movie/paint/stage_renderer.h"
#include "movie/paint/view.h"
#include "movie/script/builtins.h"
#include "movie/script_sounds.h"
#include "movie/scripting.h"
#include "movie/sound/mixer.h"
#include "movie/sound/timeline_sound.h"
#include "movie/text/field_focus.h"
#include "movie/text/font_library.h"
#include "movie/timeline/display_list.h"

namespace movie {

// The tree's frame events go to the scripts and to the sound alike.
struct Player::Impl : timeline::TimelineEvents {
  explicit Impl(sound::Mixer& mixer) : sound(parser->movie(), mixer), scriptSounds(sound, mixer) {}
  ~Impl() override {
    if (scripting) scripting->setDragging(nullptr);  // the input, which owns it, goes first
  }

  void frameEntered(timeline::SpriteInstance& sprite, int frame) override {
    if (scripting) scripting->frameEntered(sprite, frame);
    sound.frameEntered(sprite, frame);
  }
  void clipStarted(timeline::SpriteInstance& clip) override {
    if (scripting) scripting->clipStarted(clip);
  }
  void buttonStateChanged(timeline::SpriteInstance& button, int from, int to) override {
    sound.buttonStateChanged(button, from, to);
  }

  std::unique_ptr<format::MovieParser> parser = std::make_unique<format::MovieParser>();
  sound::TimelineSound sound;
  ScriptSounds scriptSounds;  // what the scripts' Sound objects play through
  timeline::Budget budget;
  std::unique_ptr<Scripting> scripting;  // before root: clips leave the machine's heap first
  std::unique_ptr<Loads> loads;  // before root: it owns the movies loaded into clips
  std::unique_ptr<timeline::SpriteInstance> root;
  std::unique_ptr<Interaction> input;  // after root: it points into the tree
  Scripting::TraceHandler trace;
  Scripting::UrlHandler urls;
  paint::ShapeCache cache;
  paint::FilterCache filterCache;
  text::FontService* fontService = nullptr;
  Fetcher* fetcher = nullptr;
  std::string address;
  std::unique_ptr<text::FontLibrary> fonts;
  text::FieldFocus focus;
  text_objects::ClipFocus clipFocus;  // a button or clip with the keyboard
  bool pointerHeld = false;
  paint::View view;
  render::Surface surface;
  std::string hostError;
  bool playing = true;
  bool loop = true;
  Quality quality = Quality::High;

  bool failed() const { return !hostError.empty() || parser->state() == format::MovieParser::State::Failed; }
  bool complete() const { return parser->state() == format::MovieParser::State::Done; }
  const format::MovieDef& movie() const { return parser->movie(); }
  // A movie loaded into level 0 plays on the stage of the one it replaced.
  std::optional<format::Rect> keptStage;
  const format::Rect& stage() const { return keptStage ? *keptStage : movie().stage; }
  // A viewport point in stage twips.
  double stageX(double x, double y) const {
    Matrix back = view.toDevice().inverted();
    return back.a * x + back.c * y + back.tx;
  }
  double stageY(double x, double y) const {
    Matrix back = view.toDevice().inverted();
    return back.b * x + back.d * y + back.ty;
  }

  // Starts the main timeline once its first frame has arrived.
  void update() {
    if (!parser->headerKnown()) return;
    view.setStage(stage());
    if (!fonts) fonts = std::make_unique<text::FontLibrary>(movie().characters, fontService);
    if (!scripting) {
      scripting = std::make_unique<Scripting>(movie(), budget);
      scripting->setTraceHandler(trace);
      scripting->setUrlHandler(urls);
      scripting->setSounds(&scriptSounds);
      budget.events = this;  // in place of the scripts, which hear through frameEntered()
      input = std::make_unique<Interaction>(*scripting, cache, movie().characters);
      loads = std::make_unique<Loads>(*scripting, budget);
      loads->setFetcher(fetcher);
      loads->setFontService(fontService);
      loads->setAddress(address);
      budget.fontsOf = [this](const format::CharacterTable& table) { return loads->importedFonts(table); };
      scripting->setLoads(loads.get());
      scripting->setDragging(&input->dragging());
      scripting->setShapeTest([this](script::DisplayNode* node, double x, double y) {
        auto* clip = dynamic_cast<timeline::SpriteInstance*>(node);
        return clip && input->shapeContains(*clip, x, y);
      });
      scripting->setExtraRoots([this](std::vector<script::Object*>& out) {
        input->gatherRoots(out);
        loads->gatherRoots(out);
      });
    }
    scripting->textEnvironment() = {fonts.get(), &focus, &clipFocus};
    scripting->setLoading(parser->bytesIn(), movie().fileLength);
    if (!root && !movie().root.frames.empty()) {
      root = std::make_unique<timeline::SpriteInstance>(movie().root, movie().characters, budget, 0);
      root->setPlaying(playing);
      scripting->setRoot(root.get());
      input->setRoot(root.get());
      scripting->beginFrame();
      root->start();
      scripting->runQueued();
      followSound();
    }
    if (root) loads->watchImports(*parser, scripting->machine().clipObject(root.get()));
  }

  void followSound() {
    if (root) sound.rootMoved(*root, root->playing(), loop, complete());
  }
};

Player::Player() : mixer_(std::make_unique<sound::Mixer>()), impl_(std::make_unique<Impl>(*mixer_)) {}
Player::~Player() = default;

void Player::reset() {
  bool playing = impl_->playing, loop = impl_->loop;
  Quality quality = impl_->quality;
  text::FontService* fontService = impl_->fontService;
  Fetcher* fetcher = impl_->fetcher;
  std::string address = impl_->address;
  int width = impl_->view.width(), height = impl_->view.height();
  Scripting::TraceHandler trace = impl_->trace;
  Scripting::UrlHandler urls = impl_->urls;
  bool focusRect = impl_->clipFocus.rectShown;  // the player's setting outlives the movie
  if (impl_->scripting) impl_->scripting->setDragging(nullptr);
  impl_->input.reset();
  impl_->root.reset();  // before the definitions it points into
  mixer_->stopAll();    // the old movie falls silent at once
  impl_ = std::make_unique<Impl>(*mixer_);
  impl_->sound.setEnabled(soundEnabled_);
  impl_->trace = trace;
  impl_->urls = urls;
  impl_->playing = playing;
  impl_->loop = loop;
  impl_->quality = quality;
  impl_->fontService = fontService;
  impl_->fetcher = fetcher;
  impl_->address = address;
  impl_->clipFocus.rectShown = focusRect;
  impl_->view.setViewport(width, height);  // a new movie starts shown whole
}

void Player::setFontService(text::FontService* service) {
  impl_->fontService = service;
  impl_->fonts.reset();  // faces made with the old service go
  if (impl_->loads) impl_->loads->setFontService(service);
  impl_->update();
}

void Player::append(const uint8_t* data, size_t size) {
  if (impl_->failed() || !data) return;
  impl_->parser->append(data, size);
  impl_->update();
}

void Player::finish() {
  if (!impl_->hostError.empty()) return;
  impl_->parser->finish();
  impl_->update();
}

void Player::fail(const std::string& message) {
  impl_->hostError = message.empty() ? std::string("The movie could not be loaded.") : message;
}

LoadState Player::state() const {
  if (impl_->failed()) return LoadState::Failed;
  if (impl_->complete() && impl_->root) return LoadState::Complete;
  if (impl_->root) return LoadState::Ready;
  if (impl_->parser->bytesIn() == 0) return LoadState::Empty;
  return LoadState::Loading;
}

const std::string& Player::error() const {
  static const std::string none;
  if (!impl_->hostError.empty()) return impl_->hostError;
  if (impl_->parser->state() == format::MovieParser::State::Failed) return impl_->parser->error();
  return none;
}

size_t Player::bytesLoaded() const { return impl_->parser->bytesIn(); }

size_t Player::bytesTotal() const {
  if (impl_->parser->bytesIn() < 8) return 0;
  return impl_->parser->movie().fileLength;
}

int Player::stageWidth() const {
  const auto& s = impl_->stage();
  return std::max(0, (s.xMax - s.xMin) / 20);
}

int Player::stageHeight() const {
  const auto& s = impl_->stage();
  return std::max(0, (s.yMax - s.yMin) / 20);
}

double Player::frameRate() const {
  double rate = impl_->movie().frameRate;
  return rate > 0 ? std::min(rate, 120.0) : 12.0;
}

int Player::frameCount() const {
  int loaded = int(impl_->movie().root.frames.size());
  if (impl_->complete()) return std::max(loaded, 1);
  return std::max(impl_->movie().frameCount, loaded);
}

uint32_t Player::backgroundColor() const {
  render::Color c = impl_->movie().background;
  return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b;
}

void Player::play() {
  impl_->playing = true;
  if (impl_->root) impl_->root->setPlaying(true);
  impl_->followSound();
}

void Player::stop() {
  impl_->playing = false;
  if (impl_->root) impl_->root->setPlaying(false);
  impl_->followSound();
}

bool Player::playing() const { return impl_->root ? impl_->root->playing() : impl_->playing; }

void Player::setTraceHandler(std::function<void(const std::string&)> handler) {
  impl_->trace = handler;
  if (impl_->scripting) impl_->scripting->setTraceHandler(std::move(handler));
}

void Player::setUrlHandler(std::function<void(const std::string&, const std::string&)> handler) {
  impl_->urls = handler;
  if (impl_->scripting) impl_->scripting->setUrlHandler(std::move(handler));
}

void Player::setLoop(bool loop) { impl_->loop = loop; }
bool Player::loop() const { return impl_->loop; }

void Player::rewind() { gotoFrame(0); }

void Player::forward() { gotoFrame(currentFrame() + 1); }

void Player::back() { gotoFrame(std::max(0, currentFrame() - 1)); }

void Player::gotoFrame(int frame) {
  Impl& p = *impl_;
  p.playing = false;
  if (!p.root) return;
  p.root->setPlaying(false);
  p.scripting->beginFrame();
  p.root->gotoFrame(frame);
  p.scripting->runQueued();
  p.followSound();
}

int Player::currentFrame() const { return impl_->root ? std::max(0, impl_->root->currentFrame()) : 0; }

void Player::setFetcher(Fetcher* fetcher) {
  impl_->fetcher = fetcher;
  if (impl_->loads) impl_->loads->setFetcher(fetcher);
}

void Player::setMovieAddress(const std::string& address) {
  impl_->address = address;
  if (impl_->loads) impl_->loads->setAddress(address);
}

bool Player::fetchDone(int id, bool ok, const uint8_t* data, size_t size) {
  if (!impl_->loads) return false;
  std::vector<uint8_t> bytes;
  if (ok && data) bytes.assign(data, data + size);
  bool changed = impl_->loads->arrived(id, ok, bytes);
  return takeMovieChanges() || changed;
}

bool Player::takeMovieChanges() {
  if (!impl_->loads) return false;
  std::vector<uint8_t> bytes;
  std::string address;
  if (impl_->loads->takeReplacement(bytes, address)) {
    std::optional<format::Rect> stage = impl_->stage();
    reset();  // a movie loaded into level 0 takes this one's place
    impl_->keptStage = stage;
    setMovieAddress(address);
    append(bytes.data(), bytes.size());
    finish();
    return true;
  }
  if (impl_->loads->takeUnloadAll()) {
    reset();
    return true;
  }
  return impl_->loads->takeLevelChanges();
}

bool Player::tick() {
  if (takeMovieChanges()) return true;
  Impl& p = *impl_;
  if (!p.root || p.failed()) return false;
  if (auto due = p.sound.framesDue()) {  // a stream leads: show the frame being heard
    bool changed = false;
    for (int i = 0; i < *due && p.root->playing(); ++i) changed = advanceOnce() || changed;
    return changed;
  }
  return advanceOnce();
}

bool Player::advanceOnce() {
  Impl& p = *impl_;
  int loaded = p.root->frameCount();
  int next = p.root->currentFrame() + 1;
  bool rootPlaying = p.root->playing();
  bool atEnd = rootPlaying && next >= loaded;
  bool waiting = atEnd && !p.complete();  // the next frame has not arrived yet
  if (atEnd && p.complete() && !p.loop) p.root->setPlaying(false);
  // Going round again: what the last pass started stops, its stream runs on.
  if (atEnd && p.complete() && p.loop && loaded > 1) mixer_->stopEvents();
  if (waiting) p.root->setPlaying(false);
  p.scripting->beginFrame();
  bool moved = p.root->advance(p.loop, true);
  if (waiting) p.root->setPlaying(true);
  std::vector<timeline::SpriteInstance*> levels = p.scripting->levels();
  for (size_t i = 1; i < levels.size(); ++i) moved = levels[i]->advance(true, true) || moved;  // loaded whole
  p.scripting->clipEvent(format::kClipEnterFrame, "onEnterFrame");
  bool ran = p.scripting->runQueued();
  ran = p.scripting->frameDone(frameRate()) || ran;
  ran = p.input->refresh() || ran;
  ran = script::runSoundCompletions(p.scripting->machine()) || ran;
  ran = p.loads->takeLevelChanges() || ran;  // levels unloaded in this frame go at its end
  ran = p.loads->deliverMovies() || ran;     // movies that arrived show from the next frame
  p.playing = p.root->playing();
  p.followSound();
  return moved || ran;
}

void Player::setQuality(Quality quality) { impl_->quality = quality; }
Quality Player::quality() const { return impl_->quality; }

void Player::setViewport(int width, int height) {
  impl_->view.setViewport(std::clamp(width, 0, 16384), std::clamp(height, 0, 16384));
}

void Player::zoom(double factor, double x, double y) { impl_->view.zoom(factor, x, y); }

void Player::showAll() { impl_->view.showAll(); }

void Player::render(PixelView target) {
  Impl& p = *impl_;
  if (!target.pixels || target.width <= 0 || target.height <= 0) return;
  if (p.view.width() != target.width || p.view.height() != target.height)
    p.view.setViewport(target.width, target.height);
  if (p.surface.width() != target.width || p.surface.height() != target.height)
    p.surface.resize(target.width, target.height);
  if (p.surface.width() != target.width || p.surface.height() != target.height) return;  // too large to draw
  render::Color bg = p.movie().background;
  bg.a = 255;
  p.surface.clear(p.root ? bg : render::Color{255, 255, 255, 255});
  if (p.root) {
    paint::RenderOptions options;
    options.antiAlias = p.quality == Quality::Low      ? render::AntiAlias::None
                        : p.quality == Quality::Medium ? render::AntiAlias::Medium
                                                       : render::AntiAlias::Full;
    options.fonts = p.fonts.get();
    options.filterCache = &p.filterCache;
    render::Matrix toDevice = p.view.toDevice();
    options.viewPixelsPerTwip = float(std::sqrt(std::fabs(double(toDevice.a) * toDevice.d - double(toDevice.b) * toDevice.c)));
    std::vector<timeline::SpriteInstance*> levels = p.scripting->levels();
    paint::renderLevels(p.surface, {levels.begin(), levels.end()}, toDevice, options, p.cache);
    script::Bounds focusBox;
    if (p.input->focusFrameBox(focusBox)) drawFocusFrame(p.surface, focusBox, toDevice);
    // Outside the stage shows only the background colour.
    float l, t, r, b;
    p.view.stageBox(l, t, r, b);
    uint32_t bgPixel = 0xFF000000u | backgroundColor();
    int il = std::clamp(int(std::floor(l)), 0, target.width), ir = std::clamp(int(std::ceil(r)), 0, target.width);
    int it = std::clamp(int(std::floor(t)), 0, target.height), ib = std::clamp(int(std::ceil(b)), 0, target.height);
    for (int y = 0; y < target.height; ++y) {
      uint32_t* row = p.surface.row(y);
      if (y < it || y >= ib) {
        std::fill(row, row + target.width, bgPixel);
      } else {
        std::fill(row, row + il, bgPixel);
        std::fill(row + ir, row + target.width, bgPixel);
      }
    }
  }
  for (int y = 0; y < target.height; ++y) {
    const uint32_t* src = p.surface.row(y);
    std::copy(src, src + target.width, target.pixels + size_t(y) * size_t(target.stride));
  }
}

void Player::setMp3Decoder(sound::Mp3DecoderFactory factory) { mixer_->setMp3Decoder(std::move(factory)); }

void Player::setSoundEnabled(bool enabled) {
  soundEnabled_ = enabled;
  impl_->sound.setEnabled(enabled);
  if (!enabled) mixer_->stopAll();
  impl_->followSound();
}

bool Player::soundEnabled() const { return soundEnabled_; }

bool Player::pacedBySound() const { return impl_->sound.streamPlaying(); }

void Player::stopAllSounds() { mixer_->stopAll(); }

void Player::mixAudio(int16_t* out, size_t frames) { mixer_->mix(out, frames); }

void Player::audioPlayed(uint64_t frames) { mixer_->setPlayedClock(frames); }

sound::Mixer& Player::mixer() { return *mixer_; }

bool Player::pointerDown(double x, double y) {
  Impl& p = *impl_;
  if (!p.root || !p.fonts) return false;
  p.pointerHeld = true;
  bool hadFocus = p.focus.focused() != nullptr;
  script::Object* focusedBefore = p.scripting->focusedFieldObject();
  std::vector<timeline::SpriteInstance*> levels = p.scripting->levels();
  bool fieldTook = p.focus.pointerDown({levels.begin(), levels.end()}, p.view.toDevice(), float(x), float(y), *p.fonts);
  if (fieldTook) p.clipFocus.object = nullptr;
  bool text = fieldTook || hadFocus;
  p.scripting->focusMoved(focusedBefore);
  bool moved = p.input->pointerMove(p.stageX(x, y), p.stageY(x, y));
  return p.input->pointerDown() || moved || text;
}

bool Player::pointerMove(double x, double y) {
  Impl& p = *impl_;
  if (!p.root) return false;
  bool moved = p.input->pointerMove(p.stageX(x, y), p.stageY(x, y));
  if (!p.pointerHeld || !p.fonts || !p.focus.focused()) return moved;
  p.focus.pointerDrag(float(x), float(y), *p.fonts);
  return true;
}

bool Player::pointerUp() {
  impl_->pointerHeld = false;
  impl_->focus.pointerUp();
  return impl_->input && impl_->input->pointerUp();
}

bool Player::keyDown(int virtualKey, char32_t character) {
  return impl_->input && impl_->root && impl_->input->keyDown(virtualKey, character);
}

bool Player::keyUp(int virtualKey) { return impl_->input && impl_->root && impl_->input->keyUp(virtualKey); }

bool Player::wheel(double notches) {
  if (!impl_->input || !impl_->root || !std::isfinite(notches)) return false;
  return impl_->input->wheel(int(std::lround(std::clamp(notches, -1000.0, 1000.0) * 3)));
}

bool Player::pointerHidden() const { return impl_->scripting && impl_->root && impl_->scripting->pointerHidden(); }

bool Player::handCursor() const { return impl_->input && impl_->root && impl_->input->overClickable(); }

bool Player::typeChar(char32_t c) {
  if (c == U'\t') return false;  // Tab moves the focus (keyDown); it types nothing
  bool typed = impl_->focus.typeChar(c);
  if (typed && impl_->scripting) impl_->scripting->focusedFieldEdited();
  return typed;
}

bool Player::editKey(text::EditKey key) {
  Impl& p = *impl_;
  std::shared_ptr<text::TextField> field = p.focus.focused();
  if (!p.fonts || !field) return false;
  std::u32string before = field->text();
  bool handled = p.focus.editKey(key, *p.fonts);
  if (handled && p.scripting && field->text() != before) p.scripting->focusedFieldEdited();
  return handled;
}

}  // namespace movie
