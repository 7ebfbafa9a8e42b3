#include "app/win/components.h"

void RegisterHostControls() {
    hosts::flash::registerShockwaveFlashControl();
    hosts::web::registerWebBrowserControl();
}
