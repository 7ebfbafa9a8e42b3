// Tree view on the common control (WC_TREEVIEW).
//
// The click event follows the mouse only: a left press over an entry moves the
// selection there (a press over the empty part keeps it), and onClick is raised when
// the button is released over the tree. A double click raises it once (for its first
// press and release). Keyboard selection changes raise onChange, never onClick.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/win_control.h"
#include "ui/imagelist.h"

namespace ui {

class TreeView;
class TreeNodes;

class TreeNode {
 public:
  const std::string& text() const { return text_; }  // GBK
  void setText(const std::string& gbk);
  void* data() const { return data_; }
  void setData(void* d) { data_ = d; }
  int imageIndex() const { return imageIndex_; }
  void setImageIndex(int i);
  int selectedIndex() const { return selectedIndex_; }
  void setSelectedIndex(int i);
  TreeNode* parent() const { return parent_; }
  int index() const;            // among its siblings
  int absoluteIndex() const;    // in the whole tree, in display order
  int count() const { return static_cast<int>(children_.size()); }
  TreeNode* item(int i) const { return children_.at(static_cast<size_t>(i)); }
  HTREEITEM handle() const { return item_; }
  TreeView* treeView() const { return tree_; }
  bool selected() const;
  void expand(bool expanded);

 private:
  friend class TreeNodes;
  friend class TreeView;
  TreeView* tree_ = nullptr;
  TreeNode* parent_ = nullptr;
  std::vector<TreeNode*> children_;
  HTREEITEM item_ = nullptr;
  std::string text_;
  void* data_ = nullptr;
  int imageIndex_ = -1;
  int selectedIndex_ = 0;
};

// The entries; item(i) counts every entry in display order (top-level and nested).
class TreeNodes {
 public:
  explicit TreeNodes(TreeView* tree) : tree_(tree) {}
  ~TreeNodes();
  // Adds a last child of parent (null: a top-level entry) carrying data.
  TreeNode* addChild(TreeNode* parent, const std::string& gbk, void* data = nullptr);
  TreeNode* add(const std::string& gbk, void* data = nullptr) { return addChild(nullptr, gbk, data); }
  void clear();
  void remove(TreeNode* node);
  int count() const;
  TreeNode* item(int absoluteIndex) const;
  TreeNode* firstNode() const { return roots_.empty() ? nullptr : roots_.front(); }
  const std::vector<TreeNode*>& roots() const { return roots_; }
  TreeNode* fromHandle(HTREEITEM h) const;
  // Makes the common control's items (after the window is recreated).
  void rebuild();

 private:
  friend class TreeNode;
  void insertItem(TreeNode* n);
  void collect(std::vector<TreeNode*>& out, const std::vector<TreeNode*>& level) const;
  void destroy(TreeNode* n);
  TreeView* tree_;
  std::vector<TreeNode*> roots_;
};

enum class DragMode { Manual, Automatic };

class TreeView : public WinControl {
 public:
  explicit TreeView(Component* owner);
  ~TreeView() override;
  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }

  TreeNodes& items() { return *items_; }
  TreeNode* selected() const;
  void setSelected(TreeNode* n);
  ImageList* images() const { return images_; }
  void setImages(ImageList* list);
  int indent() const { return indent_; }
  void setIndent(int v);
  bool readOnly() const { return readOnly_; }
  void setReadOnly(bool v);
  bool rowSelect() const { return rowSelect_; }
  void setRowSelect(bool v);
  bool showRoot() const { return showRoot_; }
  void setShowRoot(bool v);
  bool showLines() const { return showLines_; }
  void setShowLines(bool v);
  bool showButtons() const { return showButtons_; }
  void setShowButtons(bool v);
  bool hideSelection() const { return hideSelection_; }
  void setHideSelection(bool v);
  DragMode dragMode() const { return dragMode_; }
  void setDragMode(DragMode m) { dragMode_ = m; }
  // The entry at a client point (null over the empty part).
  TreeNode* getNodeAt(int x, int y);

  NotifyEvent onChange;  // the selection moved (any cause)

  LRESULT wndProc(UINT msg, WPARAM w, LPARAM l) override;
  void notification(Component* c, Operation op) override;

 protected:
  void createParams(CreateParams& params) override;
  void initializeWindow() override;
  void destroyWnd() override;

 private:
  friend class TreeNodes;
  friend class TreeNode;
  LRESULT leftButtonDown(int x, int y);
  LRESULT leftButtonUp(int x, int y);
  LRESULT focusKeepingNoSelection(UINT msg, WPARAM w, LPARAM l);
  LRESULT treeNotification(const NMHDR* hdr);
  void updateStyle();
  void applyImages();
  std::unique_ptr<TreeNodes> items_;
  ImageList* images_ = nullptr;
  int indent_ = 19;
  bool readOnly_ = false;
  bool rowSelect_ = false;
  bool showRoot_ = true;
  bool showLines_ = true;
  bool showButtons_ = true;
  bool hideSelection_ = true;
  DragMode dragMode_ = DragMode::Manual;
  bool pressed_ = false;
  bool clearing_ = false;
};

}  // namespace ui
