#pragma once
// The layout engine's working state for one document: the Layouter and the small types
// it passes between its parts (inline atoms, line placements, flow results). Only the
// layout layer includes this.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "page/layout/layout.h"
#include "page/style/resolve.h"

namespace page::layout_internal {

inline constexpr int kHuge = 1 << 20;       // "unbounded" width for no-wrap measuring
inline constexpr int kMaxCoordinate = 1 << 24;  // coordinates are clamped well inside int
inline constexpr int kMaxColumns = 200;
inline constexpr int kMaxTiles = 2000;

struct Intrinsic {
  int min = 0, max = 0;
};

// One unit of inline content.
struct Atom {
  enum class Kind { Word, Break, Image, Frame, Block };
  Kind kind = Kind::Word;
  const Node* node = nullptr;
  const ComputedStyle* style = nullptr;
  int link = -1;
  std::u32string text;
  bool spaceBefore = false;  // a collapsed space precedes this word
  bool breakBefore = false;  // a line may break before this atom
  int width = 0, height = 0;  // Image/Frame (margins included), Word (measured)
  int slot = -1;
};

struct Placed {
  const Atom* atom;
  int x;       // left edge relative to the line start
  int ascent, descent;
};

struct FlowResult {
  int height = 0;
  int maxRight = 0;  // widest line, relative to the flow's x
};

// Where a flow stands while its atoms are placed: the box it fills, the next line's top,
// the bottom margin still to collapse and the line being filled.
struct FlowCursor {
  const ComputedStyle& box;
  int x, width;
  int y;
  int pendingMargin = 0;
  std::vector<Placed> line;
  int lineX = 0;
  FlowResult result;
};

// The text run that a following word of the same look may join.
struct OpenRun {
  size_t item = SIZE_MAX;
  int end = 0;
};

inline int clampCoord(int64_t v) { return int(std::clamp<int64_t>(v, -kMaxCoordinate, kMaxCoordinate)); }

class Layouter {
 public:
  Layouter(const DocumentTree& doc, const std::string& base, TextMeasurer& m, LayoutHost& host, LayoutOutput& out)
      : doc_(doc), base_(base), m_(m), host_(host), out_(out), resolver_(doc) {
    rootStyle_ = resolver_.initial();
  }

  // Lays out the document into `area`; sets the output's content size and background.
  void run(Rect area);

