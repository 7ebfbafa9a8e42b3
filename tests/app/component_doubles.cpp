#include "component_doubles.h"

#include <algorithm>
#include <map>

#include "hosts/com/class_ids.h"
#include "hosts/com/dispatch_object.h"
#include "hosts/com/text.h"
#include "ui/text.h"

using namespace hosts::com;

namespace {
std::map<HWND, std::vector<UINT>>& Inbox() {
    static std::map<HWND, std::vector<UINT>> inbox;
    return inbox;
}

LRESULT CALLBACK RecordingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_NCDESTROY) Inbox().erase(w);
    else if (Inbox().count(w)) Inbox()[w].push_back(m);
    return DefWindowProcW(w, m, wp, lp);
}

const wchar_t* RecordingClass() {
    static const wchar_t* name = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = L"BrimbloRecordingWindow";
        RegisterClassW(&wc);
        return wc.lpszClassName;
    }();
    return name;
}

Ptr<IUnknown> AsUnknown(IDispatch* object) {
    return Ptr<IUnknown>::adopt(static_cast<IUnknown*>(object));
}

// The page's body: records what is put into "Scroll".
class BodyDouble : public DispatchObject {
public:
    explicit BodyDouble(CallLog& log) {
        addProperty(L"Scroll", 1001, [this] { return Variant(scroll_); },
                    [&log, this](const Variant& v) {
                        scroll_ = v.toString();
                        log.calls.push_back("Scroll=" + ui::narrow(scroll_));
                    });
    }

private:
    std::wstring scroll_ = L"auto";
};

class DocumentDouble : public DispatchObject {
public:
    explicit DocumentDouble(CallLog& log) : body_(make<BodyDouble>(log)) {
        addProperty(L"Body", 1002, [this] {
            if (!body_) return Variant();
            return Variant(static_cast<IDispatch*>(body_.get()));
        });
    }
    void DropBody() { body_.reset(); }

private:
    Ptr<BodyDouble> body_;
};

// A document that has no members at all.
class BareDocument : public DispatchObject {};
}  // namespace

HWND RecordingWindow::Make(HWND parent, const RECT& b) {
    HWND w = CreateWindowExW(0, RecordingClass(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, b.left, b.top,
                             b.right - b.left, b.bottom - b.top, parent, nullptr, GetModuleHandleW(nullptr),
                             nullptr);
    if (w) Inbox()[w];
    return w;
}

std::vector<UINT> RecordingWindow::Received(HWND window) {
    auto it = Inbox().find(window);
    return it == Inbox().end() ? std::vector<UINT>{} : it->second;
}

void RecordingWindow::Forget(HWND window) {
    if (auto it = Inbox().find(window); it != Inbox().end()) it->second.clear();
}

int CallLog::Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

// The movie player: Movie (102) and Play (112), by id or by name.
class FlashDouble : public BuiltinComponent {
public:
    explicit FlashDouble(CallLog& log) {
        addProperty(L"Movie", 102, [this] { return Variant(movie_); },
                    [&log, this](const Variant& v) {
                        if (!refusal.empty()) throw DispatchError{E_FAIL, refusal};
                        movie_ = v.toString();
                        log.calls.push_back("Movie=" + ui::narrow(movie_));
                    });
        addMethod(L"Play", 112, [&log](const DispArgs&) {
            log.calls.push_back("Play");
            return Variant();
        });
    }
    HWND inner = nullptr;
    std::wstring refusal;

protected:
    HWND createWindow(HWND parent, const RECT& bounds) override {
        inner = RecordingWindow::Make(parent, bounds);
        return inner;
    }

private:
    std::wstring movie_;
};

// The web page component: Navigate (104), Document (203), the completion event (259).
class WebDouble : public BuiltinComponent {
public:
    explicit WebDouble(CallLog& log) : document_(make<DocumentDouble>(log)) {
        addMethod(L"Navigate", 104, [&log](const DispArgs& args) {
            log.calls.push_back("Navigate=" + ui::narrow(args.string(0)));
            log.navigateArgCount = static_cast<int>(args.size());
            for (size_t i = 1; i < args.size(); ++i)
                if (args.has(i)) log.navigateOptionalArgsOmitted = false;
            return Variant();
        });
        addProperty(L"Document", 203, [this] {
            if (bare_) return Variant(static_cast<IDispatch*>(bare_.get()));
            return Variant(static_cast<IDispatch*>(document_.get()));
        });
    }
    void UseBareDocument() { bare_ = make<BareDocument>(); }
    void Complete() { fire(259, {Variant(static_cast<IDispatch*>(this)), Variant(L"http://x/edu/info.htm")}); }
    void DropBody() { document_->DropBody(); }
    HWND outer = nullptr, nested = nullptr;

protected:
    HWND createWindow(HWND parent, const RECT& bounds) override {
        outer = RecordingWindow::Make(parent, bounds);
        nested = RecordingWindow::Make(outer, RECT{0, 0, 50, 20});
        return outer;
    }

private:
    Ptr<DocumentDouble> document_;
    Ptr<BareDocument> bare_;
};

ComponentDoubles::ComponentDoubles()
    : flashRegistration_(kMoviePlayerClsid,
                         [this] {
                             auto* d = new FlashDouble(log);
                             flash = d;
                             return AsUnknown(d);
                         }),
      webRegistration_(kWebPageClsid, [this] {
          auto* d = new WebDouble(log);
          web = d;
          return AsUnknown(d);
      }) {}

ComponentDoubles::~ComponentDoubles() = default;

void ComponentDoubles::CompleteDocument() {
    if (web) web->Complete();
}
void ComponentDoubles::DropBody() {
    if (web) web->DropBody();
}
void ComponentDoubles::UseDocumentWithoutBody() {
    if (web) web->UseBareDocument();
}
void ComponentDoubles::RefuseMovies(const std::wstring& description) {
    if (flash) flash->refusal = description;
}
HWND ComponentDoubles::FlashWindow() const { return flash ? flash->inner : nullptr; }
HWND ComponentDoubles::WebWindow() const { return web ? web->outer : nullptr; }
HWND ComponentDoubles::WebInnerWindow() const { return web ? web->nested : nullptr; }
