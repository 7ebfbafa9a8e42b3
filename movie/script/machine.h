#pragma once
// The script machine: runs action code of movies of versions 3 to 8 against a display
// tree, under budgets. Values and objects live in its heap; the built-in objects are
// installed on construction. Host objects (movie clips, text fields, sounds) join
// through native classes made with makeClass() and Object's special-property hooks.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "movie/script/code.h"
#include "movie/script/display_node.h"
#include "movie/script/function.h"
#include "movie/script/heap.h"
#include "movie/script/load_request.h"
#include "movie/script/value.h"

namespace movie::script {

struct Activation;
class ClipObject;
class SoundService;

// What the machine asks of the player around it.
class MachineHost {
 public:
  virtual ~MachineHost() = default;
  virtual void trace(const std::string& line) = 0;
  // getURL and its variants; url may start with "fscommand:". method: 0 none, 1 GET, 2 POST.
  virtual void getUrl(const std::string& url, const std::string& target, int method) = 0;
  virtual double milliseconds() = 0;  // since the movie started (getTimer)
  virtual DisplayNode* level(int n) = 0;  // _level0 is the movie's root
  // The level whose root a node is (0 for any other node).
  virtual int levelNumber(DisplayNode*) { return 0; }
  // The roots of level 0 and of the levels above it, lowest first.
  virtual std::vector<DisplayNode*> levelRoots() { return {level(0)}; }
  // Loading progress of the movie a clip belongs to.
  virtual double bytesLoaded(DisplayNode*) { return 0; }
  virtual double bytesTotal(DisplayNode*) { return 0; }
  // The pointer in stage twips and the keys, as the player last heard them.
  virtual double pointerX() { return 0; }
  virtual double pointerY() { return 0; }
  virtual bool keyIsDown(int) { return false; }
  virtual int lastKeyCode() { return 0; }
  virtual int lastKeyAscii() { return 0; }
  // Whether a stage point (twips) lies on what a clip draws, not just in its box.
  virtual bool shapeContains(DisplayNode*, double /*x*/, double /*y*/) { return false; }
  // The stage's size in pixels.
  virtual double stageWidth() { return 0; }
  virtual double stageHeight() { return 0; }
  // Mouse.show and hide; returns whether the pointer was shown before.
  virtual bool showPointer(bool) { return true; }
  // Dragging: one clip at a time follows the pointer until stopDrag, its origin on the
  // pointer (lockCenter) or keeping its distance from it, its position held within
  // limits (twips, its parent's coordinates) when given. dropTarget: the slash path of
  // the clip a dragged clip was last dropped on, "" when none.
  virtual void startDrag(DisplayNode*, bool /*lockCenter*/, const Bounds* /*limits*/) {}
  virtual void stopDrag() {}
  virtual std::string dropTarget(DisplayNode*) { return ""; }
  // Loading: false when the request cannot be made (no way to fetch, a bad address).
  // unload empties a clip, or a level when clip is null.
  virtual bool load(const LoadRequest&) { return false; }
  virtual void unload(DisplayNode*, int) {}
  // The movie's sounds; null when the player has no sound.
  virtual SoundService* sounds() { return nullptr; }
  // The script object of a node that is no movie clip (a text field); null: a plain
  // clip object.
  virtual ClipObject* newNodeObject(DisplayNode*) { return nullptr; }
  // A script is about to remove a node, or has hidden it: the keyboard focus leaves
  // it and whatever inside it had the focus.
  virtual void nodeLeavesFocus(DisplayNode*) {}
  // The player-wide _focusrect: whether focused buttons and clips are framed.
  virtual bool focusRectShown() { return true; }
  virtual void setFocusRectShown(bool) {}
};

struct Budgets {
  long long instructionsPerFrame = 2'000'000;
  // A safety net for slow native work; the instruction count is what normally stops a script.
  std::chrono::milliseconds timePerFrame{8000};
  int maxCallDepth = 256;
  size_t maxStringBytes = size_t(16) << 20;
  size_t maxStack = 100'000;
};

class Machine {
 public:
  Machine(MachineHost& host, int version);
  ~Machine();
  Machine(const Machine&) = delete;
  Machine& operator=(const Machine&) = delete;

  int version() const { return version_; }
  Heap& heap() { return heap_; }
  MachineHost& host() { return host_; }
  Object* global() const { return global_; }
  Budgets& budgets() { return budgets_; }

  // Runs code with a clip's object as its target and scope. Thrown script values and
  // broken budgets end that code only; the messages are kept in errors().
  void run(const CodeRange& code, Object* clip);
  // Starts a new frame's budget.
  void beginFrame();
  // Frees unreachable objects (call between scripts only). extraRoots: what the host keeps.
  void collectGarbage(const std::vector<Object*>& extraRoots);
  const std::vector<std::string>& errors() const { return errors_; }

