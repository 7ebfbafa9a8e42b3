#pragma once
// The script object of a text field: its text and settings (text, htmlText, autoSize,
// border, scroll, variable, ...) as properties, and the display properties it shares
// with movie clips (_x, _alpha, _name, ...), except that _width and _height resize the
// field's box instead of scaling it.
#include "movie/script/clip_object.h"
#include "movie/text_objects/text_environment.h"
#include "movie/timeline/field_node.h"

namespace movie::text_objects {

class FieldObject : public script::ClipObject {
 public:
  FieldObject(script::Heap& heap, script::Object* proto, timeline::FieldNode* node, TextEnvironment& env)
      : ClipObject(heap, proto, node), env_(env) {}
  std::string typeName() const override { return "Object"; }

  // The field behind the object; null once it left the stage.
  timeline::FieldNode* fieldNode() const { return static_cast<timeline::FieldNode*>(node()); }
  TextEnvironment& environment() const { return env_; }

  bool getSpecial(script::Machine& m, const std::string& name, script::Value& out) override;
  bool setSpecial(script::Machine& m, const std::string& name, const script::Value& value) override;

 private:
  TextEnvironment& env_;
};

// The field behind a script value (a text field's object), or null.
timeline::FieldNode* fieldOf(script::Machine& m, const script::Value& v);

}  // namespace movie::text_objects
