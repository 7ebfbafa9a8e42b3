#pragma once

namespace page {

// Scroll state after layout. Bars show when the content overflows the view and neither
// the body's Scroll member nor its CSS overflow forbids them ("no" / hidden).
struct ScrollState {
  int contentWidth = 0, contentHeight = 0;  // size of the laid-out page
  int viewWidth = 0, viewHeight = 0;        // area left for the page once bars are taken
  bool horizontalBar = false, verticalBar = false;
  int scrollX = 0, scrollY = 0;             // current offset, clamped to the content
};

}  // namespace page
