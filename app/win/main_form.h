#pragma once
// TfrmMain: the program's one window. Lesson tree on the left, the movie player on the
// right, the web banner along the bottom, a help menu and an exit command. Its layout
// and settings come from the form description resource "TFRMMAIN".
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/core/chr_object.h"
#include "app/win/components.h"
#include "skin/window/xp_window.h"
#include "ui/ui.h"

class TfrmMain : public ui::Form {
public:
    // Reads the form description; FormCreate runs at its end. Throws ui::Error.
    explicit TfrmMain(ui::Component* owner);
    ~TfrmMain() override;

    // Empties the lesson tree and fills it with the 38 lessons.
    void BuildLessonTree();

    // Handlers bound by name from the form description.
    void FormCreate(ui::Component* sender);
    void FormShow(ui::Component* sender);
    void lbMenu2Click(ui::Component* sender);
    void N3Click(ui::Component* sender);
    void N5Click(ui::Component* sender);
    void ApplicationEvents1Message(MSG& msg, bool& handled);
    void WebDocumentComplete(ui::Component* sender, IDispatch* window, const std::wstring& url);
    void FlashProgress(ui::Component* sender, int percentDone);
    void FlashFSCommand(ui::Component* sender, const std::wstring& command, const std::wstring& args);
    void FlashFlashCall(ui::Component* sender, const std::wstring& request);

    // The components, found by name once the description is read.
    ui::Splitter* Splitter1 = nullptr;
    ui::Panel* Panel1 = nullptr;
    TWebBrowser* Web = nullptr;
    ui::TreeView* lbMenu = nullptr;
    ui::Panel* pFlash = nullptr;
    TShockwaveFlash* Flash = nullptr;
    ui::MainMenu* MainMenu1 = nullptr;
    ui::MenuItem* N2 = nullptr;
    ui::MenuItem* N3 = nullptr;
    ui::MenuItem* N5 = nullptr;
    ui::ApplicationEvents* ApplicationEvents1 = nullptr;
    ui::ImageList* ImageList1 = nullptr;
    TxpWindow* xpWindow1 = nullptr;
    TXPMenu* XPMenu1 = nullptr;

protected:
    void initializeWindow() override;

private:
    void BindHandlers();
    void FindComponents();
    // Hands a lesson's movie address to the player, then starts it.
    void PlayLesson(const TChrObject& record);

    // Every record made by a tree fill; they stay until the window goes.
    std::vector<std::unique_ptr<TChrObject>> records_;
};
