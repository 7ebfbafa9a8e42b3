// Sound: a script's handle on the sounds of one clip (or of the whole movie): exported
// sounds attached by name and started, stopped, their volume, pan and channel mix set,
// and onSoundComplete called when a start has played out.
#include <algorithm>
#include <cmath>

#include "movie/script/activation.h"
#include "movie/script/builtins.h"
#include "movie/script/errors.h"
#include "movie/script/machine.h"
#include "movie/script/sound_service.h"

namespace movie::script {
namespace {

// A global property no identifier can name: the Sound objects whose start is still
// playing, kept alive so that their onSoundComplete can be called.
const char* const kPlayingName = "(sounds playing)";

class SoundObject : public Object {
 public:
  using Object::Object;

  Object* clip = nullptr;  // the clip whose sounds this object handles
  bool hasTarget = false;  // made for a clip (which may have gone since)
  int sound = 0;           // attached by attachSound
  int play = 0;            // the latest start

  bool getSpecial(Machine& m, const std::string& name, Value& out) override {
    SoundService* s = m.host().sounds();
    if (name == "duration") {
      out = s && sound ? Value(std::floor(s->durationMs(sound))) : Value();
      return true;
    }
    if (name == "position") {
      out = s && sound ? Value(std::floor(s->positionMs(play))) : Value();
      return true;
    }
    return Object::getSpecial(m, name, out);
  }
  bool setSpecial(Machine& m, const std::string& name, const Value& v) override {
    if (name == "duration" || name == "position") return true;  // read only
    return Object::setSpecial(m, name, v);
  }
  void traceRefs(std::vector<Object*>& out) const override {
    Object::traceRefs(out);
    if (clip) out.push_back(clip);
  }
};

// The Sound objects with a start still playing.
class PlayingSounds : public Object {
 public:
  using Object::Object;
  std::vector<SoundObject*> sounds;
  void traceRefs(std::vector<Object*>& out) const override {
    Object::traceRefs(out);
    out.insert(out.end(), sounds.begin(), sounds.end());
  }
};

PlayingSounds* playingSounds(Machine& m) {
  const Property* p = m.global()->findOwn(kPlayingName);
  return p ? dynamic_cast<PlayingSounds*>(p->value.object()) : nullptr;
}

SoundObject* selfSound(const CallArgs& a) { return dynamic_cast<SoundObject*>(a.self.object()); }

// The service and the clip a call acts on; false when there is nothing to act on (no
// sound output, or the object's clip has gone).
bool target(Machine& m, const CallArgs& a, SoundService*& service, SoundObject*& self, DisplayNode*& clip) {
  service = m.host().sounds();
  self = selfSound(a);
  if (!service || !self) return false;
  clip = self->clip ? m.nodeOf(self->clip) : nullptr;
  return !(self->hasTarget && !clip);
}

double percent(Machine& m, const Value& v, double fallback) {
  double d = m.toNumber(v);
  return std::isfinite(d) ? std::clamp(d, -1e6, 1e6) : fallback;
}

void playbackMethods(Machine& m, Object* proto) {
  m.method(proto, "attachSound", [](Machine& m, CallArgs& a) -> Value {
    SoundService* s; SoundObject* self; DisplayNode* clip;
    if (target(m, a, s, self, clip)) self->sound = s->soundNamed(m.toString(a.arg(0)), clip);
    return Value();
  });
  m.method(proto, "start", [](Machine& m, CallArgs& a) -> Value {
    SoundService* s; SoundObject* self; DisplayNode* clip;
    if (!target(m, a, s, self, clip) || !self->sound) return Value();
    double offset = a.size() > 0 ? m.toNumber(a.arg(0)) : 0;
    double loops = a.size() > 1 ? m.toNumber(a.arg(1)) : 1;
    if (!std::isfinite(offset) || offset < 0) offset = 0;
    if (!std::isfinite(loops) || loops < 1) loops = 1;
    self->play = s->start(self->sound, clip, offset, int(std::min(loops, 65535.0)));
    PlayingSounds* playing = playingSounds(m);
    if (self->play && playing && std::find(playing->sounds.begin(), playing->sounds.end(), self) == playing->sounds.end())
      playing->sounds.push_back(self);
    return Value();
  });
  m.method(proto, "stop", [](Machine& m, CallArgs& a) -> Value {
    SoundService* s; SoundObject* self; DisplayNode* clip;
    if (!target(m, a, s, self, clip)) return Value();
    int only = a.size() > 0 ? s->soundNamed(m.toString(a.arg(0)), clip) : 0;
    if (a.size() > 0 && !only) return Value();  // no such sound: nothing stops
    s->stop(clip, only);
    return Value();
  });
}

void mixMethods(Machine& m, Object* proto) {
  m.method(proto, "getVolume", [](Machine& m, CallArgs& a) -> Value {
    SoundService* s; SoundObject* self; DisplayNode* clip;
    return target(m, a, s, self, clip) ? Value(s->mix(clip).volume) : Value();
  });
  m.method(proto, "setVolume", [](Machine& m, CallArgs& a) -> Value {
    SoundService* s; SoundObject* self; DisplayNode* clip;
    if (!target(m, a, s, self, clip)) return Value();
    SoundMix mix = s->mix(clip);
    mix.volume = percent(m, a.arg(0), mix.volume);
    s->setMix(clip, mix);
    return Value();
  });
  m.method(proto, "getPan", [](Machine& m, CallArgs& a) -> Value {
    SoundService* s; SoundObject* self; DisplayNode* clip;
    return target(m, a, s, self, clip) ? Value(s->pan(clip)) : Value();
  });
  m.method(proto, "setPan", [](Machine& m, CallArgs& a) -> Value {
    SoundService* s; SoundObject* self; DisplayNode* clip;
    if (!target(m, a, s, self, clip)) return Value();
    s->setPan(clip, percent(m, a.arg(0), 0));
    return Value();
  });
  m.method(proto, "getTransform", [](Machine& m, CallArgs& a) -> Value {
    SoundService* s; SoundObject* self; DisplayNode* clip;
    if (!target(m, a, s, self, clip)) return Value();
    SoundMix mix = s->mix(clip);
    Object* o = m.newObject();
    o->put("ll", mix.ll);
    o->put("lr", mix.lr);
    o->put("rr", mix.rr);
    o->put("rl", mix.rl);
    return o;
  });
  m.method(proto, "setTransform", [](Machine& m, CallArgs& a) -> Value {
    SoundService* s; SoundObject* self; DisplayNode* clip;
    Object* from = a.arg(0).object();
    if (!target(m, a, s, self, clip) || !from) return Value();
    SoundMix mix = s->mix(clip);
    double* parts[] = {&mix.ll, &mix.lr, &mix.rr, &mix.rl};
    const char* names[] = {"ll", "lr", "rr", "rl"};
    for (int i = 0; i < 4; ++i)
      if (m.hasMember(from, names[i])) *parts[i] = percent(m, m.getMember(from, names[i]), *parts[i]);
    s->setMix(clip, mix);
    return Value();
  });
}

}  // namespace

void installSoundBuiltins(Machine& m) {
  Function* sound = m.makeClass("Sound", [](Machine& m, CallArgs& a) -> Value {
    SoundObject* self = selfSound(a);
    if (!a.constructing || !self) return Value();
    if (a.size() > 0 && !a.arg(0).isNullish()) {
      self->hasTarget = true;
      Object* from = m.current() ? m.current()->target : nullptr;
      self->clip = m.nodeOf(a.arg(0)) ? a.arg(0).object() : m.resolveTarget(from, m.toString(a.arg(0)));
    }
    return a.self;
  });
  sound->allocator = [](Machine& m, Object* proto) -> Object* { return m.heap().make<SoundObject>(proto); };
  Object* proto = m.getMember(sound, "prototype").object();
  playbackMethods(m, proto);
  mixMethods(m, proto);
  m.global()->put(kPlayingName, m.heap().make<PlayingSounds>(nullptr), kDontEnum | kDontDelete | kReadOnly);
}

bool runSoundCompletions(Machine& m) {
  SoundService* s = m.host().sounds();
  PlayingSounds* playing = playingSounds(m);
  if (!s || !playing) return false;
  // Starts already over (played out or stopped) before the finished ones are taken: any
  // of them that played out is among those.
  std::vector<SoundObject*> over;
  for (SoundObject* o : playing->sounds)
    if (!s->active(o->play)) over.push_back(o);
  std::vector<int> finished = s->takeFinished();
  bool ran = false;
  for (int play : finished) {
    auto it = std::find_if(playing->sounds.begin(), playing->sounds.end(),
                           [play](SoundObject* o) { return o->play == play; });
    if (it == playing->sounds.end()) continue;
    SoundObject* done = *it;
    playing->sounds.erase(it);
    ran = true;
    try {
      m.callMethod(done, "onSoundComplete", {});
    } catch (ScriptThrow&) {  // an error in the handler ends that handler only
    } catch (ScriptAbort&) {
    }
  }
  std::erase_if(playing->sounds, [&over](SoundObject* o) { return std::find(over.begin(), over.end(), o) != over.end(); });
  return ran;
}

}  // namespace movie::script
