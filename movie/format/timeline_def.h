#pragma once
// What a timeline (the movie's or a sprite's) holds per frame: display list changes,
// a label, and the actions and sounds that later layers will run.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "movie/format/sound_records.h"
#include "movie/value/color_transform.h"
#include "movie/value/filter.h"
#include "movie/value/matrix.h"

namespace movie::format {

// Events a clip placed with actions can handle (onClipEvent), as the file stores them.
enum ClipEvent : uint32_t {
  kClipLoad = 0x01,
  kClipEnterFrame = 0x02,
  kClipUnload = 0x04,
  kClipMouseMove = 0x08,
  kClipMouseDown = 0x10,
  kClipMouseUp = 0x20,
  kClipKeyDown = 0x40,
  kClipKeyUp = 0x80,
  kClipData = 0x100,
  kClipInitialize = 0x200,
  kClipPress = 0x400,
  kClipRelease = 0x800,
  kClipReleaseOutside = 0x1000,
  kClipRollOver = 0x2000,
  kClipRollOut = 0x4000,
  kClipDragOver = 0x8000,
  kClipDragOut = 0x10000,
  kClipKeyPress = 0x20000,
  kClipConstruct = 0x40000,
};

struct ClipAction {
  uint32_t events = 0;
  uint8_t keyCode = 0;  // for kClipKeyPress
  std::vector<uint8_t> actions;
};

struct PlaceTag {
  int version = 2;  // 1, 2 or 3
  uint16_t depth = 0;
  bool move = false;
  std::optional<uint16_t> characterId;
  std::optional<Matrix> matrix;
  std::optional<ColorTransform> colorTransform;
  std::optional<uint16_t> ratio;
  std::optional<std::string> name;
  std::optional<uint16_t> clipDepth;
  std::vector<Filter> filters;
  std::optional<uint8_t> blendMode;
  std::optional<bool> cacheAsBitmap;
  std::optional<bool> visible;
  std::optional<std::string> className;
  std::shared_ptr<const std::vector<ClipAction>> clipActions;
};

struct RemoveTag {
  uint16_t depth = 0;
  std::optional<uint16_t> characterId;  // RemoveObject (version 1) names it
};

using ControlTag = std::variant<PlaceTag, RemoveTag>;

struct SoundRef {
  uint16_t soundId = 0;       // 0: a StartSound2, whose info begins with a class name
  std::vector<uint8_t> info;  // the sound-info record, for the sound layer
};

struct Frame {
  std::vector<ControlTag> tags;
  std::string label;
  std::vector<std::vector<uint8_t>> actions;  // DoAction bodies, in order
  std::vector<SoundRef> sounds;
  std::optional<std::vector<uint8_t>> streamBlock;  // this frame's part of the stream
};

struct Timeline {
  std::vector<Frame> frames;  // complete frames only
  int declaredFrames = 0;     // what the header or sprite tag says
  std::optional<StreamHead> streamHead;  // the format of the frames' stream blocks
  // Frame index of a label, or -1.
  int findLabel(const std::string& label) const;
};

struct SpriteDef {
  uint16_t id = 0;
  Timeline timeline;
};

}  // namespace movie::format