 private:
  // inline.cpp: styles and the atoms of a flow.
  const ComputedStyle& style(const Node& e);
  FontMetrics metrics(const FontSpec& f);
  int textWidth(const FontSpec& f, std::u32string_view s) { return std::clamp(m_.width(f, s), 0, kMaxCoordinate); }
  int linkIndex(const Node& a);
  bool isBlockLevel(const Node& e, const ComputedStyle& st);
  void collect(const Node& parent, std::vector<Atom>& atoms, int link, bool& pendingSpace);
  Atom imageAtom(const Node& e, const ComputedStyle& st, int link);
  void splitText(const Node& text, const ComputedStyle& st, int link, std::vector<Atom>& atoms, bool& pendingSpace);
  // flow.cpp: stacked blocks, line boxes, backgrounds and borders.
  FlowResult flow(const Node& container, const ComputedStyle& cs, int x, int y, int width);
  // Ends the line being filled (an empty one only at a forced break, as tall as its font).
  void flushLine(FlowCursor& at, const Atom* forcedBreak);
  void flowBlock(FlowCursor& at, const Atom& a);
  void flowInline(FlowCursor& at, const Atom& a);
  // Moves what follows the last allowed break of a full line onto a new one.
  void wrapLine(FlowCursor& at, const Atom& next);
  void emitLine(const std::vector<Placed>& line, int x, int y, int ascent);
  void emitWord(const Placed& p, int left, int baseline, OpenRun& run);
  void emitReplaced(const Placed& p, int left, int baseline);
  void border(Rect r, int b, Color c, int link = -1);
  // Background colour and image of a box: a reserved slot for the colour (filled once the
  // box's height is known) and image tiles inserted at that place afterwards.
  size_t reserveBackground();
  void fillBackground(size_t slot, const ComputedStyle& st, Rect r);
  // block.cpp: block boxes, list markers, rules.
  // Lays out a block-level element whose margin-top edge is at `y` minus its top margin
  // (the caller has added the collapsed margin). Returns the border-box height.
  int block(const Node& e, const ComputedStyle& st, int x, int y, int availWidth, const ComputedStyle& parent, int* right);
  int plainBlock(const Node& e, const ComputedStyle& st, int x, int y, int availWidth, const ComputedStyle& parent, int* right);
  // The marker of a list item, left of its first line: a bullet, or the item's number
  // in an <ol>.
  void bullet(const Node& e, const ComputedStyle& st, int contentX, int contentY, size_t firstItem);
  int rule(const Node& e, const ComputedStyle& st, int x, int y, int availWidth, int* right);
  // table.cpp: intrinsic widths and tables.
  Intrinsic intrinsic(const Node& e, const ComputedStyle& st);
  struct Cell {
    const Node* node;
    const ComputedStyle* style;
    int column;
    int span;
  };
  struct TableGrid {
    std::vector<std::vector<Cell>> rows;
    std::vector<const Node*> rowNodes;
    int columns = 0;
    int spacing = 2, padding = 1, border = 0, cellBorder = 0;
  };
  TableGrid grid(const Node& table);
  struct Columns {
    std::vector<int> min, max;
    std::vector<bool> fixed;
    std::vector<int> percent;
  };
  Columns columnWidths(const TableGrid& g);
  Intrinsic tableIntrinsic(const Node& e, const ComputedStyle& st);
  // Widths of the columns for a table `width` wide (frame and spacing excluded).
  std::vector<int> distribute(const Columns& c, int width);
  int table(const Node& e, const ComputedStyle& st, int x, int y, int availWidth, const ComputedStyle& parent, int* right);
  // Where a table's columns go: its left edge, its width and each column's left edge
  // (one more than the columns: the last is past the last column).
  struct TablePlacement {
    int left = 0, width = 0;
    std::vector<int> colX;
  };
  TablePlacement placeTable(const TableGrid& g, const ComputedStyle& st, int x, int availWidth,
                            const ComputedStyle& parent);
  // A cell or a row laid out at its natural height: the items and background it made.
  struct CellDone {
    size_t bg, first, last;
    int height;
    const Cell* cell;
    int x, width;
  };
  struct RowDone {
    size_t bg, first, last;
    int y, height;
    const ComputedStyle* style;
    std::vector<CellDone> cells;
  };
  // Lays the rows out from `top` at their natural heights; returns the y past the last.
  int layoutRows(const TableGrid& g, const std::vector<int>& colX, int top, std::vector<RowDone>& rows);
  // Shares what a table's given height adds among its rows: each row's extra height.
  std::vector<int> extraRowHeights(const ComputedStyle& st, size_t rowCount, int& height);
  // Moves rows down by what the rows above them grew, aligns cells, draws borders and
  // backgrounds; the last row first, so inserted background tiles never move a range
  // still to be handled.
  void finishRows(const TableGrid& g, const std::vector<int>& colX, std::vector<RowDone>& rows,
                  const std::vector<int>& extra);
  void shift(size_t first, size_t last, int dx, int dy);
  // marquee.cpp
  int marquee(const Node& e, const ComputedStyle& st, int x, int y, int availWidth, int* right);
  // frameset.cpp
  // Splits a frameset's rows= or cols= list ("100,20%,*,2*") over `total` pixels.
  static std::vector<int> splitSizes(const std::string* list, int total);
  void frameset(const Node& fs, Rect area, int depth);

  const DocumentTree& doc_;
  const std::string& base_;
  TextMeasurer& m_;
  LayoutHost& host_;
  LayoutOutput& out_;
  StyleResolver resolver_;
  ComputedStyle rootStyle_;
  std::unordered_map<const Node*, ComputedStyle> styles_;
  std::unordered_map<const Node*, Intrinsic> intrinsics_;
  std::unordered_map<const Node*, int> linkIds_;
  int depth_ = 0;
  int maxRight_ = 0;
  int currentLink_ = -1;  // the link the flow being laid out sits in
  int viewHeight_ = 0;
};

}  // namespace page::layout_internal
