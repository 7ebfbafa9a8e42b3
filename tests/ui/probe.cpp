#include "probe.h"

namespace uitest {

const ui::ClassInfo& ProbeSettings::staticClassInfo() {
  static const ui::ClassInfo info =
      ui::ClassInfo("TProbeSettings", &ui::Persistent::staticClassInfo())
          .prop(ui::prop::boolean<ProbeSettings>("Active", false, &ProbeSettings::active, &ProbeSettings::setActive))
          .prop(ui::prop::integer<ProbeSettings, int>("Height", 18, &ProbeSettings::height, &ProbeSettings::setHeight));
  return info;
}

void ProbeSettings::setHeight(int h) {
  height_ = h;
  if (log) log->push_back("Settings.Height=" + std::to_string(h));
}
void ProbeSettings::setActive(bool a) {
  active_ = a;
  if (log) log->push_back(std::string("Settings.Active=") + (a ? "1" : "0"));
}

const ui::ClassInfo& Probe::staticClassInfo() {
  static const ui::ClassInfo info =
      ui::ClassInfo("TProbe", &ui::Component::staticClassInfo(), ui::makeComponent<Probe>)
          .prop(ui::prop::ref<Probe, ui::ImageList>("Buddy", &Probe::buddy, &Probe::setBuddy))
          .prop(ui::prop::integer<Probe, int>("Count", 0, &Probe::count, &Probe::setCount))
          .prop(ui::prop::object<Probe, ProbeSettings>("Settings", &Probe::settings));
  return info;
}

Probe::Probe(ui::Component* owner) : ui::Component(owner) { settings_.log = &log; }

void Probe::setBuddy(ui::ImageList* b) {
  buddy_ = b;
  log.push_back("Buddy");
}
void Probe::setCount(int c) {
  count_ = c;
  log.push_back("Count=" + std::to_string(c) + (loading() ? " loading" : ""));
}
void Probe::loaded() {
  ui::Component::loaded();
  buddyAtLoaded = buddy_ != nullptr;
  log.push_back("Loaded");
}
void Probe::notification(ui::Component* c, ui::Operation op) {
  // The class is known on insertion; on removal during destruction only the name is.
  seen.push_back(op == ui::Operation::Insert ? "+" + c->className() : "-" + c->name());
}

void registerProbe() { ui::registerClass(Probe::staticClassInfo()); }

TestForm::TestForm(ui::Component* owner, bool readIt) : ui::Form(owner) {
  registerProbe();
  bind("FormCreate", &TestForm::FormCreate);
  bind("FormShow", &TestForm::FormShow);
  bind("lbMenu2Click", &TestForm::lbMenu2Click);
  bind("N3Click", &TestForm::N3Click);
  if (readIt) loadDescription("TESTFORM");
}

void TestForm::lbMenu2Click(ui::Component*) {
  ++clicks;
  selectedAtClick = find<ui::TreeView>("lbMenu")->selected();
}

std::string testFormText() { return ui::resourceText("TESTFORM"); }

void pump() { ui::application().processMessages(); }

}  // namespace uitest
