// The frame skin component: attaching, the window hook and the messages it answers.
#include <gtest/gtest.h>

#include "skin_test_support.h"

using skintest::SkinnedForm;

namespace {

WNDPROC ProcOf(HWND wnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)); }

// A procedure another party put in front of the window before the skin came.
WNDPROC g_beforeSkin = nullptr;
int g_seenByOther = 0;
LRESULT CALLBACK OtherSubclass(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_NULL) ++g_seenByOther;
  return CallWindowProcW(g_beforeSkin, wnd, msg, w, l);
}

MINMAXINFO Sentinel() {
  MINMAXINFO m{};
  m.ptMaxSize = POINT{11, 12};
  m.ptMaxPosition = POINT{13, 14};
  m.ptMinTrackSize = POINT{15, 16};
  m.ptMaxTrackSize = POINT{17, 18};
  return m;
}

}  // namespace

TEST(FrameSkin, AttachesToTheOwnerFormAndMakesItsWindow) {
  SkinnedForm f;
  EXPECT_EQ(f.skin->HostForm(), f.form);
  EXPECT_TRUE(f.form->handleAllocated());
  EXPECT_TRUE(f.skin->HadCaption());
  EXPECT_FALSE(f.form->vertScrollBar().visible());
  EXPECT_FALSE(f.form->horzScrollBar().visible());
  EXPECT_FALSE(f.skin->Active());
  EXPECT_EQ(f.skin->Style(), xwsCustom);
  EXPECT_EQ(f.skin->OldWindowProc(), nullptr);
  EXPECT_EQ(f.skin->OldClientProc(), nullptr);
  EXPECT_FALSE(f.skin->xpCaption().Active());
  EXPECT_FALSE(f.skin->SizeInfo().Active());
  EXPECT_FALSE(f.skin->StickWindow().Active());
  EXPECT_FALSE(f.skin->WinBackground().Active());
  EXPECT_FALSE(f.skin->OnCustomBorderDraw);
}

TEST(FrameSkin, AFormWithoutCaptionIsRemembered) {
  SkinnedForm f(0, 0, 200, 100, ui::FormBorderStyle::None);
  EXPECT_FALSE(f.skin->HadCaption());
}

TEST(FrameSkin, FindsTheFormUpTheParentChainOfAControlOwner) {
  ui::Form form(nullptr);
  auto* panel = ui::make<ui::Panel>(&form);
  panel->setParent(&form);
  auto* skin = ui::make<TxpWindow>(panel);
  EXPECT_EQ(skin->HostForm(), &form);
  EXPECT_TRUE(form.handleAllocated());
}

TEST(FrameSkin, AnOwnerThatIsNoWindowedControlIsATypeErrorAndNoOwnerLeavesItInert) {
  ui::Form form(nullptr);
  auto* list = ui::make<ui::ImageList>(&form);
  EXPECT_THROW(ui::make<TxpWindow>(list), ui::Error);
  TxpWindow loose(nullptr);
  EXPECT_EQ(loose.HostForm(), nullptr);
  loose.SetActive(true);  // nothing to hook
  EXPECT_EQ(loose.OldWindowProc(), nullptr);
  loose.WinBackground().SetActive(true);
  EXPECT_EQ(loose.FormWindowProc(WM_NULL, 0, 0), 0);
}

TEST(FrameSkin, HookAndUnhookPutTheSavedProcedureBack) {
  SkinnedForm f;
  HWND wnd = f.wnd();
  WNDPROC original = ProcOf(wnd);
  f.skin->SetActive(true);
  EXPECT_NE(ProcOf(wnd), original);
  EXPECT_EQ(f.skin->OldWindowProc(), original);
  f.skin->SetActive(true);  // the same value again changes nothing
  EXPECT_EQ(f.skin->OldWindowProc(), original);
  f.skin->SetActive(false);
  EXPECT_EQ(ProcOf(wnd), original);
  EXPECT_EQ(f.skin->OldWindowProc(), nullptr);
}

TEST(FrameSkin, AProcedurePutInFrontEarlierIsKeptOnUnhook) {
  SkinnedForm f;
  HWND wnd = f.wnd();
  g_beforeSkin = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OtherSubclass)));
  f.skin->SetActive(true);
  EXPECT_EQ(f.skin->OldWindowProc(), &OtherSubclass);
  g_seenByOther = 0;
  SendMessageW(wnd, WM_NULL, 0, 0);
  EXPECT_EQ(g_seenByOther, 1);  // messages the skin does not answer go on through it
  f.skin->SetActive(false);
  EXPECT_EQ(ProcOf(wnd), &OtherSubclass);
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_beforeSkin));
}

