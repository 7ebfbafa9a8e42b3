// The frame skin on the main window, with the settings the window stores: hooked, the
// system caption and frame kept, the gradient painted under the child windows, limits
// and snapping off.
#include "app_fixture.h"

#include <vector>

namespace {

// The pixels of one row of the window as the screen shows it (window coordinates).
std::vector<COLORREF> WindowRow(HWND wnd, int y, int from, int to) {
    std::vector<COLORREF> row;
    HDC dc = GetWindowDC(wnd);
    for (int x = from; x < to; ++x) row.push_back(GetPixel(dc, x, y));
    ReleaseDC(wnd, dc);
    return row;
}

COLORREF ClientPixel(HWND wnd, int x, int y) {
    HDC dc = GetDC(wnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(wnd, dc);
    return c;
}

// Hides every child window of the form so that its own background shows.
void HideChildren(TfrmMain& form) {
    for (ui::Control* c : std::vector<ui::Control*>{form.lbMenu, form.Splitter1, form.pFlash, form.Panel1})
        c->setVisible(false);
}

// Gives the window a client area of the given height, keeping its width.
void SetClientHeight(HWND wnd, int height) {
    RECT window{}, client{};
    GetWindowRect(wnd, &window);
    GetClientRect(wnd, &client);
    int frame = (window.bottom - window.top) - client.bottom;
    SetWindowPos(wnd, nullptr, 0, 0, window.right - window.left, height + frame,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

TEST_F(MainWindowTest, TheFrameSkinIsActiveWithTheStoredSettings) {
    Open();
    TxpWindow& skin = *form->xpWindow1;
    EXPECT_TRUE(skin.Active());
    EXPECT_EQ(skin.HostForm(), form);
    EXPECT_NE(skin.OldWindowProc(), nullptr);
    EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(form->handle(), GWLP_WNDPROC)), skin.OldWindowProc());
    EXPECT_EQ(skin.Style(), xwsCustom);
    // Stored but off: the own caption, the size limits and the snapping.
    EXPECT_FALSE(skin.xpCaption().Active());
    EXPECT_FALSE(skin.SizeInfo().Active());
    EXPECT_FALSE(skin.StickWindow().Active());
    EXPECT_EQ(skin.xpCaption().Height(), 24);
    EXPECT_EQ(skin.xpCaption().BorderSize(), 4);
    EXPECT_EQ(skin.xpCaption().RoundedCorners(), kAllRoundedCorners);
    EXPECT_EQ(skin.xpCaption().FillDirection(), fdLeftToRight);
    EXPECT_EQ(skin.xpCaption().Font().name(), "MS Sans Serif");
    EXPECT_EQ(skin.SizeInfo().MaxSizeWidth(), 1032);
    EXPECT_EQ(skin.SizeInfo().MinTrackHeight(), 34);
    EXPECT_FALSE(skin.SizeInfo().UseSystemSettings());
    EXPECT_EQ(skin.StickWindow().StickAt(), 20);
    // The background is on: a vertical centre-out gradient.
    EXPECT_TRUE(skin.WinBackground().Active());
    EXPECT_EQ(skin.WinBackground().Style(), wbgGradient);
    EXPECT_EQ(skin.WinBackground().GradientFillDir(), fdVerticalFromCenter);
    EXPECT_EQ(skin.WinBackground().StartColor(), 16048082);
    EXPECT_EQ(skin.WinBackground().EndColor(), 16379881);
}

TEST_F(MainWindowTest, TheSystemCaptionAndFrameStay) {
    Open();
    HWND wnd = form->handle();
    EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(wnd, probe), ERROR);  // no shape of its own
    DeleteObject(probe);
    // The system answers the hit tests: its caption, its buttons, its edges.
    RECT r{};
    GetWindowRect(wnd, &r);
    int captionY = r.top + GetSystemMetrics(SM_CYSIZEFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM((r.left + r.right) / 2, captionY)), HTCAPTION);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(r.left + 1, (r.top + r.bottom) / 2)), HTLEFT);
    // The client area is the system's for this frame.
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, GetWindowLongW(wnd, GWL_STYLE), TRUE, GetWindowLongW(wnd, GWL_EXSTYLE));
    RECT client{};
    GetClientRect(wnd, &client);
    EXPECT_EQ(client.bottom, (r.bottom - r.top) - (frame.bottom - frame.top));
    EXPECT_EQ(client.right, (r.right - r.left) - (frame.right - frame.left));
}