  // Conversions under the running code's version.
  double toNumber(const Value& v);
  std::string toString(const Value& v);
  bool toBoolean(const Value& v);
  Value toPrimitive(const Value& v, bool preferString = false);
  Object* toObject(const Value& v);  // wraps primitives; null for undefined/null
  std::string typeOf(const Value& v);
  bool looseEquals(const Value& a, const Value& b);
  bool strictEquals(const Value& a, const Value& b);
  // a < b: true, false, or undefined (NaN involved).
  Value lessThan(const Value& a, const Value& b);
  Value add(const Value& a, const Value& b);
  bool instanceOf(const Value& v, Object* constructor);

  // Members, with prototypes, getters/setters and host properties.
  Value get(const Value& object, const std::string& name);
  Value getMember(Object* object, const std::string& name);
  void setMember(Object* object, const std::string& name, const Value& value);
  bool hasMember(Object* object, const std::string& name);
  std::vector<std::string> enumerate(Object* object);

  // Calls. home: the object where a method was found (for super).
  Value call(const Value& fn, const Value& self, std::vector<Value> args, Object* home = nullptr);
  Value callMethod(const Value& object, const std::string& name, std::vector<Value> args);
  Value construct(const Value& fn, std::vector<Value> args);

  // Making objects.
  Object* newObject();
  Object* newArray(std::vector<Value> items = {});
  Function* newNative(NativeFn fn, const std::string& name = {});
  // Adds a native method to an object (not enumerable).
  Function* method(Object* target, const std::string& name, NativeFn fn);
  // A class: a constructor function with its prototype (proto of the prototype: parent,
  // Object.prototype when null), stored on _global under name when given.
  Function* makeClass(const std::string& name, NativeFn constructor, Object* parentPrototype = nullptr);
  Object* objectPrototype() const { return objectProto_; }
  Object* functionPrototype() const { return functionProto_; }
  Object* arrayPrototype() const { return arrayProto_; }
  Object* prototypeOf(const std::string& className);  // _global[className].prototype

  // Movie clips: the script object for a display node (made on first use).
  Object* clipObject(DisplayNode* node);
  DisplayNode* nodeOf(const Value& v);  // the node behind a clip object, or null
  std::string targetPath(DisplayNode* node, bool slashes = false);
  // Resolves a target path ("/a/b", "_root.a", "_parent", "") from a clip.
  Object* resolveTarget(Object* from, const std::string& path);

  // Raised by scripts and natives.
  [[noreturn]] void throwValue(const Value& v);
  // Bounds a string a script made, and charges the copying against the frame's budget.
  void checkString(const std::string& s);

  // Calls self[name] when it is a function, as an event does: what the call throws or
  // breaks ends that call only. Returns whether there was a function to call.
  bool callHandler(const Value& self, const std::string& name, std::vector<Value> args = {});
  // A member read for the host: what a getter throws or breaks gives undefined.
  Value memberOrUndefined(Object* object, const std::string& name);

  // Timers of setInterval/setTimeout; the host runs due ones each frame.
  void runTimers();
  // Called by natives that need the executing activation (for this, target).
  Activation* current() { return current_; }
  void setCurrent(Activation* a) { current_ = a; }
  void countInstruction();
  int callDepth() const { return callDepth_; }

  // Installed by the built-ins that need it.
  struct Timer {
    int id = 0;
    Value fn;
    Value self;
    std::string methodName;
    std::vector<Value> args;
    double interval = 0;
    double due = 0;
    bool repeat = true;
  };
  std::vector<Timer>& timers() { return timers_; }
  int nextTimerId() { return ++lastTimerId_; }

 private:
  friend struct Interpreter;
  void installBuiltins();
  void callSafely(const Value& fn, const Value& self, std::vector<Value> args);
  Value callFunction(Function* fn, const Value& self, std::vector<Value>& args, Object* home,
                     bool constructing);

  MachineHost& host_;
  int version_;
  Heap heap_;
  Budgets budgets_;
  Object* global_ = nullptr;
  Object* objectProto_ = nullptr;
  Object* functionProto_ = nullptr;
  Object* arrayProto_ = nullptr;
  Activation* current_ = nullptr;
  int callDepth_ = 0;
  long long instructions_ = 0;
  std::chrono::steady_clock::time_point frameStart_;
  bool frameAborted_ = false;
  std::vector<std::string> errors_;
  std::vector<Timer> timers_;
  int lastTimerId_ = 0;
  std::vector<Object*> liveClips_;
};

}  // namespace movie::script
