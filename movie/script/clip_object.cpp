#include "movie/script/clip_object.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "movie/script/builtins.h"
#include "movie/script/machine.h"

namespace movie::script {
namespace {

const char* const kPropertyNames[] = {
    "_x", "_y", "_xscale", "_yscale", "_currentframe", "_totalframes", "_alpha", "_visible",
    "_width", "_height", "_rotation", "_target", "_framesloaded", "_name", "_droptarget", "_url",
    "_highquality", "_focusrect", "_soundbuftime", "_quality", "_xmouse", "_ymouse"};

constexpr double kPi = 3.14159265358979323846;

std::string lowered(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return out;
}

double xScaleOf(const Matrix& m) { return std::sqrt(double(m.a) * m.a + double(m.b) * m.b); }
double yScaleOf(const Matrix& m) { return std::sqrt(double(m.c) * m.c + double(m.d) * m.d); }
double rotationOf(const Matrix& m) { return std::atan2(double(m.b), double(m.a)) * 180 / kPi; }

// Bounds of the node in its parent's coordinates.
Bounds parentBounds(DisplayNode* node) { return transformBounds(node->localBounds(), node->matrix()); }

// The pointer in a clip's own coordinates, pixels.
double pointerIn(Machine& m, DisplayNode* node, bool wantX) {
  Matrix toStage = node->matrix();
  int guard = 0;
  for (DisplayNode* p = node->parentNode(); p && guard < 256; p = p->parentNode(), ++guard)
    toStage = toStage.then(p->matrix());
  Matrix back = toStage.inverted();
  double x = m.host().pointerX(), y = m.host().pointerY();
  double local = wantX ? back.a * x + back.c * y + back.tx : back.b * x + back.d * y + back.ty;
  return std::round(local) / 20.0;  // whole twips, as pixels
}

void setScaleRotation(DisplayNode* node, double xScale, double yScale, double degrees) {
  Matrix m = node->matrix();
  double r = degrees * kPi / 180;
  // Keep the skew between the axes as it was.
  double skew = std::atan2(-double(m.c), double(m.d)) - std::atan2(double(m.b), double(m.a));
  m.a = float(xScale * std::cos(r));
  m.b = float(xScale * std::sin(r));
  m.c = float(-yScale * std::sin(r + skew));
  m.d = float(yScale * std::cos(r + skew));
  node->setMatrix(m);
}

// scrollRect and cacheAsBitmap belong to clips of version 8 movies and later.
bool isVersion8Member(Machine& m, const std::string& name, const std::string& member) {
  return m.version() >= 8 && name.size() == member.size() && lowered(name) == lowered(member) &&
         (!m.heap().caseSensitive() || name == member);
}

bool isScrollRect(Machine& m, const std::string& name) { return isVersion8Member(m, name, "scrollRect"); }
bool isCacheAsBitmap(Machine& m, const std::string& name) { return isVersion8Member(m, name, "cacheAsBitmap"); }

// _focusrect is the player's setting on a level's root and, in movies before version 6,
// on every object (read there as a number); other objects of later movies have their
// own, null until a script sets it.
bool focusRectIsPlayerWide(Machine& m, DisplayNode* n) { return m.version() < 6 || !n->parentNode(); }

Value focusRectValue(Machine& m, DisplayNode* n) {
  if (m.version() < 6) return m.host().focusRectShown() ? 1.0 : 0.0;
  if (focusRectIsPlayerWide(m, n)) return m.host().focusRectShown();
  return n->focusRect < 0 ? Value::null() : Value(n->focusRect == 1);
}

void setFocusRect(Machine& m, DisplayNode* n, const Value& value) {
  if (!focusRectIsPlayerWide(m, n)) {
    n->focusRect = value.isNullish() ? int8_t(-1) : int8_t(m.toBoolean(value));
    return;
  }
  // The player's setting ignores null and undefined, turns off for objects and zero,
  // and is on for any other number, NaN too.
  if (value.isNullish()) return;
  if (value.isObject()) return m.host().setFocusRectShown(false);
  if (value.isBoolean()) return m.host().setFocusRectShown(m.toBoolean(value));
  m.host().setFocusRectShown(m.toNumber(value) != 0);
}

// Players on several threads may make nodes at once.
uint64_t nextNodeIdentity() {
  static std::atomic<uint64_t> last{0};
  return ++last;
}

}  // namespace

void ClipObject::setScrollRect(Machine& m, const Value& value) {
  Object* rect = value.object();
  if (!rect) return node_->setScrollRect(nullptr);
  auto twips = [&](const char* member) {
    double v = m.toNumber(m.getMember(rect, member)) * 20;
    return std::isfinite(v) ? std::clamp(v, -1e9, 1e9) : 0.0;
  };
  Bounds b;
  b.xMin = twips("x");
  b.yMin = twips("y");
  b.xMax = b.xMin + std::max(0.0, twips("width"));
  b.yMax = b.yMin + std::max(0.0, twips("height"));
  b.empty = false;
  node_->setScrollRect(&b);
}

Bounds transformBounds(const Bounds& b, const Matrix& m) {
  if (b.empty) return b;
  Bounds out;
  out.empty = false;
  bool first = true;
  for (double x : {b.xMin, b.xMax})
    for (double y : {b.yMin, b.yMax}) {
      double px = m.a * x + m.c * y + m.tx, py = m.b * x + m.d * y + m.ty;
      if (first) {
        out.xMin = out.xMax = px;
        out.yMin = out.yMax = py;
        first = false;
      }
      out.xMin = std::min(out.xMin, px);
      out.xMax = std::max(out.xMax, px);
      out.yMin = std::min(out.yMin, py);
      out.yMax = std::max(out.yMax, py);
    }
  return out;
}

const char* clipPropertyName(int index) {
  if (index < 0 || index >= int(sizeof kPropertyNames / sizeof *kPropertyNames)) return nullptr;
  return kPropertyNames[index];
}

DisplayNode::DisplayNode() : identity_(nextNodeIdentity()) {}

DisplayNode::~DisplayNode() {
  if (auto* clip = static_cast<ClipObject*>(scriptObject)) clip->detach();
}

ClipObject::~ClipObject() {
  if (node_ && node_->scriptObject == this) node_->scriptObject = nullptr;
}

bool ClipObject::getSpecial(Machine& m, const std::string& name, Value& out) {
  if (!node_) return false;
  if (!name.empty() && name[0] == '_' && getProperty(m, lowered(name), out)) return true;
  if (isScrollRect(m, name)) {
    Bounds r;
    out = node_->scrollRect(r) ? Value(newRectangle(m, r.xMin / 20, r.yMin / 20, (r.xMax - r.xMin) / 20,
                                                    (r.yMax - r.yMin) / 20))
                               : Value();
    return true;
  }
  if (node_->isClip() && isCacheAsBitmap(m, name)) {
    out = node_->cacheAsBitmap();
    return true;
  }
  if (DisplayNode* child = node_->childNamed(name, heap().caseSensitive())) {
    out = m.clipObject(child);
    return true;
  }
  return false;
}

bool ClipObject::setSpecial(Machine& m, const std::string& name, const Value& value) {
  if (node_ && isScrollRect(m, name)) {
    setScrollRect(m, value);
    return true;
  }
  if (node_ && node_->isClip() && isCacheAsBitmap(m, name)) {
    node_->setCacheAsBitmap(m.toBoolean(value));
    return true;
  }
  if (!node_ || name.empty() || name[0] != '_') return false;
  return setProperty(m, lowered(name), value);
}

void ClipObject::specialNames(std::vector<std::string>& out) {
  if (!node_) return;
  for (DisplayNode* child : node_->childNodes())
    if (!child->instanceName().empty()) out.push_back(child->instanceName());
}

bool ClipObject::getProperty(Machine& m, const std::string& p, Value& out) {
  DisplayNode* n = node_;
  Matrix mx = n->matrix();
  if (p == "_x") out = mx.tx / 20.0;
  else if (p == "_y") out = mx.ty / 20.0;
  else if (p == "_xscale") out = xScaleOf(mx) * 100;
  else if (p == "_yscale") out = yScaleOf(mx) * 100;
  else if (p == "_rotation") out = rotationOf(mx);
  else if (p == "_alpha") out = double(n->colorTransform().am) * 100;
  else if (p == "_visible") out = n->visible();
  else if (p == "_currentframe") out = double(std::max(0, n->currentFrame()) + 1);
  else if (p == "_totalframes") out = double(n->totalFrames());
  else if (p == "_framesloaded") out = double(n->loadedFrames());
  else if (p == "_name") out = n->instanceName();
  else if (p == "_target") out = m.targetPath(n, true);
  else if (p == "_parent") out = n->parentNode() ? Value(m.clipObject(n->parentNode())) : Value();
  else if (p == "_width" || p == "_height") {
    Bounds b = parentBounds(n);
    out = b.empty ? 0.0 : (p == "_width" ? b.xMax - b.xMin : b.yMax - b.yMin) / 20.0;
  } else if (p == "_droptarget") out = m.host().dropTarget(n);
  else if (p == "_url") out = "";
  else if (p == "_highquality") out = 1.0;
  else if (p == "_quality") out = "HIGH";
  else if (p == "_focusrect") out = focusRectValue(m, n);
  else if (p == "_soundbuftime") out = 5.0;
  else if (p == "_xmouse" || p == "_ymouse") out = pointerIn(m, n, p == "_xmouse");
  else return false;
  return true;
}

bool ClipObject::setProperty(Machine& m, const std::string& p, const Value& value) {
  DisplayNode* n = node_;
  if (p == "_name") {
    n->setInstanceName(m.toString(value));
    return true;
  }
  if (p == "_visible") {
    bool visible = m.toBoolean(value);
    n->setVisible(visible);
    if (!visible) m.host().nodeLeavesFocus(n);
    return true;
  }
  if (p == "_target" || p == "_currentframe" || p == "_totalframes" || p == "_framesloaded" ||
      p == "_parent" || p == "_url" || p == "_droptarget" || p == "_xmouse" || p == "_ymouse")
    return true;  // read-only
  if (p == "_focusrect") {
    setFocusRect(m, n, value);
    return true;
  }
  if (p == "_highquality" || p == "_quality" || p == "_soundbuftime") return true;
  double v = m.toNumber(value);
  if (!std::isfinite(v)) return true;  // ignored, as out-of-range placement would be
  Matrix mx = n->matrix();
  if (p == "_x") {
    mx.tx = float(v * 20);
    n->setMatrix(mx);
  } else if (p == "_y") {
    mx.ty = float(v * 20);
    n->setMatrix(mx);
  } else if (p == "_xscale") {
    setScaleRotation(n, v / 100, yScaleOf(mx), rotationOf(mx));
  } else if (p == "_yscale") {
    setScaleRotation(n, xScaleOf(mx), v / 100, rotationOf(mx));
  } else if (p == "_rotation") {
    setScaleRotation(n, xScaleOf(mx), yScaleOf(mx), v);
  } else if (p == "_alpha") {
    // Kept as the placement's 8.8 fixed-point multiplier, cut toward zero: 30 reads
    // back as 29.6875 and draws as that.
    ColorTransform c = n->colorTransform();
    c.am = std::isfinite(v) ? float(std::trunc(v * 2.56) / 256) : float(v / 100);
    n->setColorTransform(c);
  } else if (p == "_width" || p == "_height") {
    Bounds b = parentBounds(n);
    double current = b.empty ? 0 : (p == "_width" ? b.xMax - b.xMin : b.yMax - b.yMin) / 20.0;
    if (current <= 0) return true;
    double factor = v / current;
    if (p == "_width") setScaleRotation(n, xScaleOf(mx) * factor, yScaleOf(mx), rotationOf(mx));
    else setScaleRotation(n, xScaleOf(mx), yScaleOf(mx) * factor, rotationOf(mx));
  } else {
    return false;
  }
  return true;
}

}  // namespace movie::script
