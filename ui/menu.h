#pragma once
// A menu: the root of its items and the Win32 menu built from them, rebuilt whenever
// an item changes. With OwnerDraw every item is owner-drawn.
#include <windows.h>

#include "ui/component.h"
#include "ui/imagelist.h"
#include "ui/menu_item.h"

namespace ui {

// Reading order of a menu. Every mode but LeftToRight lays the menu out right to left
// (Windows' right-order items: bar items from the right, sub-menu arrows on the left).
enum class BiDiMode { LeftToRight, RightToLeft, RightToLeftNoAlign, RightToLeftReadingOnly };

class Menu : public Component {
 public:
  explicit Menu(Component* owner);
  ~Menu() override;
  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }

  // The root item holds the top-level items.
  MenuItem& items() { return *root_; }
  ImageList* images() const { return images_; }
  void setImages(ImageList* l);
  bool ownerDraw() const { return ownerDraw_; }
  void setOwnerDraw(bool v);
  BiDiMode biDiMode() const { return biDiMode_; }
  void setBiDiMode(BiDiMode m);
  bool isRightToLeft() const { return biDiMode_ != BiDiMode::LeftToRight; }
  virtual bool isMainMenu() const { return false; }
  // The Win32 menu, built on demand.
  HMENU handle();
  // Rebuilds the Win32 menu from the items (after a change).
  void rebuild();
  // The window that shows the menu (a form's window for a main menu; may be null).
  virtual HWND windowHandle() const { return nullptr; }

  void notification(Component* c, Operation op) override;
  void loaded() override;

  // Finds the item of a WM_COMMAND identifier in any menu (null when none).
  static MenuItem* findCommand(UINT id);
  // Handles WM_MEASUREITEM / WM_DRAWITEM of an owner-drawn menu item.
  static bool measureItem(MEASUREITEMSTRUCT& mis);
  static bool drawItem(const DRAWITEMSTRUCT& dis);

 protected:
  friend class MenuItem;
  virtual HMENU createHandle();
  virtual void changed();
  HMENU menu_ = nullptr;

 private:
  std::unique_ptr<MenuItem> root_;
  ImageList* images_ = nullptr;
  bool ownerDraw_ = false;
  BiDiMode biDiMode_ = BiDiMode::LeftToRight;
};

}  // namespace ui
