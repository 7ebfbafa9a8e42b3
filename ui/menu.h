// Menus: MainMenu (a form's menu bar), PopupMenu and MenuItem.
//
// Items are components owned by the form and nested in the description inside their
// menu or parent item. The Win32 menu is rebuilt from the items whenever an item
// changes. With OwnerDraw on the menu every item is owner-drawn: Windows' measure and
// draw requests reach the item's onMeasureItem / onDrawItem (which get the default
// measurement as the starting width and height); without handlers the framework
// measures and paints the item itself. WM_COMMAND of an item raises its onClick.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/graphics.h"
#include "ui/imagelist.h"

namespace ui {

class Menu;
class MenuItem;

// Shortcut values: virtual key | scShift | scCtrl | scAlt (0 = none).
constexpr int scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// "Ctrl+S", "F1", "Shift+Del"...; "" for 0.
std::string shortCutToText(int shortCut);
int textToShortCut(const std::string& text);

// Reading order of a menu. Every mode but LeftToRight lays the menu out right to left
// (Windows' right-order items: bar items from the right, sub-menu arrows on the left).
enum class BiDiMode { LeftToRight, RightToLeft, RightToLeftNoAlign, RightToLeftReadingOnly };

using MenuMeasureEvent = Event<void(MenuItem* sender, Canvas& canvas, int& width, int& height)>;
using MenuDrawEvent = Event<void(MenuItem* sender, Canvas& canvas, RECT rect, bool selected)>;

class MenuItem : public Component {
 public:
  explicit MenuItem(Component* owner);
  ~MenuItem() override;
  // Whether item points at a menu item that still exists (for pointers kept in messages).
  static bool isLive(const void* item);
  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }

  const std::string& caption() const { return caption_; }  // GBK; "-" is a separator
  void setCaption(const std::string& gbk);
  bool isLine() const { return caption_ == "-"; }
  int shortCut() const { return shortCut_; }
  void setShortCut(int sc);
  bool checked() const { return checked_; }
  void setChecked(bool v);
  bool radioItem() const { return radioItem_; }
  void setRadioItem(bool v);
  int groupIndex() const { return groupIndex_; }
  void setGroupIndex(int v) { groupIndex_ = v; }
  bool enabled() const { return enabled_; }
  void setEnabled(bool v);
  bool isDefault() const { return default_; }
  void setDefault(bool v);
  bool visible() const { return visible_; }
  void setVisible(bool v);
  int imageIndex() const { return imageIndex_; }
  void setImageIndex(int i);
  Bitmap& bitmap() { return *bitmap_; }
  const std::string& bitmapResource() const { return bitmap_->resourceName(); }
  void setBitmapResource(const std::string& name);
  ImageList* subMenuImages() const { return subMenuImages_; }
  void setSubMenuImages(ImageList* l);

  // Sub-items in order.
  int count() const { return static_cast<int>(items_.size()); }
  MenuItem* item(int i) const { return items_.at(static_cast<size_t>(i)); }
  const std::vector<MenuItem*>& items() const { return items_; }
  void add(MenuItem* item);
  void insert(int index, MenuItem* item);
  void remove(MenuItem* item);
  int indexOf(const MenuItem* item) const;
  MenuItem* parentItem() const { return parent_; }
  // The menu the item belongs to (through its parents), or null.
  Menu* menu() const;
  // The index among the parent's items (menu position of this item).
  int menuIndex() const;
  UINT command() const { return command_; }
  // The pop-up menu handle of an item with sub-items (null otherwise).
  HMENU handle();

  void setParentComponent(Component* parent) override;
  Component* parentComponent() const override;
  void notification(Component* c, Operation op) override;

  // Raises onClick (through the event guard of the caller).
  virtual void click();
  // The default size of an item (caption and shortcut in the menu font).
  SIZE defaultMeasure(Canvas& canvas);
  // The framework's own painting of an owner-drawn item.
  void defaultDraw(Canvas& canvas, RECT rect, bool selected);

  NotifyEvent onClick;
  MenuMeasureEvent onMeasureItem;
  MenuDrawEvent onDrawItem;

 private:
  friend class Menu;
  void changed();
  void fillMenu(HMENU target);
  std::string caption_;
  int shortCut_ = 0;
  bool checked_ = false, radioItem_ = false, enabled_ = true, default_ = false, visible_ = true;
  int groupIndex_ = 0;
  int imageIndex_ = -1;
  std::unique_ptr<Bitmap> bitmap_;
  ImageList* subMenuImages_ = nullptr;
  std::vector<MenuItem*> items_;
  MenuItem* parent_ = nullptr;
  Menu* rootOf_ = nullptr;  // set on the root item of a menu
  HMENU popup_ = nullptr;
  UINT command_ = 0;
};

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

class Form;

class MainMenu : public Menu {
 public:
  explicit MainMenu(Component* owner);
  ~MainMenu() override;  // takes itself off its form first
  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }
  bool isMainMenu() const override { return true; }
  HWND windowHandle() const override;
  // The form that shows it (set by Form::setMenu).
  Form* form() const { return form_; }

 protected:
  HMENU createHandle() override;
  void changed() override;

 private:
  friend class Form;
  Form* form_ = nullptr;
};

class PopupMenu : public Menu {
 public:
  explicit PopupMenu(Component* owner);
  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }
  // Shows the menu at a screen point and waits until it closes; the chosen item's
  // onClick runs afterwards.
  void popup(int x, int y);
  NotifyEvent onPopup;

 protected:
  HMENU createHandle() override;
};

}  // namespace ui
