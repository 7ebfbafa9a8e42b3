// Test helpers: a probe component with a nested settings object (registered as
// TProbe), a form class that binds the test form's handlers, and small utilities.
#pragma once
#include <string>
#include <vector>

#include "ui/ui.h"

namespace uitest {

class ProbeSettings : public ui::Persistent {
 public:
  static const ui::ClassInfo& staticClassInfo();
  const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }
  int height() const { return height_; }
  void setHeight(int h);
  bool active() const { return active_; }
  void setActive(bool a);
  std::vector<std::string>* log = nullptr;

 private:
  int height_ = 18;
  bool active_ = false;
};

class Probe : public ui::Component {
 public:
  explicit Probe(ui::Component* owner);
  static const ui::ClassInfo& staticClassInfo();
  const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }
  ProbeSettings& settings() { return settings_; }
  ui::ImageList* buddy() const { return buddy_; }
  void setBuddy(ui::ImageList* b);
  int count() const { return count_; }
  void setCount(int c);
  void loaded() override;
  void notification(ui::Component* c, ui::Operation op) override;

  std::vector<std::string> log;  // setter calls and loaded, in order
  bool buddyAtLoaded = false;
  std::vector<std::string> seen;  // notifications: "+name" / "-name"

 private:
  ProbeSettings settings_;
  ui::ImageList* buddy_ = nullptr;
  int count_ = 0;
};

void registerProbe();

// The test form with its handlers bound.
class TestForm : public ui::Form {
 public:
  explicit TestForm(ui::Component* owner = nullptr, bool read = true);
  void read(const std::string& text) { readDescription(text); }
  int creates = 0, shows = 0, clicks = 0, n3Clicks = 0;
  ui::TreeNode* selectedAtClick = nullptr;
  void FormCreate(ui::Component*) { ++creates; }
  void FormShow(ui::Component*) { ++shows; }
  void lbMenu2Click(ui::Component*);
  void N3Click(ui::Component*) { ++n3Clicks; }
};

std::string testFormText();
// Serves the waiting messages.
void pump();

}  // namespace uitest
