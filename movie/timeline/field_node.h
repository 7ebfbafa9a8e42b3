#pragma once
// A text field on the display list as scripts see it: a node with a place in the tree
// and a placement, but no timeline and no children. It also keeps what the field last
// exchanged with the script variable it is bound to.
#include <memory>
#include <string>

#include "movie/script/display_node.h"
#include "movie/text/text_field.h"

namespace movie::timeline {

class SpriteInstance;
struct DisplayObject;

class FieldNode : public script::DisplayNode {
 public:
  explicit FieldNode(std::shared_ptr<text::TextField> field) : field_(std::move(field)) {}

  text::TextField& field() const { return *field_; }
  const std::shared_ptr<text::TextField>& sharedField() const { return field_; }
  // Set by the parent whenever the entry holding this node moves.
  void link(SpriteInstance* parent, DisplayObject* holder) { parent_ = parent, holder_ = holder; }
  // The fonts of the movie that defines the field (null: the main movie's).
  text::FontLibrary* fonts() const;

  // The bound variable's value and the field's text as of the last exchange (UTF-8).
  struct Binding {
    bool exchanged = false;
    std::string variableValue, fieldText;
  };
  Binding& binding() { return binding_; }

  DisplayNode* parentNode() override;
  DisplayNode* childNamed(const std::string&, bool) override { return nullptr; }
  std::vector<DisplayNode*> childNodes() override { return {}; }
  std::string instanceName() const override;
  void setInstanceName(const std::string& name) override;
  int depth() const override;
  bool isClip() const override { return false; }

  int currentFrame() const override { return 0; }
  int totalFrames() const override { return 1; }
  int loadedFrames() const override { return 1; }
  int frameOfLabel(const std::string&) const override { return -1; }
  void gotoFrame(int) override {}
  void setPlaying(bool) override {}
  bool playing() const override { return false; }
  std::vector<script::CodeRange> frameScripts(int) override { return {}; }

  Matrix matrix() const override;
  void setMatrix(const Matrix& m) override;
  ColorTransform colorTransform() const override;
  void setColorTransform(const ColorTransform& c) override;
  bool visible() const override;
  void setVisible(bool visible) override;
  script::Bounds localBounds() const override;

  DisplayNode* createEmptyChild(const std::string&, int) override { return nullptr; }
  DisplayNode* attachChild(const std::string&, const std::string&, int) override { return nullptr; }
  DisplayNode* duplicate(const std::string&, int) override { return nullptr; }
  bool removeSelf() override;
  bool swapDepth(int depth) override;

 private:
  std::shared_ptr<text::TextField> field_;
  SpriteInstance* parent_ = nullptr;
  DisplayObject* holder_ = nullptr;
  Binding binding_;
};

}  // namespace movie::timeline
