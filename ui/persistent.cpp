#include "ui/persistent.h"

#include <strings.h>

namespace ui {

std::vector<const PropInfo*> ClassInfo::all() const {
  std::vector<const PropInfo*> out;
  if (base_) out = base_->all();
  for (const PropInfo& p : props_) {
    bool replaced = false;
    for (auto& q : out)
      if (strcasecmp(q->name.c_str(), p.name.c_str()) == 0) {
        q = &p;  // a derived class redeclares a property (another default)
        replaced = true;
      }
    if (!replaced) out.push_back(&p);
  }
  return out;
}

const PropInfo* ClassInfo::find(const std::string& propName) const {
  for (const ClassInfo* c = this; c; c = c->base_)
    for (const PropInfo& p : c->props_)
      if (strcasecmp(p.name.c_str(), propName.c_str()) == 0) return &p;
  return nullptr;
}

bool ClassInfo::inheritsFrom(const ClassInfo& other) const {
  for (const ClassInfo* c = this; c; c = c->base_)
    if (c == &other) return true;
  return false;
}

const ClassInfo& Persistent::staticClassInfo() {
  static const ClassInfo info("TPersistent", nullptr);
  return info;
}

void Persistent::assign(const Persistent& source) {
  throw Error("Cannot assign a " + source.className() + " to a " + className());
}

}  // namespace ui
