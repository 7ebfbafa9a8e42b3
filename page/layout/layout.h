#pragma once
// Layout: turns a styled document tree into positioned items (boxes, text runs, images,
// clips) for a given area. Sub-documents (frames, iframes) and images come from a host,
// so this layer knows nothing of fetching.
#include <memory>
#include <string>
#include <vector>

#include "page/page.h"
#include "page/parse/dom.h"

namespace page {

// One positioned item, in page coordinates (before scrolling). A PushClip with
// marquee >= 0 opens a marquee: the items up to its PopClip move with that marquee.
struct LaidItem {
  ItemKind kind = ItemKind::FillRect;
  Rect rect;
  Color color = 0;
  FontSpec font;
  std::u32string text;
  int baseline = 0;
  int imageSlot = -1;  // Image: the host's slot number
  int link = -1;       // index into LayoutOutput::links, or -1
  int marquee = -1;    // PushClip: index into LayoutOutput::marquees
};

enum class MarqueeDirection { Left, Right, Up, Down };
enum class MarqueeBehavior { Scroll, Slide, Alternate };

struct MarqueeBox {
  Rect box;
  int contentWidth = 0, contentHeight = 0;
  MarqueeDirection direction = MarqueeDirection::Left;
  MarqueeBehavior behavior = MarqueeBehavior::Scroll;
  int amount = 6;   // pixels per step
  int delayMs = 85; // time between steps
  int loop = -1;    // passes to make, -1 = forever
};

struct LayoutOutput {
  std::vector<LaidItem> items;
  std::vector<std::string> links;  // absolute hrefs
  std::vector<MarqueeBox> marquees;
  int contentWidth = 0, contentHeight = 0;  // of the document laid out last
  Color background = 0xFFFFFFFF;            // its body's background colour
};

class LayoutHost {
 public:
  virtual ~LayoutHost() = default;
  // The decoded image at an absolute address (nullptr while pending or broken) and the
  // slot that stands for it in LaidItem::imageSlot; -1 when the address is not usable.
  virtual std::shared_ptr<const Image> image(const std::string& url, int* slot) = 0;
  // Lays out the document a frame or iframe element shows into `area` of `out`.
  virtual void subdocument(const Node& frameElement, Rect area, LayoutOutput& out) = 0;
};

// Lays out one document into `area` (its width is the view width; content may run below
// and to the right). Fills out.contentWidth/contentHeight for this document.
void layoutDocument(const DocumentTree& doc, const std::string& baseUrl, Rect area, TextMeasurer& measurer,
                    LayoutHost& host, LayoutOutput& out);

}  // namespace page