TEST_F(MainWindowTest, TheFrameLooksTheSameWithTheSkinAsWithout) {
    Open();
    HWND wnd = form->handle();
    RECT r{};
    GetWindowRect(wnd, &r);
    const int width = r.right - r.left;
    const int captionY = GetSystemMetrics(SM_CYSIZEFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    std::vector<COLORREF> caption = WindowRow(wnd, captionY, 0, width);
    std::vector<COLORREF> edge = WindowRow(wnd, (r.bottom - r.top) - 2, 0, width);
    ASSERT_NE(caption.front(), CLR_INVALID) << "the screen cannot be read back";
    form->xpWindow1->SetActive(false);
    RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    EXPECT_EQ(WindowRow(wnd, captionY, 0, width), caption);
    EXPECT_EQ(WindowRow(wnd, (r.bottom - r.top) - 2, 0, width), edge);
}

TEST_F(MainWindowTest, TheGradientLiesUnderTheChildWindows) {
    Open();
    HWND wnd = form->handle();
    HideChildren(*form);
    // A client area 700 high: two halves of 350 rows, each 60 bands of 5 rows and 50 rows
    // of the colour the bands end in.
    SetClientHeight(wnd, 700);
    Pump();
    RECT client{};
    GetClientRect(wnd, &client);
    ASSERT_EQ(client.bottom, 700);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const COLORREF start = RGB(210, 223, 244), end = RGB(233, 239, 249);
    // Band 30 of 60: 30/59 of the way, rounded per channel (from the start colour in the
    // upper half, from the end colour in the lower one).
    const COLORREF upperMiddle = RGB(222, 231, 247), lowerMiddle = RGB(221, 231, 246);
    for (int x : {0, static_cast<int>(client.right) / 2, static_cast<int>(client.right) - 1}) {
        EXPECT_EQ(ClientPixel(wnd, x, 0), start) << x;
        EXPECT_EQ(ClientPixel(wnd, x, 4), start) << x;
        EXPECT_EQ(ClientPixel(wnd, x, 150), upperMiddle) << x;
        EXPECT_EQ(ClientPixel(wnd, x, 154), upperMiddle) << x;
        EXPECT_EQ(ClientPixel(wnd, x, 295), end) << x;
        EXPECT_EQ(ClientPixel(wnd, x, 349), end) << x;
        EXPECT_EQ(ClientPixel(wnd, x, 350), end) << x;
        EXPECT_EQ(ClientPixel(wnd, x, 350 + 150), lowerMiddle) << x;
        EXPECT_EQ(ClientPixel(wnd, x, 650), start) << x;
        EXPECT_EQ(ClientPixel(wnd, x, 699), start) << x;
    }
}

TEST_F(MainWindowTest, SizeLimitsAndSnappingAreOff) {
    Open();
    HWND wnd = form->handle();
    // The system's limits, not the stored ones.
    MINMAXINFO info{};
    info.ptMaxTrackSize = POINT{1, 1};
    SendMessageW(wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_NE(info.ptMinTrackSize.x, 123);
    EXPECT_NE(info.ptMaxSize.x, 1032);
    // A position 15 pixels inside the work area's left edge is left where it is.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(wnd, nullptr, work.left + 15, work.top + 40, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT r{};
    GetWindowRect(wnd, &r);
    EXPECT_EQ(r.left, work.left + 15);
    EXPECT_EQ(r.top, work.top + 40);
}
