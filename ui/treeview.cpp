#include "ui/treeview.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/text.h"

namespace ui {

namespace {
constexpr UINT CN_NOTIFY = 0xBC00 + WM_NOTIFY;
const std::vector<std::string> kDragModes = {"dmManual", "dmAutomatic"};
}  // namespace

// ----- TreeNode -----

void TreeNode::setText(const std::string& gbk) {
  text_ = gbk;
  if (item_ && tree_->handleAllocated()) {
    std::wstring w = widen(gbk);
    TVITEMW it{};
    it.mask = TVIF_TEXT;
    it.hItem = item_;
    it.pszText = w.data();
    SendMessageW(tree_->handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
  }
}

void TreeNode::setImageIndex(int i) {
  imageIndex_ = i;
  if (item_ && tree_->handleAllocated()) {
    TVITEMW it{};
    it.mask = TVIF_IMAGE;
    it.hItem = item_;
    it.iImage = i;
    SendMessageW(tree_->handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
  }
}

void TreeNode::setSelectedIndex(int i) {
  selectedIndex_ = i;
  if (item_ && tree_->handleAllocated()) {
    TVITEMW it{};
    it.mask = TVIF_SELECTEDIMAGE;
    it.hItem = item_;
    it.iSelectedImage = i;
    SendMessageW(tree_->handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
  }
}

int TreeNode::index() const {
  const auto& list = parent_ ? parent_->children_ : tree_->items().roots();
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

int TreeNode::absoluteIndex() const {
  TreeNodes& nodes = tree_->items();
  for (int i = 0, n = nodes.count(); i < n; ++i)
    if (nodes.item(i) == this) return i;
  return -1;
}

bool TreeNode::selected() const { return tree_->selected() == this; }

void TreeNode::expand(bool expanded) {
  if (item_ && tree_->handleAllocated())
    SendMessageW(tree_->handle(), TVM_EXPAND, expanded ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_));
}

// ----- TreeNodes -----

TreeNodes::~TreeNodes() {
  for (TreeNode* n : roots_) destroy(n);
  roots_.clear();
}

void TreeNodes::destroy(TreeNode* n) {
  for (TreeNode* c : n->children_) destroy(c);
  delete n;
}

void TreeNodes::insertItem(TreeNode* n) {
  if (!tree_->handleAllocated()) return;
  std::wstring w = widen(n->text_);
  TVINSERTSTRUCTW ins{};
  ins.hParent = n->parent_ ? n->parent_->item_ : TVI_ROOT;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  ins.item.pszText = w.data();
  ins.item.iImage = n->imageIndex_;
  ins.item.iSelectedImage = n->selectedIndex_;
  ins.item.lParam = reinterpret_cast<LPARAM>(n);
  n->item_ = reinterpret_cast<HTREEITEM>(
      SendMessageW(tree_->handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
  for (TreeNode* c : n->children_) insertItem(c);
}

TreeNode* TreeNodes::addChild(TreeNode* parent, const std::string& gbk, void* data) {
  auto* n = new TreeNode;
  n->tree_ = tree_;
  n->parent_ = parent;
  n->text_ = gbk;
  n->data_ = data;
  tree_->handle();  // the entries live in the common control (made before n joins the list)
  (parent ? parent->children_ : roots_).push_back(n);
  insertItem(n);
  return n;
}

void TreeNodes::clear() {
  tree_->clearing_ = true;
  if (tree_->handleAllocated()) SendMessageW(tree_->handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  tree_->clearing_ = false;
  for (TreeNode* n : roots_) destroy(n);
  roots_.clear();
}

void TreeNodes::remove(TreeNode* node) {
  if (!node) return;
  auto& list = node->parent_ ? node->parent_->children_ : roots_;
  list.erase(std::remove(list.begin(), list.end(), node), list.end());
  if (node->item_ && tree_->handleAllocated())
    SendMessageW(tree_->handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->item_));
  destroy(node);
}

void TreeNodes::collect(std::vector<TreeNode*>& out, const std::vector<TreeNode*>& level) const {
  for (TreeNode* n : level) {
    out.push_back(n);
    collect(out, n->children_);
  }
}

int TreeNodes::count() const {
  std::vector<TreeNode*> all;
  collect(all, roots_);
  return static_cast<int>(all.size());
}

TreeNode* TreeNodes::item(int absoluteIndex) const {
  std::vector<TreeNode*> all;
  collect(all, roots_);
  if (absoluteIndex < 0 || absoluteIndex >= static_cast<int>(all.size())) return nullptr;
  return all[static_cast<size_t>(absoluteIndex)];
}

TreeNode* TreeNodes::fromHandle(HTREEITEM h) const {
  if (!h) return nullptr;
  std::vector<TreeNode*> all;
  collect(all, roots_);
  for (TreeNode* n : all)
    if (n->item_ == h) return n;
  return nullptr;
}

void TreeNodes::rebuild() {
  for (TreeNode* n : roots_) insertItem(n);
}

// ----- TreeView -----

const ClassInfo& TreeView::staticClassInfo() {
  static const ClassInfo info = [] {
    ClassInfo c("TTreeView", &WinControl::staticClassInfo(), makeComponent<TreeView>);
    PropInfo color = *Control::staticClassInfo().find("Color");
    color.def = Value::integer(clWindow);
    c.prop(color)
        .prop(prop::enumeration<TreeView, BorderStyle>("BorderStyle", kBorderStyleNames, BorderStyle::Single,
                                                       &TreeView::borderStyle, &TreeView::setBorderStyle))
        .prop(prop::enumeration<TreeView, DragMode>("DragMode", kDragModes, DragMode::Manual, &TreeView::dragMode,
                                                    &TreeView::setDragMode))
        .prop(prop::boolean<TreeView>("HideSelection", true, &TreeView::hideSelection, &TreeView::setHideSelection))
        .prop(prop::ref<TreeView, ImageList>("Images", &TreeView::images, &TreeView::setImages))
        .prop(prop::integer<TreeView, int>("Indent", 19, &TreeView::indent, &TreeView::setIndent))
        .prop(prop::boolean<TreeView>("ReadOnly", false, &TreeView::readOnly, &TreeView::setReadOnly))
        .prop(prop::boolean<TreeView>("RowSelect", false, &TreeView::rowSelect, &TreeView::setRowSelect))
        .prop(prop::boolean<TreeView>("ShowButtons", true, &TreeView::showButtons, &TreeView::setShowButtons))
        .prop(prop::boolean<TreeView>("ShowLines", true, &TreeView::showLines, &TreeView::setShowLines))
        .prop(prop::boolean<TreeView>("ShowRoot", true, &TreeView::showRoot, &TreeView::setShowRoot))
        .prop(prop::event("OnChange", &TreeView::onChange));
    return c;
  }();
  return info;
}

TreeView::TreeView(Component* owner) : WinControl(owner), items_(std::make_unique<TreeNodes>(this)) {
  width_ = 121;
  height_ = 97;
  color_ = clWindow;
  borderStyle_ = BorderStyle::Single;
  tabStop_ = true;
}

TreeView::~TreeView() {
  if (images_) images_->unsubscribe(this);
  destroyHandle();
  items_.reset();
}

void TreeView::createParams(CreateParams& p) {
  WinControl::createParams(p);
  p.className = WC_TREEVIEWW;
  p.systemClass = true;
  if (showLines_) p.style |= TVS_HASLINES;
  if (showRoot_) p.style |= TVS_LINESATROOT;
  if (showButtons_) p.style |= TVS_HASBUTTONS;
  if (!readOnly_) p.style |= TVS_EDITLABELS;
  if (!hideSelection_) p.style |= TVS_SHOWSELALWAYS;
  if (rowSelect_) p.style |= TVS_FULLROWSELECT;
  if (dragMode_ == DragMode::Manual) p.style |= TVS_DISABLEDRAGDROP;
  // Full-row selection does not go with lines in the common control.
  if (rowSelect_) p.style &= ~TVS_HASLINES;
}

void TreeView::initializeWindow() {
  WinControl::initializeWindow();
  SendMessageW(hwnd_, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(colorToRGB(color_)));
  SendMessageW(hwnd_, TVM_SETINDENT, static_cast<WPARAM>(indent_), 0);
  applyImages();
  items_->rebuild();
}

void TreeView::destroyWnd() {
  clearing_ = true;
  WinControl::destroyWnd();
  clearing_ = false;
  for (int i = 0, n = items_->count(); i < n; ++i) items_->item(i)->item_ = nullptr;
}

void TreeView::updateStyle() {
  if (!hwnd_) return;
  CreateParams p;
  createParams(p);
  const LONG mask = TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS | TVS_EDITLABELS | TVS_SHOWSELALWAYS |
                    TVS_FULLROWSELECT | TVS_DISABLEDRAGDROP;
  LONG st = (GetWindowLongW(hwnd_, GWL_STYLE) & ~mask) | (static_cast<LONG>(p.style) & mask);
  SetWindowLongW(hwnd_, GWL_STYLE, st);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TreeView::applyImages() {
  if (!hwnd_) return;
  SendMessageW(hwnd_, TVM_SETIMAGELIST, TVSIL_NORMAL,
               reinterpret_cast<LPARAM>(images_ ? images_->handle() : nullptr));
  // A new image list makes the control recompute its indent: keep the stored one.
  SendMessageW(hwnd_, TVM_SETINDENT, static_cast<WPARAM>(indent_), 0);
}

TreeNode* TreeView::selected() const {
  if (!hwnd_) return nullptr;
  auto h = reinterpret_cast<HTREEITEM>(SendMessageW(hwnd_, TVM_GETNEXTITEM, TVGN_CARET, 0));
  return items_->fromHandle(h);
}

void TreeView::setSelected(TreeNode* n) {
  SendMessageW(handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(n ? n->item_ : nullptr));
}

void TreeView::setImages(ImageList* list) {
  if (list == images_) return;
  if (images_) images_->unsubscribe(this);
  images_ = list;
  if (list) {
    list->freeNotification(this);
    list->subscribe(this, [this] { applyImages(); });
  }
  applyImages();
}

void TreeView::notification(Component* c, Operation op) {
  WinControl::notification(c, op);
  if (op == Operation::Remove && c == images_) {
    images_ = nullptr;
    applyImages();
  }
}

void TreeView::setIndent(int v) {
  indent_ = v;
  if (hwnd_) SendMessageW(hwnd_, TVM_SETINDENT, static_cast<WPARAM>(v), 0);
}
void TreeView::setReadOnly(bool v) { readOnly_ = v; updateStyle(); }
void TreeView::setRowSelect(bool v) { rowSelect_ = v; updateStyle(); }
void TreeView::setShowRoot(bool v) { showRoot_ = v; updateStyle(); }
void TreeView::setShowLines(bool v) { showLines_ = v; updateStyle(); }
void TreeView::setShowButtons(bool v) { showButtons_ = v; updateStyle(); }
void TreeView::setHideSelection(bool v) { hideSelection_ = v; updateStyle(); }

TreeNode* TreeView::getNodeAt(int x, int y) {
  if (!hwnd_) return nullptr;
  TVHITTESTINFO ht{};
  ht.pt = POINT{x, y};
  SendMessageW(hwnd_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht));
  UINT onItem = TVHT_ONITEM | (rowSelect_ ? (TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT) : 0);
  if (!(ht.flags & onItem)) return nullptr;
  return items_->fromHandle(ht.hItem);
}

LRESULT TreeView::wndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_LBUTTONDOWN: return leftButtonDown(GET_X_LPARAM(l), GET_Y_LPARAM(l));
    case WM_LBUTTONDBLCLK: {
      // The second press of a double click: no selection move, no second click.
      WinControl* self = this;
      dispatchEvent([self] { self->onDblClick(self); });
      return 0;
    }
    case WM_LBUTTONUP: return leftButtonUp(GET_X_LPARAM(l), GET_Y_LPARAM(l));
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(l) != hwnd_) pressed_ = false;
      break;
    case WM_SETFOCUS: return focusKeepingNoSelection(msg, w, l);
    case CN_NOTIFY: return treeNotification(reinterpret_cast<NMHDR*>(l));
    default: break;
  }
  return WinControl::wndProc(msg, w, l);
}

// The framework follows the press itself (the control's own tracking would eat the
// release): the entry under the pointer becomes selected, the empty part keeps it.
LRESULT TreeView::leftButtonDown(int x, int y) {
  pressed_ = true;
  SetFocus(hwnd_);
  TVHITTESTINFO ht{};
  ht.pt = POINT{x, y};
  SendMessageW(hwnd_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht));
  if ((ht.flags & TVHT_ONITEMBUTTON) && ht.hItem) {
    SendMessageW(hwnd_, TVM_EXPAND, TVE_TOGGLE, reinterpret_cast<LPARAM>(ht.hItem));
  } else if (TreeNode* n = getNodeAt(x, y)) {
    SendMessageW(hwnd_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(n->item_));
  }
  SetCapture(hwnd_);
  WinControl* self = this;
  dispatchEvent([=] { self->onMouseDown(self, mbLeft, ssLeft, x, y); });
  return 0;
}

// A release inside the control after a press in it is a click.
LRESULT TreeView::leftButtonUp(int x, int y) {
  bool wasPressed = pressed_;
  pressed_ = false;
  if (GetCapture() == hwnd_) ReleaseCapture();
  RECT r;
  GetClientRect(hwnd_, &r);
  POINT pt{x, y};
  if (wasPressed && PtInRect(&r, pt)) click();
  WinControl* self = this;
  dispatchEvent([=] { self->onMouseUp(self, mbLeft, 0, x, y); });
  return 0;
}

// The common control selects its first entry when it gets the focus with none
// selected; the program's tree keeps "none selected" until an entry is chosen.
LRESULT TreeView::focusKeepingNoSelection(UINT msg, WPARAM w, LPARAM l) {
  auto before = SendMessageW(hwnd_, TVM_GETNEXTITEM, TVGN_CARET, 0);
  clearing_ = !before;  // no change event for that selection
  LRESULT r = WinControl::wndProc(msg, w, l);
  if (!before && hwnd_ && SendMessageW(hwnd_, TVM_GETNEXTITEM, TVGN_CARET, 0))
    SendMessageW(hwnd_, TVM_SELECTITEM, TVGN_CARET, 0);
  clearing_ = false;
  return r;
}

LRESULT TreeView::treeNotification(const NMHDR* hdr) {
  if (hdr->code == TVN_SELCHANGEDW || hdr->code == TVN_SELCHANGEDA) {
    if (!clearing_) {
      TreeView* self = this;
      dispatchEvent([self] { self->onChange(self); });
    }
  } else if (hdr->code == TVN_BEGINLABELEDITW || hdr->code == TVN_BEGINLABELEDITA) {
    return readOnly_ ? TRUE : FALSE;
  } else if (hdr->code == TVN_DELETEITEMW || hdr->code == TVN_DELETEITEMA) {
    auto* nm = reinterpret_cast<const NMTREEVIEWW*>(hdr);
    if (auto* n = reinterpret_cast<TreeNode*>(nm->itemOld.lParam)) n->item_ = nullptr;
  }
  return 0;
}

}  // namespace ui
