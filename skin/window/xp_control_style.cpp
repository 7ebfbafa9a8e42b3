#include "skin/window/xp_control_style.h"

const ui::ClassInfo& TxpControlStyle::staticClassInfo() {
  static const ui::ClassInfo info =
      ui::ClassInfo("TxpControlStyle", &ui::Persistent::staticClassInfo())
          .prop(ui::prop::boolean<TxpControlStyle>("Active", true, &TxpControlStyle::Active, &TxpControlStyle::SetActive));
  return info;
}