TEST(FrameSkin, TheHookSurvivesTheFormMakingItsWindowAgain) {
  SkinnedForm f;
  f.skin->SetActive(true);
  f.skin->SizeInfo().SetActive(true);
  f.skin->SizeInfo().SetMaxTrackWidth(333);
  f.form->setFormBorderStyle(ui::FormBorderStyle::Single);  // remakes the window
  ASSERT_TRUE(f.form->handleAllocated());
  MINMAXINFO m = Sentinel();
  SendMessageW(f.wnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&m));
  EXPECT_EQ(m.ptMaxTrackSize.x, 333);
}

TEST(FrameSkin, SizeLimitsAnswerMinMaxInfoOnlyWhileActive) {
  SkinnedForm f;
  f.skin->SetActive(true);
  MINMAXINFO m = Sentinel();
  SendMessageW(f.wnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&m));
  EXPECT_EQ(m.ptMaxTrackSize.x, 17);  // inactive: the skin leaves the record to the system
  TWindowSizeInfo& s = f.skin->SizeInfo();
  s.SetActive(true);
  // With the system settings: the system's metrics.
  m = Sentinel();
  EXPECT_EQ(SendMessageW(f.wnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&m)), 0);
  EXPECT_EQ(m.ptMaxSize.x, GetSystemMetrics(SM_CXMAXIMIZED));
  EXPECT_EQ(m.ptMaxSize.y, GetSystemMetrics(SM_CYMAXIMIZED));
  EXPECT_EQ(m.ptMaxPosition.x, 0);
  EXPECT_EQ(m.ptMinTrackSize.x, GetSystemMetrics(SM_CXMINTRACK));
  EXPECT_EQ(m.ptMinTrackSize.y, GetSystemMetrics(SM_CYMINTRACK));
  EXPECT_EQ(m.ptMaxTrackSize.x, GetSystemMetrics(SM_CXMAXTRACK));
  EXPECT_EQ(m.ptMaxTrackSize.y, GetSystemMetrics(SM_CYMAXTRACK));
  // A size set to its own value keeps the system settings; another value turns them off.
  s.SetMaxSizeWidth(s.MaxSizeWidth());
  EXPECT_TRUE(s.UseSystemSettings());
  s.SetMaxSizeWidth(500);
  s.SetMaxSizeHeight(400);
  s.SetMaxPositionX(7);
  s.SetMaxPositionY(9);
  s.SetMinTrackWidth(300);
  s.SetMinTrackHeight(200);
  s.SetMaxTrackWidth(600);
  s.SetMaxTrackHeight(450);
  EXPECT_FALSE(s.UseSystemSettings());
  m = Sentinel();
  SendMessageW(f.wnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&m));
  EXPECT_EQ(m.ptMaxSize.x, 500);
  EXPECT_EQ(m.ptMaxSize.y, 400);
  EXPECT_EQ(m.ptMaxPosition.x, 7);
  EXPECT_EQ(m.ptMaxPosition.y, 9);
  EXPECT_EQ(m.ptMinTrackSize.x, 300);
  EXPECT_EQ(m.ptMinTrackSize.y, 200);
  EXPECT_EQ(m.ptMaxTrackSize.x, 600);
  EXPECT_EQ(m.ptMaxTrackSize.y, 450);
  // The system applies them when the window is sized and maximised.
  SetWindowPos(f.wnd(), nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT r{};
  GetWindowRect(f.wnd(), &r);
  EXPECT_EQ(r.right - r.left, 600);
  EXPECT_EQ(r.bottom - r.top, 450);
  SetWindowPos(f.wnd(), nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(f.wnd(), &r);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 200);
  f.showAndPump();
  ShowWindow(f.wnd(), SW_MAXIMIZE);
  GetWindowRect(f.wnd(), &r);
  EXPECT_EQ(r.left, 7);
  EXPECT_EQ(r.top, 9);
  EXPECT_EQ(r.right - r.left, 500);
  EXPECT_EQ(r.bottom - r.top, 400);
  ShowWindow(f.wnd(), SW_RESTORE);
  // Back to the system settings: all eight values reloaded.
  s.SetUseSystemSettings(true);
  EXPECT_EQ(s.MaxTrackWidth(), GetSystemMetrics(SM_CXMAXTRACK));
  EXPECT_EQ(s.MinTrackHeight(), GetSystemMetrics(SM_CYMINTRACK));
  EXPECT_EQ(s.MaxPositionX(), 0);
}

