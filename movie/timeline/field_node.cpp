// FieldNode: a text field's place, placement and depth, kept in its parent's entry.
#include "movie/timeline/field_node.h"

#include "movie/timeline/display_list.h"

namespace movie::timeline {

script::DisplayNode* FieldNode::parentNode() { return parent_; }

text::FontLibrary* FieldNode::fonts() const {
  if (holder_ && holder_->homeFonts) return holder_->homeFonts;
  return parent_ ? parent_->fontsAround() : nullptr;
}

std::string FieldNode::instanceName() const { return holder_ ? holder_->name : std::string(); }

void FieldNode::setInstanceName(const std::string& name) {
  if (holder_) holder_->name = name;
}

int FieldNode::depth() const { return holder_ ? int(holder_->depth) - kScriptDepthOffset : 0; }

Matrix FieldNode::matrix() const { return holder_ ? holder_->matrix : Matrix{}; }

void FieldNode::setMatrix(const Matrix& m) {
  if (holder_) holder_->matrix = m;
}

ColorTransform FieldNode::colorTransform() const { return holder_ ? holder_->colorTransform : ColorTransform{}; }

void FieldNode::setColorTransform(const ColorTransform& c) {
  if (holder_) holder_->colorTransform = c;
}

bool FieldNode::visible() const { return holder_ && holder_->visible; }

void FieldNode::setVisible(bool visible) {
  if (holder_) holder_->visible = visible;
}

script::Bounds FieldNode::localBounds() const {
  const format::Rect& r = field_->bounds();
  script::Bounds b;
  b.xMin = r.xMin, b.xMax = r.xMax, b.yMin = r.yMin, b.yMax = r.yMax;
  b.empty = false;
  return b;
}

bool FieldNode::removeSelf() { return parent_ && holder_ && parent_->removeByScript(holder_->depth); }

bool FieldNode::swapDepth(int depth) { return parent_ && holder_ && parent_->swapByScript(holder_->depth, depth); }

}  // namespace movie::timeline
