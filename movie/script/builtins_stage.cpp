// Stage: the movie's stage as scripts see it. The player always shows the whole stage
// with its proportions kept, so the scale mode reads "showAll" whatever a script asks
// for, and width and height are the stage's own (they follow no window). align and
// showMenu keep what scripts set; the stage tells its listeners (onResize) nothing, as
// under show-all the stage never changes size.
#include "movie/script/builtins.h"
#include "movie/script/machine.h"

namespace movie::script {
namespace {

class StageObject : public Object {
 public:
  using Object::Object;

  bool getSpecial(Machine& m, const std::string& name, Value& out) override {
    std::string key = lowered(m, name);
    if (key == "width") out = m.host().stageWidth();
    else if (key == "height") out = m.host().stageHeight();
    else if (key == "scalemode") out = "showAll";
    else if (key == "align") out = align_;
    else if (key == "showmenu") out = showMenu_;
    else return Object::getSpecial(m, name, out);
    return true;
  }
  bool setSpecial(Machine& m, const std::string& name, const Value& v) override {
    std::string key = lowered(m, name);
    if (key == "width" || key == "height" || key == "scalemode") return true;  // fixed by the view
    if (key == "align") align_ = alignOf(m.toString(v));
    else if (key == "showmenu") showMenu_ = m.toBoolean(v);
    else return Object::setSpecial(m, name, v);
    return true;
  }

 private:
  // Names are case-insensitive before version 7, as every member name is.
  static std::string lowered(Machine& m, const std::string& name) {
    std::string out = name;
    if (m.version() >= 7) return out == "scaleMode" ? "scalemode" : out == "showMenu" ? "showmenu" : out;
    for (char& c : out)
      if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
  }
  // The alignment letters a script gave, in the order the stage names them.
  static std::string alignOf(const std::string& given) {
    std::string out;
    for (char letter : {'L', 'T', 'R', 'B'}) {
      for (char c : given) {
        if (c == letter || c == letter - 'A' + 'a') {
          out += letter;
          break;
        }
      }
    }
    return out;
  }
  std::string align_;
  bool showMenu_ = true;
};

}  // namespace

void installStageBuiltins(Machine& m) {
  Object* stage = m.heap().make<StageObject>(m.objectPrototype());
  m.global()->put("Stage", stage, kDontEnum);
  Object* broadcaster = m.memberOrUndefined(m.global(), "AsBroadcaster").object();
  if (broadcaster) m.callMethod(broadcaster, "initialize", {stage});
}

}  // namespace movie::script
