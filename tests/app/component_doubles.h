#pragma once
// Doubles of the two embedded components, registered under their class identifiers for
// the lifetime of a test: they record every automation call the main window makes and
// make child windows that record the messages they receive.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "hosts/com/builtin_component.h"
#include "hosts/com/registry.h"

// A child window that keeps the numbers of the messages it receives.
struct RecordingWindow {
    static HWND Make(HWND parent, const RECT& bounds);
    // The messages received by `window` since it was made (or the last Forget).
    static std::vector<UINT> Received(HWND window);
    static void Forget(HWND window);
};

// What the doubles saw, in call order: "Movie=<address>", "Play", "Navigate=<address>",
// "Scroll=<value>".
struct CallLog {
    std::vector<std::string> calls;
    bool navigateOptionalArgsOmitted = true;
    int navigateArgCount = -1;
    void Clear() { calls.clear(); }
    int Count(const std::string& call) const;
};

class FlashDouble;
class WebDouble;

// Registers both doubles for its lifetime; the last made objects stay reachable.
class ComponentDoubles {
public:
    ComponentDoubles();
    ~ComponentDoubles();
    CallLog log;
    FlashDouble* flash = nullptr;  // the last player made
    WebDouble* web = nullptr;      // the last banner made
    // Fires the banner's document-complete event (259) as the component would.
    void CompleteDocument();
    // The windows the doubles made inside their hosts (null before).
    HWND FlashWindow() const;
    HWND WebWindow() const;
    HWND WebInnerWindow() const;  // a window nested inside the banner's component window
    // Makes the banner's page body empty (the late-bound call then has no object).
    void DropBody();
    // Makes the banner's document an object without a Body member.
    void UseDocumentWithoutBody();
    // Makes the player refuse every movie address with this description.
    void RefuseMovies(const std::wstring& description);

private:
    hosts::com::ScopedRegistration flashRegistration_;
    hosts::com::ScopedRegistration webRegistration_;
};
