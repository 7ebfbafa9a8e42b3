#pragma once
// The page engine as its host sees it. The host fetches every address the engine asks
// for and hands the bytes in; the engine decodes, parses, styles and lays out the page,
// and gives back a display list to paint, the links under the pointer, the scroll state
// and a small object model for late-bound calls. No Windows header, no threads, no I/O:
// every call is made on the host's user-interface thread.
//
// A typical host loop:
//   page::Page p;  p.navigate(utf16ToUtf8(address));   // addresses are UTF-8
//   for (auto& r : p.takeRequests()) start fetching r.url (id r.id) ...
//   on arrival: p.deliver(id, bytes, contentType, finalUrl)  or  p.fail(id);
//   for (auto& c : p.takeCompletions()) raise the document-complete event;
//   if (p.needsLayout()) p.layout(w, h, measurer);  paint p.displayList();
//   on timer: delay = p.advance(elapsedMs); re-arm the timer only if delay has a value.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace page {

// ---------------------------------------------------------------------------------------
// Bounds. Everything the page can make grow is capped, so bad input ends in a clean state.
inline constexpr int kMaxRedirects = 8;            // redirects the host follows per request
inline constexpr int kMaxFrameDepth = 3;           // frames inside frames, top level = 0
inline constexpr int kMaxFrames = 16;              // frame and iframe documents per page
inline constexpr size_t kMaxDocumentBytes = 4u << 20;  // bytes of one document kept
inline constexpr size_t kMaxImageBytes = 4u << 20;     // bytes of one image kept
inline constexpr int kMaxImages = 64;              // image requests per page
inline constexpr int kMaxImagePixels = 4096 * 4096;    // width * height of one image
inline constexpr int kMaxGifFrames = 256;          // frames decoded from one GIF
inline constexpr int kMaxNodes = 200000;           // elements and text nodes per document
inline constexpr int kMaxDepth = 128;              // element nesting kept by the tree builder

// Colours are 0xAARRGGBB; colours in the display list are opaque (alpha 0xFF).
using Color = uint32_t;

// ---------------------------------------------------------------------------------------
// Text measuring. The host implements this with its fonts (GDI on Windows); the tests use
// a fake with a fixed advance. Text is UTF-32 so one unit is one character.
struct FontSpec {
  std::string family = "SimSun";  // first family of the page's font list, UTF-8
  int pixelSize = 12;             // character height in pixels (GDI: lfHeight = -pixelSize)
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const FontSpec&) const = default;
};

struct FontMetrics {
  int ascent = 0;   // pixels above the baseline
  int descent = 0;  // pixels below the baseline
};

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // Advance width in pixels of a run drawn in one piece.
  virtual int width(const FontSpec& font, std::u32string_view text) = 0;
  virtual FontMetrics metrics(const FontSpec& font) = 0;
  // Convenience for UTF-8 runs (decoded, then measured as UTF-32).
  int widthUtf8(const FontSpec& font, std::string_view utf8);
};

// UTF conversions the host needs at its edges (wide strings for the platform's calls).
std::u16string toUtf16(std::u32string_view text);
std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view text);
std::u32string utf8ToUtf32(std::string_view utf8);

// ---------------------------------------------------------------------------------------
// Images, decoded. Every frame is a whole canvas (width * height pixels, already composed
// over the previous frames as the GIF's disposal asks), so the host blits one frame as is.
// Pixels are premultiplied 0xAARRGGBB, rows top-down, stride = width: the layout of a
// top-down 32-bit DIB section, ready for AlphaBlend.
struct ImageFrame {
  std::vector<uint32_t> pixels;
  int delayMs = 0;  // how long this frame shows; 0 for still images
};

struct Image {
  int width = 0;
  int height = 0;
  std::vector<ImageFrame> frames;  // at least one for a decoded image
  int loopCount = 0;               // GIF: 0 = forever, n = play n times; stills: 0
  bool animated() const { return frames.size() > 1; }
};

// Decodes GIF (all frames, timing, transparency), PNG and JPEG. Returns nothing for data
// that is not an image, is broken beyond its first frame, or exceeds the bounds above.
std::shared_ptr<const Image> decodeImage(const uint8_t* data, size_t size);

// ---------------------------------------------------------------------------------------
// Fetching. Each request has an id, unique within one navigation, and an absolute URL
// (resolved against the document's base). The host answers each request exactly once
// with deliver() or fail(); answers to ids of an earlier navigation are ignored.
enum class RequestKind {
  Document,  // the top-level page, a frame or an iframe
  Image,     // <img>, background images, <input type=image>
};

struct Request {
  int id = 0;
  RequestKind kind = RequestKind::Document;
  std::string url;  // absolute, UTF-8; http:, https: or file: only
};

// A document that finished: its own bytes arrived and every frame and image it holds
// has been answered. Reported once per document, sub-documents before the document that
// holds them, so the top-level document is always the last of a navigation.
struct Completion {
  std::string url;
  bool topLevel = false;
};

// ---------------------------------------------------------------------------------------
// Display list: items in painting order, in view pixels (the scroll offset is already
// applied). Clips nest: PushClip intersects the current clip with the rect, PopClip
// restores the previous one.
struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  bool contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
  bool operator==(const Rect&) const = default;
};

enum class ItemKind { FillRect, Text, Image, PushClip, PopClip };

