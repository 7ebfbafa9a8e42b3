#include "movie/script/timeline_ops.h"

#include <algorithm>
#include <cmath>

#include "movie/script/clip_object.h"
#include "movie/script/interpreter.h"
#include "movie/script/loading_ops.h"
#include "movie/script/sound_service.h"

namespace movie::script {
namespace {

DisplayNode* targetNode(Machine& m, Activation& act) { return m.nodeOf(act.target); }

DisplayNode* nodeAt(Machine& m, Activation& act, const Value& target) {
  if (DisplayNode* n = m.nodeOf(target)) return n;
  std::string path = m.toString(target);
  Object* from = act.target ? act.target : act.baseClip;
  return m.nodeOf(m.resolveTarget(from, path));
}

// A frame given as "path:frame" names a frame of another clip; frame is left holding
// the frame part.
DisplayNode* frameOwner(Machine& m, Activation& act, Value& frame) {
  DisplayNode* node = targetNode(m, act);
  if (!frame.isString()) return node;
  std::string s = frame.string();
  size_t colon = s.rfind(':');
  if (colon == std::string::npos) return node;
  frame = s.substr(colon + 1);
  return m.nodeOf(m.resolveTarget(act.target ? act.target : act.baseClip, s.substr(0, colon)));
}

void gotoValue(Machine& m, Activation& act, const Value& frame, bool play, int bias) {
  Value f = frame;
  DisplayNode* node = frameOwner(m, act, f);
  if (!node) return;
  int index = frameIndexOf(m, node, f);
  if (index < 0) return;
  long long target = (long long)index + bias;
  node->setPlaying(play);
  node->gotoFrame(int(std::min<long long>(target, 2147483647LL)));
}

void setTarget(Machine& m, Activation& act, const std::string& path) {
  Object* base = act.baseClip;
  Object* target = path.empty() ? base : m.resolveTarget(base, path);
  act.target = target;
  if (!act.scopes.empty() && !act.locals) act.scopes.front() = target ? target : base;
}

void cloneSprite(Machine& m, Activation& act) {
  double depth = m.toNumber(act.stack.empty() ? Value() : act.stack.back());
  if (!act.stack.empty()) act.stack.pop_back();
  std::string name = m.toString(act.stack.empty() ? Value() : act.stack.back());
  if (!act.stack.empty()) act.stack.pop_back();
  Value source = act.stack.empty() ? Value() : act.stack.back();
  if (!act.stack.empty()) act.stack.pop_back();
  if (DisplayNode* node = nodeAt(m, act, source))
    if (std::isfinite(depth)) node->duplicate(name, toClampedInt(depth));
}

Value popValue(Activation& act) {
  if (act.stack.empty()) return Value();
  Value v = std::move(act.stack.back());
  act.stack.pop_back();
  return v;
}

// StartDrag: target, lock centre, constrain, then (when constrained) bottom, right,
// top, left, each popped and converted in that order.
void startDrag(Machine& m, Activation& act) {
  DisplayNode* node = nodeAt(m, act, popValue(act));
  bool lockCenter = m.toBoolean(popValue(act));
  bool constrained = m.toBoolean(popValue(act));
  Bounds limits;
  if (constrained) {
    Value bottom = popValue(act), right = popValue(act), top = popValue(act), left = popValue(act);
    limits = dragLimits(m, left, top, right, bottom);
  }
  if (node) m.host().startDrag(node, lockCenter, constrained ? &limits : nullptr);
}

}  // namespace

// Frame numbers far outside any timeline are held to a range ints can hold.
static int frameNumber(double n) { return toClampedInt(std::max(-1e9, std::min(1e9, std::floor(n)))); }

// Frame numbers wrap as 32-bit integers; frame 0 names no frame, and the numbers that
// wrap below it the first.
static int frameFromNumber(double n) {
  if (!std::isfinite(n)) return -1;
  int32_t index = int32_t(uint32_t(toInt32(n)) - 1u);
  if (index == -1) return -1;
  return index < 0 ? 0 : index;
}

int frameIndexOf(Machine& m, DisplayNode* node, const Value& frame) {
  if (!node) return -1;
  if (frame.isString()) {
    double n = stringToNumber(frame.string(), 6);
    if (std::isnan(n)) return node->frameOfLabel(frame.string());
    return frameFromNumber(n);
  }
  return frameFromNumber(m.toNumber(frame));
}

namespace {

// Stops the clip and moves it to a frame.
void stopAtFrame(DisplayNode* node, int frame) {
  if (!node) return;
  node->setPlaying(false);
  node->gotoFrame(frame);
}

// Frame-moving and playing actions of the current target.
void playbackAction(Machine& m, Activation& act, const ActionRecord& r, DisplayNode* node) {
  PayloadReader p(r.payload, r.length);
  switch (r.code) {
    case 0x04: if (node) stopAtFrame(node, node->currentFrame() + 1); break;  // NextFrame
    case 0x05:  // PrevFrame
      if (node) {
        node->setPlaying(false);
        if (node->currentFrame() > 0) node->gotoFrame(node->currentFrame() - 1);
      }
      break;
    case 0x06: if (node) node->setPlaying(true); break;
    case 0x07: if (node) node->setPlaying(false); break;
    case 0x81: stopAtFrame(node, p.u16()); break;  // GotoFrame (0-based), stopping there
    case 0x8C: {  // GoToLabel
      std::string label = p.string();
      int frame = node ? node->frameOfLabel(label) : -1;
      if (frame >= 0) stopAtFrame(node, frame);
      break;
    }
    case 0x9F: {  // GotoFrame2
      uint8_t flags = p.u8();
      int bias = (flags & 2) ? p.u16() : 0;
      gotoValue(m, act, popValue(act), flags & 1, bias);
      break;
    }
  }
}

// The clip a property action names: an empty string is the current target, a clip
// itself wins over the path it converts to.
Object* propertyClip(Machine& m, Activation& act, const Value& target) {
  Object* clip = target.isString() && target.string().empty()
                     ? act.target
                     : m.resolveTarget(act.target ? act.target : act.baseClip, m.toString(target));
  return target.object() ? target.object() : clip;
}

const char* propertyNameOf(double index) {
  return std::isfinite(index) ? clipPropertyName(toClampedInt(index)) : nullptr;
}

// GetProperty: target, index. SetProperty: target, index, value.
void propertyAction(Machine& m, Activation& act, uint8_t code) {
  Value v = code == 0x23 ? popValue(act) : Value();
  const char* name = propertyNameOf(m.toNumber(popValue(act)));
  Value target = popValue(act);
  Object* clip = propertyClip(m, act, target);
  if (code == 0x22) act.stack.push_back(name && clip ? m.getMember(clip, name) : Value());
  else if (name && clip) m.setMember(clip, name, v);
}

// Actions on clips as display objects: targets, copies, dragging.
void clipAction(Machine& m, Activation& act, const ActionRecord& r) {
  switch (r.code) {
    case 0x8B: {  // SetTarget
      PayloadReader p(r.payload, r.length);
      setTarget(m, act, p.string());
      break;
    }
    case 0x20: {  // SetTarget2
      Value v = popValue(act);
      setTarget(m, act, v.object() ? m.targetPath(m.nodeOf(v)) : m.toString(v));
      break;
    }
    case 0x24: cloneSprite(m, act); break;
    case 0x25:  // RemoveSprite
      if (DisplayNode* n = nodeAt(m, act, popValue(act))) n->removeSelf();
      break;
    case 0x27: startDrag(m, act); break;
    case 0x28: m.host().stopDrag(); break;  // EndDrag
    case 0x45: {  // TargetPath
      DisplayNode* n = m.nodeOf(popValue(act));
      act.stack.push_back(n ? Value(m.targetPath(n)) : Value());
      break;
    }
  }
}

}  // namespace

void timelineAction(Machine& m, Activation& act, const ActionRecord& r) {
  switch (r.code) {
    case 0x04: case 0x05: case 0x06: case 0x07: case 0x81: case 0x8C: case 0x9F:
      playbackAction(m, act, r, targetNode(m, act));
      break;
    case 0x08: break;  // the quality toggle is the host's
    case 0x09:  // StopSounds
      if (SoundService* sounds = m.host().sounds()) sounds->stopAll();
      break;
    case 0x22: case 0x23: propertyAction(m, act, r.code); break;
    default: clipAction(m, act, r); break;
  }
}

void getUrl2(Machine& m, Activation& act, const std::string& url, const std::string& target, uint8_t flags) {
  // As authoring tools write the flags: the method in the low bits, the load flags on top.
  int method = flags & 3;
  bool loadTarget = flags & 0x40, loadVariables = flags & 0x80;
  // A level or a clip as the target loads into the movie; a window name goes to the host.
  if (loadTarget || loadVariables || levelOf(target) >= 0) {
    loadInto(m, &act, url, target, loadVariables, method);
    return;
  }
  // A browser window opened by address alone gets the variables in it, whichever the method.
  std::string address = url;
  Object* from = act.target ? act.target : act.baseClip;
  if ((method == 1 || method == 2) && url.rfind("fscommand:", 0) != 0) {
    std::string variables = encodeVariables(m, from);
    if (!variables.empty()) address += (address.find('?') == std::string::npos ? "?" : "&") + variables;
  }
  m.host().getUrl(address, target, method);
}

bool frameLoaded(Machine& m, Activation& act, const Value& frame, bool zeroBased) {
  DisplayNode* node = targetNode(m, act);
  if (!node) return true;
  double n = m.toNumber(frame);
  int index = zeroBased ? (std::isfinite(n) ? frameNumber(n) : -1) : frameIndexOf(m, node, frame);
  if (index < 0) return true;
  if (index >= node->totalFrames()) return true;
  return index < node->loadedFrames();
}

void callFrame(Machine& m, Activation& act, const Value& frame) {
  Value f = frame.isString() ? frame : Value(m.toString(frame));
  DisplayNode* node = frameOwner(m, act, f);
  if (!node) return;
  int index = frameIndexOf(m, node, f);
  if (index < 0 || index >= node->loadedFrames()) return;
  Object* clip = m.clipObject(node);
  for (const CodeRange& code : node->frameScripts(index)) m.run(code, clip);
}

Bounds dragLimits(Machine& m, const Value& left, const Value& top, const Value& right, const Value& bottom) {
  auto twips = [&m](const Value& v) {
    double d = m.toNumber(v) * 20;
    return std::isfinite(d) ? std::clamp(d, -1e9, 1e9) : 0.0;
  };
  double l = twips(left), t = twips(top), r = twips(right), b = twips(bottom);
  Bounds out;
  out.xMin = std::min(l, r), out.xMax = std::max(l, r);
  out.yMin = std::min(t, b), out.yMax = std::max(t, b);
  out.empty = false;
  return out;
}

}  // namespace movie::script
