// Image list on the common control (ImageList_*), 32 x 32 by default, with masks.
// Its contents stream as a list of icon or bitmap resources: Icons = [@TREE0, @TREE1].
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/graphics.h"

namespace ui {

class ImageList : public Component {
 public:
  explicit ImageList(Component* owner);
  ~ImageList() override;
  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }

  int width() const { return width_; }
  void setWidth(int w);
  int height() const { return height_; }
  void setHeight(int h);
  HIMAGELIST handle();
  int count() const;
  // Adds an icon (its mask comes with it); returns the index. Throws ui::Error.
  int addIcon(HICON icon);
  int addIconResource(const std::string& resourceName);
  // Adds a bitmap with the mask made from a colour.
  int addMasked(HBITMAP bmp, TColor maskColor);
  void clear();
  // Draws image i with its mask (ILD_TRANSPARENT) at (x, y).
  void draw(Canvas& canvas, int x, int y, int index, bool enabled = true);
  const std::vector<std::string>& iconResources() const { return resources_; }
  void setIconResources(const std::vector<std::string>& names);

  // Called after each change (controls that show the list repaint); each subscriber
  // is known by a key of its own (usually its address).
  void subscribe(const void* key, std::function<void()> fn);
  void unsubscribe(const void* key);

 private:
  void changed();
  HIMAGELIST list_ = nullptr;
  int width_ = 32, height_ = 32;
  std::vector<std::string> resources_;
  std::vector<std::pair<const void*, std::function<void()>>> subscribers_;
};

}  // namespace ui