struct DisplayItem {
  ItemKind kind = ItemKind::FillRect;
  Rect rect;                // FillRect: area; Text: the run's box; Image: destination (the
                            // image is stretched to it); PushClip: the clip
  Color color = 0;          // FillRect and Text
  FontSpec font;            // Text
  std::u32string text;      // Text, one run in one font
  int baseline = 0;         // Text: y of the baseline in view pixels
  std::shared_ptr<const Image> image;  // Image
  int frame = 0;            // Image: which frame of an animated image to show
};

using DisplayList = std::vector<DisplayItem>;

// Scroll state after layout. Bars show when the content overflows the view and neither
// the body's Scroll member nor its CSS overflow forbids them ("no" / hidden).
struct ScrollState {
  int contentWidth = 0, contentHeight = 0;  // size of the laid-out page
  int viewWidth = 0, viewHeight = 0;        // area left for the page once bars are taken
  bool horizontalBar = false, verticalBar = false;
  int scrollX = 0, scrollY = 0;             // current offset, clamped to the content
};

// ---------------------------------------------------------------------------------------
// Object model for late-bound calls. Member names are matched without regard to case
// (as IDispatch::GetIDsOfNames does). A call on a member the object lacks fails and the
// failure carries the member name, so the host can report
// "Method '%s' not supported by automation object".
class ScriptObject;

struct Value {
  enum class Kind { Empty, String, Object };
  Kind kind = Kind::Empty;
  std::string string;                    // UTF-8, for Kind::String
  std::shared_ptr<ScriptObject> object;  // for Kind::Object
  static Value fromString(std::string s) { Value v; v.kind = Kind::String; v.string = std::move(s); return v; }
  static Value fromObject(std::shared_ptr<ScriptObject> o) { Value v; v.kind = Kind::Object; v.object = std::move(o); return v; }
};

struct CallResult {
  bool ok = false;
  Value value;               // the got value (Empty for a put)
  std::string failedMember;  // set when !ok: the name as the caller spelled it
  static CallResult success(Value v) { CallResult r; r.ok = true; r.value = std::move(v); return r; }
  static CallResult unknown(std::string_view name) { CallResult r; r.failedMember = name; return r; }
};

class ScriptObject {
 public:
  virtual ~ScriptObject() = default;
  // Dispatch identifiers for hosts that resolve names first; nothing for an unknown name.
  virtual std::optional<int> memberId(std::string_view name) const = 0;
  virtual CallResult get(std::string_view name) = 0;
  virtual CallResult put(std::string_view name, const Value& value) = 0;
  CallResult getById(int id);
  CallResult putById(int id, const Value& value);
  virtual std::string memberName(int id) const = 0;  // empty for an unknown id
};

// ---------------------------------------------------------------------------------------
// One page with its frames: the object behind the banner.
class Page {
 public:
  Page();
  ~Page();
  Page(const Page&) = delete;
  Page& operator=(const Page&) = delete;

  // Starts a navigation: drops the old page and asks for the document at url (one
  // Document request). An address that is not http:, https: or file: asks for nothing
  // and completes at once as a blank page.
  void navigate(std::string_view url);
  // Convenience for a host that fetched the top-level page itself: navigate + deliver.
  void load(std::string_view url, const uint8_t* data, size_t size, std::string_view contentType);

  // Requests made since the last call, in document order.
  std::vector<Request> takeRequests();
  // Answers. contentType is the HTTP Content-Type header as received (it may carry
  // "charset="); finalUrl is the address after redirects (empty = the requested one).
  void deliver(int id, const uint8_t* data, size_t size, std::string_view contentType,
               std::string_view finalUrl = {});
  void fail(int id);
  // Completed documents since the last call, in completion order.
  std::vector<Completion> takeCompletions();
  bool complete() const;  // the top-level document has completed

  // Layout for a view of width x height pixels. scrollBarSize is the thickness the host's
  // bars take; when a bar shows, the page is laid out again in the narrower area.
  void layout(int width, int height, TextMeasurer& measurer, int scrollBarSize = 16);
  bool needsLayout() const;  // true after navigation, arrivals, Scroll changes, resizes
  ScrollState scrollState() const;
  void scrollTo(int x, int y);  // clamped

  // Painting, after layout. The first item always fills the view with the page's
  // background colour (white while nothing has arrived).
  DisplayList displayList() const;
  Color backgroundColor() const;

  // Animations (GIF frames and marquees). Moves time on by elapsedMs and returns the
  // delay until the next change, or nothing when nothing moves (the host then needs no
  // timer). Call with 0 to learn the first delay. A change needs a repaint, not a layout.
  std::optional<int> advance(int elapsedMs);

  // Link under a view point, absolute and UTF-8; nothing when the point is on no link.
  std::optional<std::string> linkAt(int x, int y) const;

  // The top-level automation object: members "Document" (-> document: "Body", "URL",
  // "title"), body: "Scroll" ("yes", "no", "auto"), "bgColor", "innerText". Objects stay
  // safe to call after a new navigation (they then act on the new page).
  std::shared_ptr<ScriptObject> automation();

  // Text of the page title (UTF-8), and the address of the top-level document.
  std::string title() const;
  std::string url() const;

  struct Impl;  // the engine's own state; opaque to hosts

 private:
  std::shared_ptr<Impl> impl_;
};

}  // namespace page
