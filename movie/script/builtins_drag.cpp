// MovieClip.startDrag(lockCenter, left, top, right, bottom) and stopDrag: the player
// moves the dragged clip with the pointer; these only start and end it.
#include "movie/script/builtins.h"
#include "movie/script/machine.h"
#include "movie/script/timeline_ops.h"

namespace movie::script {

void installDragBuiltins(Machine& m) {
  Object* proto = m.prototypeOf("MovieClip");
  if (!proto) return;
  m.method(proto, "startDrag", [](Machine& m, CallArgs& a) -> Value {
    DisplayNode* n = m.nodeOf(a.self);
    if (!n) return Value();
    bool lockCenter = m.toBoolean(a.arg(0));
    if (a.size() < 5) {
      m.host().startDrag(n, lockCenter, nullptr);
      return Value();
    }
    Bounds limits = dragLimits(m, a.arg(1), a.arg(2), a.arg(3), a.arg(4));
    m.host().startDrag(n, lockCenter, &limits);
    return Value();
  });
  // Ends whichever drag is going on, as the action does.
  m.method(proto, "stopDrag", [](Machine& m, CallArgs&) -> Value {
    m.host().stopDrag();
    return Value();
  });
}

}  // namespace movie::script
