// The framework's example program: a window made from its own form description.
#include <windows.h>

#include "ui/ui.h"

namespace {

class ExampleForm : public ui::Form {
 public:
  explicit ExampleForm(ui::Component* owner) : ui::Form(owner) {
    bind("FormShow", &ExampleForm::FormShow);
    bind("TreeClick", &ExampleForm::TreeClick);
    bind("AboutClick", &ExampleForm::AboutClick);
    bind("ExitClick", &ExampleForm::ExitClick);
    loadDescription("FRMEXAMPLE");
  }

 private:
  void FormShow(ui::Component*) {
    auto* tree = find<ui::TreeView>("Tree");
    for (int i = 1; i <= 10; ++i) tree->items().add("Entry " + std::to_string(i));
  }
  void TreeClick(ui::Component*) {
    auto* tree = find<ui::TreeView>("Tree");
    if (ui::TreeNode* n = tree->selected()) find<ui::Panel>("Area")->setCaption(n->text());
  }
  void AboutClick(ui::Component*) { throw ui::Error("The framework's example window."); }
  void ExitClick(ui::Component*) { close(); }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ui::application().setTitle("ui example");
  return ui::application().start([] { new ExampleForm(&ui::application()); });
}
