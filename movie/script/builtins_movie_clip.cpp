// MovieClip: timeline control, clips made and removed by scripts, bounds and hit tests.
#include <cmath>

#include "movie/script/activation.h"
#include "movie/script/builtins.h"
#include "movie/script/clip_object.h"
#include "movie/script/loading_ops.h"
#include "movie/script/machine.h"
#include "movie/script/timeline_ops.h"

namespace movie::script {
namespace {

DisplayNode* selfNode(Machine& m, const CallArgs& a) { return m.nodeOf(a.self); }

int depthArg(Machine& m, const Value& v) {
  double d = m.toNumber(v);
  if (!std::isfinite(d)) return -1;
  return int(std::max(-16384.0, std::min(d, 2130706428.0)));
}

void gotoFrame(Machine& m, CallArgs& a, bool play) {
  DisplayNode* n = selfNode(m, a);
  if (!n) return;
  int frame = frameIndexOf(m, n, a.arg(0));
  n->setPlaying(play);
  if (frame >= 0) n->gotoFrame(frame);
}

void timelineMethods(Machine& m, Object* proto) {
  m.method(proto, "play", [](Machine& m, CallArgs& a) -> Value {
    if (DisplayNode* n = selfNode(m, a)) n->setPlaying(true);
    return Value();
  });
  m.method(proto, "stop", [](Machine& m, CallArgs& a) -> Value {
    if (DisplayNode* n = selfNode(m, a)) n->setPlaying(false);
    return Value();
  });
  m.method(proto, "gotoAndPlay", [](Machine& m, CallArgs& a) -> Value {
    gotoFrame(m, a, true);
    return Value();
  });
  m.method(proto, "gotoAndStop", [](Machine& m, CallArgs& a) -> Value {
    gotoFrame(m, a, false);
    return Value();
  });
  m.method(proto, "nextFrame", [](Machine& m, CallArgs& a) -> Value {
    if (DisplayNode* n = selfNode(m, a)) {
      n->setPlaying(false);
      n->gotoFrame(n->currentFrame() + 1);
    }
    return Value();
  });
  m.method(proto, "prevFrame", [](Machine& m, CallArgs& a) -> Value {
    if (DisplayNode* n = selfNode(m, a)) {
      n->setPlaying(false);
      if (n->currentFrame() > 0) n->gotoFrame(n->currentFrame() - 1);
    }
    return Value();
  });
}

void structureMethods(Machine& m, Object* proto) {
  m.method(proto, "getDepth", [](Machine& m, CallArgs& a) -> Value {
    DisplayNode* n = selfNode(m, a);
    return n ? Value(double(n->depth())) : Value();
  });
  m.method(proto, "getNextHighestDepth", [](Machine& m, CallArgs& a) -> Value {
    DisplayNode* n = selfNode(m, a);
    if (!n) return Value();
    int highest = -1;
    for (DisplayNode* child : n->childNodes()) highest = std::max(highest, child->depth());
    return double(std::max(0, highest + 1));
  });
  m.method(proto, "createEmptyMovieClip", [](Machine& m, CallArgs& a) -> Value {
    DisplayNode* n = selfNode(m, a);
    int depth = depthArg(m, a.arg(1));
    if (!n || a.size() < 2) return Value();
    DisplayNode* child = n->createEmptyChild(m.toString(a.arg(0)), depth);
    return child ? Value(m.clipObject(child)) : Value();
  });
  m.method(proto, "attachMovie", [](Machine& m, CallArgs& a) -> Value {
    DisplayNode* n = selfNode(m, a);
    if (!n || a.size() < 3) return Value();
    DisplayNode* child = n->attachChild(m.toString(a.arg(0)), m.toString(a.arg(1)), depthArg(m, a.arg(2)));
    if (!child) return Value();
    Object* clip = m.clipObject(child);
    if (Object* init = a.arg(3).object())
      for (const std::string& name : m.enumerate(init)) m.setMember(clip, name, m.getMember(init, name));
    return clip;
  });
  m.method(proto, "duplicateMovieClip", [](Machine& m, CallArgs& a) -> Value {
    DisplayNode* n = selfNode(m, a);
    if (!n || a.size() < 2) return Value();
    DisplayNode* copy = n->duplicate(m.toString(a.arg(0)), depthArg(m, a.arg(1)));
    if (!copy) return Value();
    Object* clip = m.clipObject(copy);
    if (Object* init = a.arg(2).object())
      for (const std::string& name : m.enumerate(init)) m.setMember(clip, name, m.getMember(init, name));
    return clip;
  });
  m.method(proto, "removeMovieClip", [](Machine& m, CallArgs& a) -> Value {
    if (DisplayNode* n = selfNode(m, a)) {
      m.host().nodeLeavesFocus(n);
      if ((n = selfNode(m, a))) n->removeSelf();
    }
    return Value();
  });
  m.method(proto, "swapDepths", [](Machine& m, CallArgs& a) -> Value {
    DisplayNode* n = selfNode(m, a);
    if (!n) return Value();
    if (DisplayNode* other = m.nodeOf(a.arg(0))) n->swapDepth(other->depth());
    else n->swapDepth(depthArg(m, a.arg(0)));
    return Value();
  });
  m.method(proto, "getBytesLoaded", [](Machine& m, CallArgs& a) -> Value {
    DisplayNode* n = selfNode(m, a);
    return n ? Value(double(m.host().bytesLoaded(n))) : Value();
  });
  m.method(proto, "getBytesTotal", [](Machine& m, CallArgs& a) -> Value {
    DisplayNode* n = selfNode(m, a);
    return n ? Value(double(m.host().bytesTotal(n))) : Value();
  });
}

// Bounds in the coordinates of another clip (or the clip's own).
Bounds boundsIn(DisplayNode* n, DisplayNode* space) {
  Bounds b = n->localBounds();
  if (b.empty || space == n) return b;
  auto toStage = [](DisplayNode* node) {
    Matrix m;
    for (int guard = 0; node && node->parentNode() && guard < 1000; ++guard) {
      m = m.then(node->matrix());
      node = node->parentNode();
    }
    return m;
  };
  return transformBounds(b, toStage(n).then(toStage(space).inverted()));
}

void geometryMethods(Machine& m, Object* proto) {
  m.method(proto, "getBounds", [](Machine& m, CallArgs& a) -> Value {
    DisplayNode* n = selfNode(m, a);
    if (!n) return Value();
    DisplayNode* space = a.size() ? m.nodeOf(a.arg(0)) : n;
    Bounds b = boundsIn(n, space ? space : n);
    Object* o = m.newObject();
    double big = 6710886.35;
    m.setMember(o, "xMin", b.empty ? big : b.xMin / 20);
    m.setMember(o, "xMax", b.empty ? big : b.xMax / 20);
    m.setMember(o, "yMin", b.empty ? big : b.yMin / 20);
    m.setMember(o, "yMax", b.empty ? big : b.yMax / 20);
    return o;
  });
  m.method(proto, "hitTest", [](Machine& m, CallArgs& a) -> Value {
    DisplayNode* n = selfNode(m, a);
    if (!n) return false;
    DisplayNode* root = n;
    while (root->parentNode()) root = root->parentNode();
    Bounds mine = boundsIn(n, root);
    if (mine.empty) return false;
    if (DisplayNode* other = m.nodeOf(a.arg(0))) {
      Bounds theirs = boundsIn(other, root);
      return !theirs.empty && mine.xMin <= theirs.xMax && theirs.xMin <= mine.xMax && mine.yMin <= theirs.yMax &&
             theirs.yMin <= mine.yMax;
    }
    double x = m.toNumber(a.arg(0)) * 20, y = m.toNumber(a.arg(1)) * 20;
    if (a.size() > 2 && m.toBoolean(a.arg(2))) return m.host().shapeContains(n, x, y);
    return x >= mine.xMin && x <= mine.xMax && y >= mine.yMin && y <= mine.yMax;
  });
  auto convert = [&](const char* name, bool toGlobal) {
    m.method(proto, name, [toGlobal](Machine& m, CallArgs& a) -> Value {
      DisplayNode* n = selfNode(m, a);
      Object* point = a.arg(0).object();
      if (!n || !point) return Value();
      Matrix mx;
      for (DisplayNode* p = n; p && p->parentNode(); p = p->parentNode()) mx = mx.then(p->matrix());
      if (!toGlobal) mx = mx.inverted();
      double x = m.toNumber(m.getMember(point, "x")) * 20, y = m.toNumber(m.getMember(point, "y")) * 20;
      m.setMember(point, "x", (mx.a * x + mx.c * y + mx.tx) / 20);
      m.setMember(point, "y", (mx.b * x + mx.d * y + mx.ty) / 20);
      return Value();
    });
  };
  convert("localToGlobal", true);
  convert("globalToLocal", false);
  // The mask: a clip, a path from the calling timeline (a name, a number), or null to
  // remove it. A mask that names no clip changes nothing and answers false.
  m.method(proto, "setMask", [](Machine& m, CallArgs& a) -> Value {
    DisplayNode* n = selfNode(m, a);
    if (!n || a.size() == 0) return Value();
    const Value& arg = a.arg(0);
    DisplayNode* mask = m.nodeOf(arg);
    if (!mask && !arg.isNullish() && !arg.object()) {
      Object* from = m.current() && m.current()->target ? m.current()->target : a.self.object();
      mask = m.nodeOf(m.resolveTarget(from, m.toString(arg)));
    }
    if (!mask && !arg.isNullish()) return false;
    n->setMask(mask);
    return true;
  });
}

// loadMovie, loadVariables and unloadMovie on the clip itself.
void loadingMethods(Machine& m, Object* proto) {
  auto load = [&](const char* name, bool variables) {
    m.method(proto, name, [variables](Machine& m, CallArgs& a) -> Value {
      if (!selfNode(m, a)) return Value();
      int method = a.size() > 1 ? methodOf(m.toString(a.arg(1))) : 0;
      std::string url = m.toString(a.arg(0));
      if (!url.empty()) loadInto(m, m.current(), url, a.self, variables, method);
      return Value();
    });
  };
  load("loadMovie", false);
  load("loadVariables", true);
  m.method(proto, "unloadMovie", [](Machine& m, CallArgs& a) -> Value {
    if (DisplayNode* n = selfNode(m, a)) m.host().unload(n, -1);
    return Value();
  });
}

}  // namespace

void installMovieClipBuiltins(Machine& m) {
  m.makeClass("MovieClip", [](Machine&, CallArgs& a) -> Value { return a.self; });
  Object* proto = m.prototypeOf("MovieClip");
  timelineMethods(m, proto);
  structureMethods(m, proto);
  geometryMethods(m, proto);
  loadingMethods(m, proto);
  installDrawingMethods(m, proto);
}

}  // namespace movie::script
