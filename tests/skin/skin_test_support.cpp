#include "skin_test_support.h"

namespace skintest {

SkinnedForm::SkinnedForm(int left, int top, int width, int height, ui::FormBorderStyle border) {
  form = new ui::Form(nullptr);
  form->setFormBorderStyle(border);
  form->setBounds(left, top, width, height);
  form->setCaption("Skin test");
  skin = ui::make<TxpWindow>(form);
}

SkinnedForm::~SkinnedForm() {
  if (ui::application().mainForm() == form) ui::application().setMainForm(nullptr);
  delete form;
  pump();
}

void SkinnedForm::showAndPump() {
  form->show();
  pump();
}

void pump() {
  for (int i = 0; i < 3; ++i) ui::application().processMessages();
}

COLORREF clientPixel(HWND wnd, int x, int y) {
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = GetDC(wnd);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return c;
}

RECT workArea() {
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

}  // namespace skintest
