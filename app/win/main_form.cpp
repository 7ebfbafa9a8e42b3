#include "app/win/main_form.h"

#include "app/core/addresses.h"
#include "app/core/caption.h"
#include "app/core/catalogue.h"
#include "app/core/lesson_titles.h"
#include "app/core/site_addresses.h"
#include "app/win/platform_calls.h"
#include "hosts/com/dispatch.h"
#include "hosts/com/errors.h"
#include "page/util/url.h"

namespace {
template <class T>
T* Require(ui::Component& form, const char* name) {
    T* c = form.find<T>(name);
    if (!c) throw ui::Error(std::string("the main window has no component ") + name);
    return c;
}
}  // namespace

TfrmMain::TfrmMain(ui::Component* owner) : ui::Form(owner) {
    RegisterHostControls();
    BindHandlers();
    // FormCreate (bound as OnCreate) reads the components itself: it runs at the end
    // of loading, before this constructor goes on.
    loadDescription("TFRMMAIN");
    FindComponents();
    // The native window is made now, hidden, with the bounds FormCreate set; showing
    // it later only makes it visible.
    handle();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::BindHandlers() {
    bind("FormCreate", &TfrmMain::FormCreate);
    bind("FormShow", &TfrmMain::FormShow);
    bind("lbMenu2Click", &TfrmMain::lbMenu2Click);
    bind("N3Click", &TfrmMain::N3Click);
    bind("N5Click", &TfrmMain::N5Click);
    bind("ApplicationEvents1Message", &TfrmMain::ApplicationEvents1Message);
    bind("WebDocumentComplete", &TfrmMain::WebDocumentComplete);
    bind("FlashProgress", &TfrmMain::FlashProgress);
    bind("FlashFSCommand", &TfrmMain::FlashFSCommand);
    bind("FlashFlashCall", &TfrmMain::FlashFlashCall);
}

void TfrmMain::FindComponents() {
    Splitter1 = Require<ui::Splitter>(*this, "Splitter1");
    Panel1 = Require<ui::Panel>(*this, "Panel1");
    Web = Require<TWebBrowser>(*this, "Web");
    lbMenu = Require<ui::TreeView>(*this, "lbMenu");
    pFlash = Require<ui::Panel>(*this, "pFlash");
    Flash = Require<TShockwaveFlash>(*this, "Flash");
    MainMenu1 = Require<ui::MainMenu>(*this, "MainMenu1");
    N2 = Require<ui::MenuItem>(*this, "N2");
    N3 = Require<ui::MenuItem>(*this, "N3");
    N5 = Require<ui::MenuItem>(*this, "N5");
    ApplicationEvents1 = Require<ui::ApplicationEvents>(*this, "ApplicationEvents1");
    ImageList1 = Require<ui::ImageList>(*this, "ImageList1");
    xpWindow1 = Require<TxpWindow>(*this, "xpWindow1");
    XPMenu1 = Require<TXPMenu>(*this, "XPMenu1");
}

void TfrmMain::initializeWindow() {
    ui::Form::initializeWindow();
    // The program icon on the window's caption and task button.
    if (HICON icon = ui::application().icon()) {
        SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

void TfrmMain::FormCreate(ui::Component*) {
    // The whole primary screen, frame included; not the maximised state.
    setWidth(app::systemMetric(SM_CXSCREEN));
    setHeight(app::systemMetric(SM_CYSCREEN));
    setLeft(0);
    setTop(0);
}

void TfrmMain::FormShow(ui::Component*) {
    setCaption(MainCaption());
    BuildLessonTree();
    ui::TreeNode* first = lbMenu->items().item(0);
    PlayLesson(*static_cast<TChrObject*>(first->data()));
    Web->Navigate(ui::widen(BannerAddress()));
}

void TfrmMain::BuildLessonTree() {
    if (!lbMenu) lbMenu = Require<ui::TreeView>(*this, "lbMenu");
    lbMenu->items().clear();
    int counter = 1;
    for (int i = 1; i <= kLessonCount; ++i) {
        records_.push_back(MakeLessonRecord(i, counter++));
        TChrObject* record = records_.back().get();
        std::string title(LessonTitles(i));
        ui::TreeNode* node = lbMenu->items().add(title, record);
        node->setImageIndex(1);
    }
}

void TfrmMain::PlayLesson(const TChrObject& record) {
    Flash->setMovie(ui::widen(record.MovieUrl));
    Flash->Play();
}

void TfrmMain::lbMenu2Click(ui::Component*) {
    ui::TreeNode* node = lbMenu->selected();
    if (!node || !node->data()) return;
    PlayLesson(*static_cast<TChrObject*>(node->data()));
}

void TfrmMain::N3Click(ui::Component*) {
    // Only web addresses reach the shell: a line of web.dat naming a program or a local
    // file must never be started from a child's lesson player.
    if (page::isWebAddress(ChannelAddress)) app::shellOpen(handle(), ChannelAddress);
}

void TfrmMain::N5Click(ui::Component*) { close(); }

void TfrmMain::ApplicationEvents1Message(MSG& msg, bool& handled) {
    if (msg.message != WM_RBUTTONDOWN && msg.message != WM_RBUTTONUP && msg.message != WM_RBUTTONDBLCLK)
        return;
    // Only the windows inside the banner: those show the page and its menu.
    if (Web && Web->handleAllocated() && IsChild(Web->handle(), msg.hwnd)) handled = true;
}

void TfrmMain::WebDocumentComplete(ui::Component*, IDispatch*, const std::wstring&) {
    using namespace hosts::com;
    IDispatch* top = Web->application();
    if (!top) throwInvalidVariant();
    Ptr<IDispatch> document = objectOf(getByName(top, L"Document"));
    Ptr<IDispatch> body = objectOf(getByName(document.get(), L"Body"));
    putByName(body.get(), L"Scroll", Variant(L"no"));
}

void TfrmMain::FlashProgress(ui::Component*, int) {}
void TfrmMain::FlashFSCommand(ui::Component*, const std::wstring&, const std::wstring&) {}
void TfrmMain::FlashFlashCall(ui::Component*, const std::wstring&) {}
