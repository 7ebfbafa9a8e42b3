#pragma once
// A menu item: a component owned by the form and nested in the description inside
// its menu or parent item. Each item has a WM_COMMAND identifier of its own, which
// raises its onClick. An owner-drawn item's measure and draw requests reach its
// onMeasureItem / onDrawItem (which get the default measurement as the starting
// width and height); without handlers the framework measures and paints it itself.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/graphics.h"
#include "ui/imagelist.h"
#include "ui/shortcut.h"

namespace ui {

class Menu;
class MenuItem;

using MenuMeasureEvent = Event<void(MenuItem* sender, Canvas& canvas, int& width, int& height)>;
using MenuDrawEvent = Event<void(MenuItem* sender, Canvas& canvas, RECT rect, bool selected)>;

class MenuItem : public Component {
 public:
  explicit MenuItem(Component* owner);
  ~MenuItem() override;
  // Whether item points at a menu item that still exists (for pointers kept in messages).
  static bool isLive(const void* item);
  // The item of a WM_COMMAND identifier (null when none).
  static MenuItem* byCommand(UINT id);
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

}  // namespace ui
