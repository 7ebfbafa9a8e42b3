// LoadVars and MovieClipLoader: what scripts use to load parts of a lesson. The player
// fetches; what arrives is handed back through the objects' handlers (onData, onLoad;
// the loader's listeners onLoadStart ... onLoadInit), never within the call that asked.
#include "movie/script/activation.h"
#include "movie/script/builtins.h"
#include "movie/script/loading_ops.h"
#include "movie/script/machine.h"

namespace movie::script {
namespace {

bool requestData(Machine& m, const std::string& url, Object* target, Object* variablesFrom, int method) {
  if (!target || url.empty()) return false;
  LoadRequest r;
  r.kind = LoadRequest::Kind::Data;
  r.url = url;
  r.target = target;
  if (variablesFrom) {
    r.post = method != 1;
    r.variables = encodeVariables(m, variablesFrom);
  }
  m.setMember(target, "loaded", false);
  return m.host().load(r);
}

void installLoadVars(Machine& m) {
  m.makeClass("LoadVars", [](Machine&, CallArgs& a) -> Value { return a.self; });
  Object* proto = m.prototypeOf("LoadVars");
  proto->put("contentType", "application/x-www-form-urlencoded", kDontEnum);
  m.method(proto, "load", [](Machine& m, CallArgs& a) -> Value {
    return requestData(m, m.toString(a.arg(0)), a.self.object(), nullptr, 0);
  });
  m.method(proto, "sendAndLoad", [](Machine& m, CallArgs& a) -> Value {
    int method = a.size() > 2 ? methodOf(m.toString(a.arg(2))) : 2;
    return requestData(m, m.toString(a.arg(0)), a.arg(1).object(), a.self.object(), method);
  });
  m.method(proto, "send", [](Machine& m, CallArgs& a) -> Value {
    std::string url = m.toString(a.arg(0));
    if (url.empty()) return false;
    // A browser window gets the variables in its address.
    std::string variables = encodeVariables(m, a.self.object());
    if (!variables.empty()) url += (url.find('?') == std::string::npos ? "?" : "&") + variables;
    m.host().getUrl(url, a.size() > 1 ? m.toString(a.arg(1)) : "_self", 1);
    return true;
  });
  m.method(proto, "decode", [](Machine& m, CallArgs& a) -> Value {
    decodeVariables(m, a.self.object(), m.toString(a.arg(0)));
    return Value();
  });
  m.method(proto, "toString", [](Machine& m, CallArgs& a) -> Value { return encodeVariables(m, a.self.object()); });
  // What arrived (undefined: the load failed) is decoded, then onLoad tells whether it came.
  m.method(proto, "onData", [](Machine& m, CallArgs& a) -> Value {
    Object* self = a.self.object();
    if (!self) return Value();
    bool arrived = !a.arg(0).isUndefined();
    if (arrived) {
      m.callMethod(self, "decode", {a.arg(0)});
      m.setMember(self, "loaded", true);
    }
    m.callHandler(self, "onLoad", {arrived});
    return Value();
  });
  for (const char* name : {"getBytesLoaded", "getBytesTotal"}) {
    std::string field = std::string("(") + name + ")";  // set by the player as bytes arrive
    m.method(proto, name, [field](Machine& m, CallArgs& a) -> Value {
      Object* self = a.self.object();
      return self ? m.memberOrUndefined(self, field) : Value();
    });
  }
}

// The clip or level a loader's call names: a clip, a level number or "_levelN", a path.
bool loaderTarget(Machine& m, const Value& target, Object*& clip, int& level) {
  clip = nullptr;
  level = -1;
  if (target.isNumber()) {
    double n = target.number();
    if (!(n >= 0 && n <= 100'000)) return false;
    level = int(n);
    return true;
  }
  if (target.isString() && (level = levelOf(target.string())) >= 0) return true;
  DisplayNode* node = m.nodeOf(target);
  Object* from = m.current() ? m.current()->target : nullptr;
  if (!node && target.isString() && from) node = m.nodeOf(m.resolveTarget(from, target.string()));
  if (!node) return false;
  clip = m.clipObject(node);
  return true;
}

void installMovieClipLoader(Machine& m) {
  Function* loader = m.makeClass("MovieClipLoader", [](Machine& m, CallArgs& a) -> Value {
    // The loader hears its own events, as any listener added later does.
    if (Object* self = a.self.object()) self->put("_listeners", m.newArray({self}), kDontEnum);
    return Value();
  });
  Object* proto = m.memberOrUndefined(loader, "prototype").object();
  if (Object* broadcaster = m.memberOrUndefined(m.global(), "AsBroadcaster").object())
    m.callMethod(broadcaster, "initialize", {proto});
  m.method(proto, "loadClip", [](Machine& m, CallArgs& a) -> Value {
    if (a.size() < 2) return Value();  // no target: no answer
    LoadRequest r;
    if (!a.arg(0).isString()) return false;
    r.url = a.arg(0).string();
    if (r.url.empty() || !loaderTarget(m, a.arg(1), r.target, r.level)) return false;
    r.loader = a.self.object();
    return m.host().load(r);
  });
  m.method(proto, "unloadClip", [](Machine& m, CallArgs& a) -> Value {
    Object* clip;
    int level;
    if (!loaderTarget(m, a.arg(0), clip, level)) return false;
    m.host().unload(clip ? m.nodeOf(clip) : nullptr, level);
    return true;
  });
  m.method(proto, "getProgress", [](Machine& m, CallArgs& a) -> Value {
    DisplayNode* node = m.nodeOf(a.arg(0));
    if (!node) return Value();
    Object* out = m.newObject();
    m.setMember(out, "bytesLoaded", m.host().bytesLoaded(node));
    m.setMember(out, "bytesTotal", m.host().bytesTotal(node));
    return out;
  });
}

}  // namespace

void installLoaderBuiltins(Machine& m) {
  installLoadVars(m);
  installMovieClipLoader(m);
}

}  // namespace movie::script
