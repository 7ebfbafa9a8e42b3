#include "app/win/components.h"

#include "ui/stream.h"

void RegisterHostControls() {
    hosts::flash::registerShockwaveFlashControl();
    hosts::web::registerWebBrowserControl();
    ui::registerClass(TXPMenu::staticClassInfo());
}
