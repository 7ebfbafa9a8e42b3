// The directions a gradient fill can run in (stored by name in form descriptions).
#pragma once

enum TFillDirection {
  fdTopToBottom,
  fdBottomToTop,
  fdLeftToRight,
  fdRightToLeft,
  fdVerticalFromCenter,
  fdHorizFromCenter,
  fdXP,
};
