#pragma once
// The script object of a movie clip: its variables are its own properties; its named
// children and its underscore properties (_x, _alpha, _currentframe, ...) come from the
// display node behind it. When the node goes, the object stays but answers nothing.
#include <string>

#include "movie/script/display_node.h"
#include "movie/script/object.h"

namespace movie::script {

// The box around bounds after a transform (empty stays empty).
Bounds transformBounds(const Bounds& b, const Matrix& m);

// The property table of GetProperty/SetProperty, by index.
const char* clipPropertyName(int index);  // null outside 0..21

class ClipObject : public Object {
 public:
  ClipObject(Heap& heap, Object* proto, DisplayNode* node) : Object(heap, proto), node_(node) {}
  ~ClipObject() override;
  std::string typeName() const override { return "MovieClip"; }

  DisplayNode* node() const { return node_; }
  void detach() { node_ = nullptr; }
  // The node that took the place of this object's (a movie loaded into the clip).
  void moveTo(DisplayNode* node) {
    node_ = node;
    node->scriptObject = this;
  }

  bool getSpecial(Machine& m, const std::string& name, Value& out) override;
  bool setSpecial(Machine& m, const std::string& name, const Value& value) override;
  void specialNames(std::vector<std::string>& out) override;

 private:
  bool getProperty(Machine& m, const std::string& lower, Value& out);
  bool setProperty(Machine& m, const std::string& lower, const Value& value);
  void setScrollRect(Machine& m, const Value& value);  // a Rectangle-like object, or none

  DisplayNode* node_;
};

}  // namespace movie::script
