// Program start and end: web.dat is read by the site address module's initialisation
// (site_module.cpp) before this runs; then the component services, the application,
// the main window, the message loop, and everything released in reverse.
#include <windows.h>

#include "app/core/caption.h"
#include "app/win/main_form.h"
#include "hosts/com/apartment.h"
#include "hosts/flash/movie_component.h"
#include "hosts/web/web_component.h"
#include "ui/ui.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // A single-threaded apartment for the main thread, released when the program ends.
    hosts::com::Apartment apartment;
    // The program's own built-in components answer the two class identifiers.
    hosts::flash::registerMovieComponent();
    hosts::web::registerWebPageClass();

    ui::Application& application = ui::application();
    application.setTitle(MainCaption());
    application.setIcon(LoadIconW(instance, L"MAINICON"));
    // An error while the window is made or first shown is reported and ends the start.
    return application.start([&application] {
        auto* form = new TfrmMain(&application);
        if (!application.mainForm()) application.setMainForm(form);
    });
}
