#include "app_fixture.h"

#include <cstdio>

#include "hosts/com/apartment.h"

namespace {
// One apartment for the whole test run, as the program has one for its whole run.
class ApartmentEnvironment : public ::testing::Environment {
public:
    void SetUp() override { apartment_ = std::make_unique<hosts::com::Apartment>(); }
    void TearDown() override { apartment_.reset(); }

private:
    std::unique_ptr<hosts::com::Apartment> apartment_;
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ApartmentEnvironment);
}  // namespace

void MainWindowTest::SetUp() {
    doubles = std::make_unique<ComponentDoubles>();
    ui::application().setErrorReporter([this](const std::string& text, const std::string&) {
        errors.push_back(text);
    });
    app::shellOpen = [this](HWND, const std::string& address) { shellCalls.push_back(address); };
    screenPixelsPerInch = ui::Form::screenPixelsPerInch;
}

void MainWindowTest::TearDown() {
    if (form) {
        ui::application().setMainForm(nullptr);
        delete form;
        form = nullptr;
    }
    Pump();
    ui::application().resetTerminated();
    app::systemMetric = [](int index) { return GetSystemMetrics(index); };
    ui::Form::screenPixelsPerInch = screenPixelsPerInch;
    doubles.reset();
}

void MainWindowTest::Open() {
    form = new TfrmMain(&ui::application());
    ui::application().setMainForm(form);
    form->show();
    Pump();
}

void MainWindowTest::PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> input;
    for (WORD vk : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = vk;
        INPUT up = down;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        input.push_back(down);
        input.push_back(up);
    }
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

void MainWindowTest::Pump() {
    for (int i = 0; i < 3; ++i) ui::application().processMessages();
}

POINT MainWindowTest::ItemCentre(int position) {
    ui::TreeNode* node = form->lbMenu->items().item(position);
    RECT r{};
    SendMessageW(Tree(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(node->handle()));
    TreeView_GetItemRect(Tree(), node->handle(), &r, TRUE);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void MainWindowTest::Click(POINT at) {
    LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageW(Tree(), WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(Tree(), WM_LBUTTONUP, 0, where);
    Pump();
}

void MainWindowTest::DoubleClick(POINT at) {
    LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageW(Tree(), WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(Tree(), WM_LBUTTONUP, 0, where);
    PostMessageW(Tree(), WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    PostMessageW(Tree(), WM_LBUTTONUP, 0, where);
    Pump();
}

void MainWindowTest::Key(WORD vk) {
    PostMessageW(Tree(), WM_KEYDOWN, vk, 1);
    PostMessageW(Tree(), WM_KEYUP, vk, 0xC0000001);
    Pump();
}

void MainWindowTest::Command(ui::MenuItem* item) {
    PostMessageW(form->handle(), WM_COMMAND, MAKEWPARAM(item->command(), 0), 0);
    Pump();
}

void MainWindowTest::RightClick(HWND target) {
    PostMessageW(target, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    PostMessageW(target, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
}

TVITEMW MainWindowTest::Item(HTREEITEM item) {
    TVITEMW it{};
    it.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_CHILDREN;
    it.hItem = item;
    it.stateMask = TVIS_SELECTED;
    SendMessageW(Tree(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    return it;
}

std::wstring MainWindowTest::ItemText(HTREEITEM item) {
    wchar_t buffer[256] = {};
    TVITEMW it{};
    it.mask = TVIF_TEXT;
    it.hItem = item;
    it.pszText = buffer;
    it.cchTextMax = 255;
    SendMessageW(Tree(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    return buffer;
}

std::string MainWindowTest::Address(int lesson) {
    char file[16];
    std::snprintf(file, sizeof file, "%02d.swf", lesson);
    return std::string("http://") + BRIMBLO_CONTENT_HOST + ":88/edu/3/" + file;
}
