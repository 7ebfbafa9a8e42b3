#include <strings.h>

#include <map>

#include "ui/application.h"
#include "ui/form.h"
#include "ui/imagelist.h"
#include "ui/main_menu.h"
#include "ui/popup_menu.h"
#include "ui/panel.h"
#include "ui/splitter.h"
#include "ui/stream.h"
#include "ui/text.h"
#include "ui/treeview.h"

namespace ui {

namespace {

struct NoCase {
  bool operator()(const std::string& a, const std::string& b) const { return strcasecmp(a.c_str(), b.c_str()) < 0; }
};

struct Registry {
  std::map<std::string, const ClassInfo*, NoCase> classes;
  std::map<std::string, ClassInfo::Factory, NoCase> factories;  // registered without a ClassInfo
};

Registry& registry() {
  static Registry* r = [] {
    auto* reg = new Registry;
    for (const ClassInfo* c : {&Form::staticClassInfo(), &Panel::staticClassInfo(), &Splitter::staticClassInfo(),
                               &TreeView::staticClassInfo(), &ImageList::staticClassInfo(),
                               &MainMenu::staticClassInfo(), &PopupMenu::staticClassInfo(),
                               &MenuItem::staticClassInfo(), &ApplicationEvents::staticClassInfo()})
      reg->classes[c->name()] = c;
    return reg;
  }();
  return *r;
}

}  // namespace

void registerClass(const ClassInfo& info) { registry().classes[info.name()] = &info; }

void registerClass(const std::string& className, ClassInfo::Factory factory) {
  registry().factories[className] = std::move(factory);
}

const ClassInfo* findClass(const std::string& className) {
  auto it = registry().classes.find(className);
  return it == registry().classes.end() ? nullptr : it->second;
}

Component* createComponent(const std::string& className, Component* owner) {
  auto f = registry().factories.find(className);
  if (f != registry().factories.end() && f->second) return f->second(owner);
  const ClassInfo* info = findClass(className);
  if (!info || !info->factory()) throw Error("unknown class " + className);
  return info->factory()(owner);
}

std::string resourceText(const std::string& resourceName) {
  HMODULE module = resourceModule();
  HRSRC res = FindResourceW(module, widen(resourceName).c_str(), reinterpret_cast<LPCWSTR>(RT_RCDATA));
  if (!res) throw Error("resource " + resourceName + " not found");
  HGLOBAL data = LoadResource(module, res);
  DWORD size = SizeofResource(module, res);
  const char* p = data ? static_cast<const char*>(LockResource(data)) : nullptr;
  if (!p) throw Error("resource " + resourceName + " cannot be read");
  return std::string(p, size);
}

}  // namespace ui
