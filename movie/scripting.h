#pragma once
// Ties the script machine to the running timelines: frames entered queue their actions,
// which run once the whole tree has moved; the machine's questions about levels,
// loading and time are answered from the player.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "movie/format/movie_def.h"
#include "movie/script/machine.h"
#include "movie/timeline/display_list.h"

namespace movie {

class Scripting : public timeline::TimelineEvents, public script::MachineHost {
 public:
  using TraceHandler = std::function<void(const std::string&)>;
  using UrlHandler = std::function<void(const std::string& url, const std::string& target)>;

  Scripting(const format::MovieDef& movie, timeline::Budget& budget);
  ~Scripting() override;

  void setRoot(timeline::SpriteInstance* root) { root_ = root; }
  void setLoading(size_t loaded, size_t total) { bytesLoaded_ = loaded, bytesTotal_ = total; }
  void setTraceHandler(TraceHandler h) { trace_ = std::move(h); }
  void setUrlHandler(UrlHandler h) { url_ = std::move(h); }

  // A new frame's budget; then the queued actions (and init actions that arrived).
  // Both return whether any script ran (the picture may have changed).
  void beginFrame();
  bool runQueued();
  // Advances script time by one frame and runs due timers.
  bool frameDone(double frameRate);
  script::Machine& machine() { return *machine_; }

  // TimelineEvents
  void frameEntered(timeline::SpriteInstance& sprite, int frame) override;
  // MachineHost
  void trace(const std::string& line) override;
  void getUrl(const std::string& url, const std::string& target, int method) override;
  double milliseconds() override { return milliseconds_; }
  script::DisplayNode* level(int n) override { return n == 0 ? root_ : nullptr; }
  double bytesLoaded(script::DisplayNode*) override { return double(bytesLoaded_); }
  double bytesTotal(script::DisplayNode*) override { return double(bytesTotal_); }
  script::SoundService* sounds() override { return sounds_; }
  void setSounds(script::SoundService* sounds) { sounds_ = sounds; }

 private:
  struct Pending {
    script::Object* clip;
    int frame;
  };
  void runInitActions();
  void collectIfGrown();

  const format::MovieDef& movie_;
  std::unique_ptr<script::Machine> machine_;
  timeline::SpriteInstance* root_ = nullptr;
  std::vector<Pending> queue_;
  size_t initActionsRun_ = 0;
  size_t bytesLoaded_ = 0, bytesTotal_ = 0;
  double milliseconds_ = 0;
  TraceHandler trace_;
  UrlHandler url_;
  script::SoundService* sounds_ = nullptr;
};

}  // namespace movie
