#pragma once
// Internal state of a Page: its documents (top level first, then frames in the order
// they were found), image slots, the last layout and the animation state.
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "page/layout/layout.h"
#include "page/page.h"
#include "page/parse/dom.h"

namespace page {

struct DocumentState {
  enum class Load { Waiting, Loaded, Failed };
  std::string url;   // the address asked for, then the final one
  std::string base;  // for relative references (<base href> or the url)
  int requestId = -1;
  int parent = -1;   // index of the document holding the frame, -1 for the top level
  int depth = 0;
  const Node* frameElement = nullptr;  // in the parent's tree
  Load load = Load::Waiting;
  DocumentTree tree;
  std::vector<int> images;    // slots this document waits for
  std::vector<int> children;  // documents of its frames
  bool completed = false;
  std::string scroll;  // the body's Scroll member ("yes", "no", "auto" or "")
};

struct ImageSlot {
  std::string url;
  int requestId = -1;
  bool answered = false;
  std::shared_ptr<const Image> image;
  // Animation.
  int frame = 0;
  int elapsed = 0;
  int loopsDone = 0;
  bool finished = false;
};

struct MarqueeState {
  int position = 0;
  int elapsed = 0;
  int loopsDone = 0;
  bool forward = true;  // alternate: moving in the marquee's own direction
  bool finished = false;
};

struct Page::Impl {
  int generation = 0;
  int nextRequestId = 1;
  std::vector<std::unique_ptr<DocumentState>> documents;
  std::vector<ImageSlot> images;
  std::unordered_map<std::string, int> imageByUrl;
  std::map<int, std::pair<RequestKind, int>> pending;  // request id -> (kind, index)
  std::vector<Request> requests;
  std::vector<Completion> completions;
  std::unordered_map<const Node*, int> frameDocument;  // frame element -> document index
  int frameCount = 0;

  LayoutOutput laid;
  std::vector<MarqueeState> marquees;
  std::vector<bool> slotShown;  // slots the last layout shows
  ScrollState scroll;
  bool dirty = true;
  Color background = 0xFFFFFFFF;

  void navigate(std::string_view url);
  void deliver(int id, const uint8_t* data, size_t size, std::string_view contentType, std::string_view finalUrl);
  void fail(int id);
  int requestDocument(const std::string& url, int parent, int depth, const Node* frameElement);
  int imageSlot(const std::string& url, bool request);
  void documentArrived(int index, std::u32string text);
  void scanResources(int index);
  void checkCompletion();
  void layout(int width, int height, TextMeasurer& measurer, int scrollBarSize);
  void layoutOnce(int width, int height, TextMeasurer& measurer);
  void resetMarquees(bool keep);
  std::optional<int> advance(int elapsedMs);
  DocumentState* top() { return documents.empty() ? nullptr : documents[0].get(); }
};

}  // namespace page
