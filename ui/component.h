// Components: named objects with an owner that frees them.
//
// An owner keeps its owned components in ownership order and frees them in reverse
// order when it is destroyed. Inserting and removing a component sends notification()
// to the owner and, as with the framework's usual rule, to every component the owner
// holds (so a skin on a form hears of menu items added to that form).
#pragma once
#include <string>
#include <vector>

#include "ui/persistent.h"

namespace ui {

enum class Operation { Insert, Remove };

class Component : public Persistent {
 public:
  explicit Component(Component* owner);
  ~Component() override;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }

  Component* owner() const { return owner_; }
  const std::vector<Component*>& components() const { return components_; }
  int componentCount() const { return static_cast<int>(components_.size()); }
  Component* component(int i) const { return components_.at(static_cast<size_t>(i)); }
  // Index in the owner's list (-1 without owner).
  int componentIndex() const;

  // Moves ownership (removal from the old owner, insertion into the new one).
  void insertComponent(Component* c);
  void removeComponent(Component* c);
  // The owned component with this name (case-insensitive), or null.
  Component* findComponent(const std::string& name) const;
  template <class T>
  T* find(const std::string& name) const {
    return dynamic_cast<T*>(findComponent(name));
  }

  const std::string& name() const { return name_; }
  // Throws ui::Error when a sibling of the same owner already has the name.
  void setName(const std::string& name);
  int tag() const { return tag_; }
  void setTag(int t) { tag_ = t; }

  // Called for every insertion into and removal from the owner (see above), and on a
  // component that another one references when that one goes away (freeNotification).
  // A removal sent while c is being destroyed comes from its base destructor: compare
  // c by address (its name still holds), do not cast it.
  virtual void notification(Component* c, Operation op);
  // Asks c to tell this component when it is destroyed (for references across owners).
  void freeNotification(Component* c);

  // The form description's reading state: loading() is true from creation by the
  // reader until loaded() runs, which happens after the whole description is read.
  bool loading() const { return loading_; }
  void setLoading(bool v) { loading_ = v; }
  virtual void loaded();
  bool destroying() const { return destroying_; }

  // The nesting of the form description: a control's parent, a menu item's menu.
  // The reader calls setParentComponent(block the child was written in) right after
  // making it; the writer writes the components whose parentComponent() is the block.
  virtual void setParentComponent(Component* parent);
  virtual Component* parentComponent() const { return nullptr; }

 private:
  Component* owner_ = nullptr;
  std::vector<Component*> components_;
  std::vector<Component*> freeNotifies_;
  std::string name_;
  int tag_ = 0;
  bool loading_ = false;
  bool destroying_ = false;
};

}  // namespace ui
