#include "ui/component.h"

#include <strings.h>

#include <algorithm>

namespace ui {
namespace {

// Tells the owner and everything it holds (except c itself) about c.
void notifyAll(Component* owner, Component* c, Operation op) {
  owner->notification(c, op);
  std::vector<Component*> list = owner->components();
  for (Component* x : list)
    if (x != c) x->notification(c, op);
}

// make<T>: the outermost component made next defers its insertion notification.
thread_local bool g_deferNext = false;
thread_local Component* g_deferred = nullptr;

}  // namespace

void deferNextInsertion() {
  g_deferNext = true;
  g_deferred = nullptr;
}

void announceDeferredInsertion(Component* c) {
  Component* d = g_deferred;
  g_deferNext = false;
  g_deferred = nullptr;
  if (c && d == c && c->owner()) notifyAll(c->owner(), c, Operation::Insert);
}

const ClassInfo& Component::staticClassInfo() {
  static const ClassInfo info =
      ClassInfo("TComponent", &Persistent::staticClassInfo())
          .prop([] {
            PropInfo p = prop::integer<Component, int>("Tag", 0, &Component::tag, &Component::setTag);
            return p;
          }());
  return info;
}

Component::Component(Component* owner) {
  if (!owner) {
    g_deferNext = false;
    return;
  }
  if (g_deferNext) {
    // Joins the owner now; make<T> announces it once it is complete.
    g_deferNext = false;
    g_deferred = this;
    if (!name_.empty() && owner->findComponent(name_)) throw Error("A component named " + name_ + " already exists");
    owner->components_.push_back(this);
    owner_ = owner;
    return;
  }
  owner->insertComponent(this);
}

Component::~Component() {
  destroying_ = true;
  std::vector<Component*> notifies;
  notifies.swap(freeNotifies_);
  for (Component* c : notifies) {
    c->freeNotifies_.erase(std::remove(c->freeNotifies_.begin(), c->freeNotifies_.end(), this),
                           c->freeNotifies_.end());
    c->notification(this, Operation::Remove);
  }
  // Owned components go last made, first freed.
  while (!components_.empty()) {
    Component* c = components_.back();
    removeComponent(c);
    delete c;
  }
  if (owner_) owner_->removeComponent(this);
}

int Component::componentIndex() const {
  if (!owner_) return -1;
  auto it = std::find(owner_->components_.begin(), owner_->components_.end(), this);
  return static_cast<int>(it - owner_->components_.begin());
}

void Component::insertComponent(Component* c) {
  if (!c || c->owner_ == this) return;
  if (c->owner_) c->owner_->removeComponent(c);
  if (!c->name_.empty() && findComponent(c->name_))
    throw Error("A component named " + c->name_ + " already exists");
  components_.push_back(c);
  c->owner_ = this;
  notifyAll(this, c, Operation::Insert);
}

void Component::removeComponent(Component* c) {
  auto it = std::find(components_.begin(), components_.end(), c);
  if (it == components_.end()) return;
  notifyAll(this, c, Operation::Remove);
  it = std::find(components_.begin(), components_.end(), c);
  if (it != components_.end()) components_.erase(it);
  c->owner_ = nullptr;
}

Component* Component::findComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (Component* c : components_)
    if (strcasecmp(c->name_.c_str(), name.c_str()) == 0) return c;
  return nullptr;
}

void Component::setName(const std::string& name) {
  if (name == name_) return;
  if (owner_ && !name.empty()) {
    Component* other = owner_->findComponent(name);
    if (other && other != this) throw Error("A component named " + name + " already exists");
  }
  name_ = name;
}

void Component::notification(Component*, Operation) {}

void Component::freeNotification(Component* c) {
  if (!c || c == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), c) == freeNotifies_.end()) freeNotifies_.push_back(c);
  if (std::find(c->freeNotifies_.begin(), c->freeNotifies_.end(), this) == c->freeNotifies_.end())
    c->freeNotifies_.push_back(this);
}

void Component::loaded() { loading_ = false; }

void Component::setParentComponent(Component*) {}

}  // namespace ui
