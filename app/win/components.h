#pragma once
// The host controls of the two embedded components, as the main window names them.
#include "hosts/flash/shockwave_flash.h"
#include "hosts/web/web_browser.h"
#include "skin/menu/xp_menu.h"

using hosts::flash::TShockwaveFlash;
using hosts::web::TWebBrowser;

// Makes the two host control classes and the two skins known to the form description reader.
void RegisterHostControls();