namespace {
WINDOWPOS Snap(SkinnedForm& f, int x, int y, int cx, int cy, LRESULT* result = nullptr) {
  WINDOWPOS p{};
  p.hwnd = f.wnd();
  p.x = x;
  p.y = y;
  p.cx = cx;
  p.cy = cy;
  p.flags = SWP_NOZORDER;
  LRESULT r = SendMessageW(f.wnd(), WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&p));
  if (result) *result = r;
  return p;
}
}  // namespace

TEST(FrameSkin, SnappingPutsTheWindowAgainstEachWorkAreaEdge) {
  SkinnedForm f;
  f.skin->SetActive(true);
  const RECT wa = skintest::workArea();
  const int midY = (wa.top + wa.bottom) / 2 - 100, midX = (wa.left + wa.right) / 2 - 100;
  // Off: the position stays.
  EXPECT_EQ(Snap(f, wa.left + 15, midY, 200, 200).x, wa.left + 15);
  TStickWindow& s = f.skin->StickWindow();
  s.SetActive(true);
  EXPECT_EQ(s.StickAt(), 20);
  LRESULT result = -1;
  EXPECT_EQ(Snap(f, wa.left + 15, midY, 200, 200, &result).x, wa.left);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Snap(f, wa.left - 15, midY, 200, 200).x, wa.left);
  EXPECT_EQ(Snap(f, wa.left + 20, midY, 200, 200).x, wa.left);
  EXPECT_EQ(Snap(f, wa.left + 21, midY, 200, 200).x, wa.left + 21);
  EXPECT_EQ(Snap(f, wa.left - 25, midY, 200, 200).x, wa.left - 25);  // past the left edge: left alone
  // Right: within the distance, and any amount past the edge, snaps flush.
  EXPECT_EQ(Snap(f, wa.right - 200 - 15, midY, 200, 200).x, wa.right - 200);
  EXPECT_EQ(Snap(f, wa.right - 200 + 100, midY, 200, 200).x, wa.right - 200);
  EXPECT_EQ(Snap(f, wa.right - 200 - 40, midY, 200, 200).x, wa.right - 240);
  // Top and bottom likewise.
  EXPECT_EQ(Snap(f, midX, wa.top + 12, 200, 200).y, wa.top);
  EXPECT_EQ(Snap(f, midX, wa.top - 50, 200, 200).y, wa.top);
  EXPECT_EQ(Snap(f, midX, wa.top + 40, 200, 200).y, wa.top + 40);
  EXPECT_EQ(Snap(f, midX, wa.bottom - 200 - 15, 200, 200).y, wa.bottom - 200);
  EXPECT_EQ(Snap(f, midX, wa.bottom - 200 + 60, 200, 200).y, wa.bottom - 200);
  EXPECT_EQ(Snap(f, midX, wa.bottom - 200 - 30, 200, 200).y, wa.bottom - 230);
  // Only the edges named in DockBorders.
  s.SetDockBorders(1 << dbRight);
  EXPECT_EQ(Snap(f, wa.left + 5, wa.top + 5, 200, 200).x, wa.left + 5);
  EXPECT_EQ(Snap(f, wa.left + 5, wa.top + 5, 200, 200).y, wa.top + 5);
  s.SetDockBorders(0);
  WINDOWPOS p = Snap(f, wa.right - 190, wa.top + 1, 200, 200, &result);
  EXPECT_EQ(p.x, wa.right - 190);
  EXPECT_EQ(p.y, wa.top + 1);
  EXPECT_EQ(result, 0);
  // A real move goes through the same snapping.
  s.SetDockBorders(kAllDockBorders);
  SetWindowPos(f.wnd(), nullptr, wa.left + 10, midY, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT r{};
  GetWindowRect(f.wnd(), &r);
  EXPECT_EQ(r.left, wa.left);
}

TEST(FrameSkin, ActivationMessagesKeepTheFlagAndGoOnWhileTheCaptionIsOff) {
  SkinnedForm f;
  f.skin->SetActive(true);
  TxpCaption& c = f.skin->xpCaption();
  EXPECT_TRUE(c.WindowActive());
  LRESULT system = DefWindowProcW(f.wnd(), WM_NCACTIVATE, 0, 0);
  EXPECT_EQ(SendMessageW(f.wnd(), WM_NCACTIVATE, 0, 0), system);
  EXPECT_FALSE(c.WindowActive());
  SendMessageW(f.wnd(), WM_NCACTIVATE, 1, 0);
  EXPECT_TRUE(c.WindowActive());
}

