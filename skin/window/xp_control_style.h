// TxpControlStyle: a settings base with a single published Active switch, on from
// construction, for skin settings objects that follow the one-switch pattern.
#pragma once
#include "ui/persistent.h"

class TxpControlStyle : public ui::Persistent {
 public:
  TxpControlStyle() = default;
  static const ui::ClassInfo& staticClassInfo();
  const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }
  bool Active() const { return active_; }
  void SetActive(bool v) { active_ = v; }

 private:
  bool active_ = true;
};
