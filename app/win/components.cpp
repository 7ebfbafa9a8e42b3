#include "app/win/components.h"

#include "skin/window/xp_window.h"
#include "ui/stream.h"

void RegisterHostControls() {
    hosts::flash::registerShockwaveFlashControl();
    hosts::web::registerWebBrowserControl();
    ui::registerClass(TxpWindow::staticClassInfo());
    ui::registerClass(TXPMenu::staticClassInfo());
}