TEST(FrameSkin, NonClientMessagesReachTheSystemWhileTheCaptionIsOff) {
  SkinnedForm f(120, 110, 400, 300);
  f.skin->SetActive(true);
  f.skin->WinBackground().SetActive(true);
  f.showAndPump();
  RECT wr{}, cr{};
  GetWindowRect(f.wnd(), &wr);
  GetClientRect(f.wnd(), &cr);
  // The system frame: the caption is hit as the system's caption, the client area follows the system metrics.
  LRESULT hit = SendMessageW(f.wnd(), WM_NCHITTEST, 0, MAKELPARAM(wr.left + 60, wr.top + GetSystemMetrics(SM_CYFRAME) + 4));
  EXPECT_EQ(hit, HTCAPTION);
  EXPECT_EQ(SendMessageW(f.wnd(), WM_NCHITTEST, 0, MAKELPARAM(wr.left + 200, wr.top + 150)), HTCLIENT);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, GetWindowLongW(f.wnd(), GWL_STYLE), FALSE, GetWindowLongW(f.wnd(), GWL_EXSTYLE));
  EXPECT_EQ(cr.bottom, (wr.bottom - wr.top) - (frame.bottom - frame.top));
  EXPECT_EQ(GetWindowLongW(f.wnd(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);
}

TEST(FrameSkin, DeactivatingRestoresTheCaptionAsItWasAndLeavesNoRegion) {
  SkinnedForm f;
  f.skin->SetActive(true);
  f.skin->ApplyFrameRegion(kAllRoundedCorners);
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(f.wnd(), probe), ERROR);
  f.skin->SetActive(false);
  EXPECT_EQ(GetWindowRgn(f.wnd(), probe), ERROR);
  EXPECT_EQ(GetWindowLongW(f.wnd(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);
  DeleteObject(probe);
  SkinnedForm bare(0, 0, 200, 100, ui::FormBorderStyle::None);
  bare.skin->SetActive(true);
  bare.skin->SetActive(false);
  EXPECT_EQ(GetWindowLongW(bare.wnd(), GWL_STYLE) & WS_CAPTION, 0);
}

TEST(FrameSkin, RestoreSystemCaptionSetsOrClearsBothCaptionBits) {
  SkinnedForm f;
  f.skin->RestoreSystemCaption(false);
  EXPECT_EQ(GetWindowLongW(f.wnd(), GWL_STYLE) & WS_CAPTION, 0);
  f.skin->RestoreSystemCaption(true);
  EXPECT_EQ(GetWindowLongW(f.wnd(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);
}

TEST(FrameSkin, AssigningAWholeSettingsObjectIsRefused) {
  SkinnedForm f, g;
  EXPECT_THROW(f.skin->SetSizeInfo(g.skin->SizeInfo()), ui::Error);
  EXPECT_THROW(f.skin->SetStickWindow(g.skin->StickWindow()), ui::Error);
  EXPECT_THROW(f.skin->SetxpCaption(g.skin->xpCaption()), ui::Error);
  EXPECT_THROW(f.skin->SetWinBackground(g.skin->WinBackground()), ui::Error);
}

TEST(FrameSkin, StyleIsAppliedOnceAndACaptionSetterReturnsItToCustom) {
  SkinnedForm f;
  f.skin->SetActive(true);
  f.skin->SetStyle(xwsXPSilver);
  EXPECT_EQ(f.skin->Style(), xwsXPSilver);
  TxpCaption& c = f.skin->xpCaption();
  EXPECT_TRUE(c.Active());
  EXPECT_EQ(c.FillDirection(), fdXP);
  EXPECT_EQ(c.Height(), 28);
  c.SetFillDirection(fdLeftToRight);
  EXPECT_EQ(f.skin->Style(), xwsCustom);
  f.skin->SetStyle(xwsXPSilver);
  EXPECT_EQ(c.FillDirection(), fdXP);
  // Setters that keep the style.
  c.SetRoundedCornerRadius(20);
  c.SetBtnBorderColor(ui::clRed);
  c.SetCustomButtonCount(2);
  EXPECT_EQ(f.skin->Style(), xwsXPSilver);
}
