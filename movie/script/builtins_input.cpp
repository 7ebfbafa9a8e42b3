// Key, Mouse and AsBroadcaster: listeners that hear the keyboard and the pointer, and
// the key state scripts ask about.
#include "movie/script/array_object.h"
#include "movie/script/builtins.h"
#include "movie/script/clip_object.h"
#include "movie/script/machine.h"

namespace movie::script {
namespace {

constexpr size_t kMaxListeners = 10'000;

ArrayObject* listenersOf(Machine& m, const Value& self) {
  Object* o = self.object();
  return o ? dynamic_cast<ArrayObject*>(m.memberOrUndefined(o, "_listeners").object()) : nullptr;
}

Value addListener(Machine& m, CallArgs& a) {
  ArrayObject* list = listenersOf(m, a.self);
  if (!list) return false;
  Object* listener = a.arg(0).object();
  auto& items = list->items();
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].object() == listener && listener) items.erase(items.begin() + long(i));
  if (items.size() < kMaxListeners) items.push_back(a.arg(0));
  return true;
}

Value removeListener(Machine& m, CallArgs& a) {
  ArrayObject* list = listenersOf(m, a.self);
  if (!list) return false;
  auto& items = list->items();
  for (size_t i = 0; i < items.size(); ++i) {
    if (m.strictEquals(items[i], a.arg(0))) {
      items.erase(items.begin() + long(i));
      return true;
    }
  }
  return false;
}

Value broadcastMessage(Machine& m, CallArgs& a) {
  if (a.args.empty()) return Value();
  std::string name = m.toString(a.arg(0));
  std::vector<Value> rest(a.args.begin() + 1, a.args.end());
  return broadcast(m, a.self.object(), name, rest);
}

// The three methods are the same functions on every broadcaster: AsBroadcaster's own.
void initialize(Machine& m, Object* target) {
  Object* broadcaster = m.memberOrUndefined(m.global(), "AsBroadcaster").object();
  if (!target || !broadcaster) return;
  target->put("_listeners", m.newArray(), kDontEnum);
  for (const char* name : {"addListener", "removeListener", "broadcastMessage"})
    target->put(name, m.memberOrUndefined(broadcaster, name), kDontEnum);
}

void installKey(Machine& m) {
  Object* key = m.newObject();
  m.global()->put("Key", key, kDontEnum);
  initialize(m, key);
  const uint8_t constant = kDontEnum | kDontDelete | kReadOnly;
  const std::pair<const char*, int> codes[] = {
      {"BACKSPACE", 8}, {"CAPSLOCK", 20}, {"CONTROL", 17}, {"DELETEKEY", 46}, {"DOWN", 40}, {"END", 35},
      {"ENTER", 13},    {"ESCAPE", 27},   {"HOME", 36},    {"INSERT", 45},    {"LEFT", 37}, {"PGDN", 34},
      {"PGUP", 33},     {"RIGHT", 39},    {"SHIFT", 16},   {"SPACE", 32},     {"TAB", 9},   {"UP", 38}};
  for (const auto& [name, code] : codes) key->put(name, code, constant);
  m.method(key, "isDown", [](Machine& m, CallArgs& a) -> Value {
    return m.host().keyIsDown(int(m.toNumber(a.arg(0))));
  });
  m.method(key, "isToggled", [](Machine&, CallArgs&) -> Value { return false; });
  m.method(key, "getCode", [](Machine& m, CallArgs&) -> Value { return m.host().lastKeyCode(); });
  m.method(key, "getAscii", [](Machine& m, CallArgs&) -> Value { return m.host().lastKeyAscii(); });
}

void installMouse(Machine& m) {
  Object* mouse = m.newObject();
  m.global()->put("Mouse", mouse, kDontEnum);
  initialize(m, mouse);
  m.method(mouse, "show", [](Machine& m, CallArgs&) -> Value { return m.host().showPointer(true) ? 1 : 0; });
  m.method(mouse, "hide", [](Machine& m, CallArgs&) -> Value { return m.host().showPointer(false) ? 1 : 0; });
}

}  // namespace

Value broadcast(Machine& m, Object* source, const std::string& name, const std::vector<Value>& args) {
  ArrayObject* list = source ? listenersOf(m, source) : nullptr;
  if (!list) return false;
  std::vector<Value> listeners = list->items();  // handlers may change the list
  for (const Value& listener : listeners) {
    auto* clip = dynamic_cast<ClipObject*>(listener.object());
    if (clip && !clip->node()) continue;  // a removed clip hears nothing more
    m.callHandler(listener, name, args);
  }
  return !listeners.empty();
}

void installInputBuiltins(Machine& m) {
  Object* broadcaster = m.newObject();
  m.global()->put("AsBroadcaster", broadcaster, kDontEnum);
  m.method(broadcaster, "addListener", addListener);
  m.method(broadcaster, "removeListener", removeListener);
  m.method(broadcaster, "broadcastMessage", broadcastMessage);
  m.method(broadcaster, "initialize", [](Machine& m, CallArgs& a) -> Value {
    initialize(m, a.arg(0).object());
    return Value();
  });
  installKey(m);
  installMouse(m);
  // The input method tells its listeners too; what it tells comes with text input.
  Object* system = m.newObject();
  m.global()->put("System", system, kDontEnum);
  Object* ime = m.newObject();
  system->put("IME", ime, kDontEnum);
  initialize(m, ime);
}

}  // namespace movie::script
