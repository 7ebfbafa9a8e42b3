#include "ui/imagelist.h"

#include "ui/text.h"

namespace ui {

const ClassInfo& ImageList::staticClassInfo() {
  static const ClassInfo info =
      ClassInfo("TImageList", &Component::staticClassInfo(), makeComponent<ImageList>)
          .prop(prop::integer<ImageList, int>("Height", 32, &ImageList::height, &ImageList::setHeight))
          .prop(prop::integer<ImageList, int>("Width", 32, &ImageList::width, &ImageList::setWidth))
          .prop(prop::resourceList<ImageList>(
              "Icons", [](ImageList& l) { return l.iconResources(); },
              [](ImageList& l, const std::vector<std::string>& names) { l.setIconResources(names); }));
  return info;
}

ImageList::ImageList(Component* owner) : Component(owner) {}

ImageList::~ImageList() {
  if (list_) ImageList_Destroy(list_);
}

void ImageList::setWidth(int w) {
  if (w == width_ || w <= 0) return;
  width_ = w;
  clear();
}

void ImageList::setHeight(int h) {
  if (h == height_ || h <= 0) return;
  height_ = h;
  clear();
}

HIMAGELIST ImageList::handle() {
  if (!list_) {
    list_ = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
    if (!list_) throw Error("Cannot make an image list");
  }
  return list_;
}

int ImageList::count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

int ImageList::addIcon(HICON icon) {
  int i = ImageList_AddIcon(handle(), icon);
  if (i < 0) throw Error("Cannot add an icon to the image list");
  changed();
  return i;
}

int ImageList::addIconResource(const std::string& resourceName) {
  HICON icon = static_cast<HICON>(
      LoadImageW(resourceModule(), widen(resourceName).c_str(), IMAGE_ICON, width_, height_, 0));
  if (!icon) throw Error("Icon resource " + resourceName + " not found");
  int i = ImageList_AddIcon(handle(), icon);
  DestroyIcon(icon);
  if (i < 0) throw Error("Cannot add an icon to the image list");
  resources_.push_back(resourceName);
  changed();
  return i;
}

int ImageList::addMasked(HBITMAP bmp, TColor maskColor) {
  int i = ImageList_AddMasked(handle(), bmp, colorToRGB(maskColor));
  if (i < 0) throw Error("Cannot add a bitmap to the image list");
  changed();
  return i;
}

void ImageList::clear() {
  if (list_) ImageList_Remove(list_, -1);
  resources_.clear();
  changed();
}

void ImageList::draw(Canvas& canvas, int x, int y, int index, bool enabled) {
  if (!list_ || index < 0 || index >= count() || !canvas.handle()) return;
  ImageList_DrawEx(list_, index, canvas.handle(), x, y, 0, 0, CLR_NONE, enabled ? CLR_DEFAULT : CLR_NONE,
                   ILD_TRANSPARENT | (enabled ? 0 : ILD_BLEND50));
}

void ImageList::setIconResources(const std::vector<std::string>& names) {
  clear();
  for (const std::string& n : names) addIconResource(n);
}

void ImageList::subscribe(const void* key, std::function<void()> fn) {
  unsubscribe(key);
  subscribers_.emplace_back(key, std::move(fn));
}

void ImageList::unsubscribe(const void* key) {
  std::erase_if(subscribers_, [key](const auto& s) { return s.first == key; });
}

void ImageList::changed() {
  auto list = subscribers_;
  for (auto& [key, fn] : list)
    if (fn) fn();
}

}  // namespace ui
