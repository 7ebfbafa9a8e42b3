// Which controls the menu skin themes: the kinds of control and of parent container
// that its XPControls and XPContainers sets name, recognised by class (a class test
// matches the class and every class derived from it, a name test only the exact name).
#pragma once
#include <cstdint>

namespace ui {
class Component;
class Persistent;
}

namespace xpmenu {

// Members of XPContainers, bit 0 first.
enum TXPContainer : int {
  xccForm, xccFrame, xccToolbar, xccCoolbar, xccControlbar, xccPanel, xccScrollBox, xccGroupBox,
  xccTabSheet, xccPageScroller
};
// Members of XPControls, bit 0 first.
enum TXPControl : int {
  xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcListBox, xcEdit, xcMaskEdit, xcMemo,
  xcRichEdit, xcMiscEdit, xcCheckBox, xcRadioButton, xcButton, xcBitBtn, xcSpeedButton, xcUpDown,
  xcPanel, xcGroupBox, xcTreeView, xcListView, xcProgressBar, xcHotKey
};
using TXPContainers = std::uint32_t;  // bit i: member i
using TXPControls = std::uint32_t;
constexpr TXPContainers kAllContainers = (1u << 10) - 1;  // 1023
constexpr TXPControls kAllControls = (1u << 23) - 1;      // 8388607

constexpr bool Has(std::uint32_t set, int member) { return (set >> member) & 1u; }

// The object's class or one of its bases is named name.
bool IsClass(const ui::Persistent& object, const char* name);
// The object's own class is named name.
bool IsNamed(const ui::Persistent& object, const char* name);

// A control of a kind that a member of controls enables.
bool IsThemedKind(const ui::Component& control, TXPControls controls);
// A parent of a kind that a member of containers enables.
bool IsThemedContainer(const ui::Component& parent, TXPContainers containers);

// Kinds whose appearance is saved while themed: their border style and 3D border
// (edit controls, list boxes, tree views), or only their 3D border.
bool SavesBorderStyle(const ui::Component& control);
bool SavesCtl3D(const ui::Component& control);

}  // namespace xpmenu
