// Tables: the cell grid, column widths from content and attributes (colspan
// included), row heights and cell alignment.
#include <algorithm>
#include <cstdlib>

#include "page/layout/layouter.h"
#include "page/layout/text_breaks.h"
#include "page/util/strings.h"
#include "page/util/url.h"

namespace page::layout_internal {

Intrinsic Layouter::intrinsic(const Node& e, const ComputedStyle& st) {
  auto it = intrinsics_.find(&e);
  if (it != intrinsics_.end()) return it->second;
  Intrinsic r;
  if (++depth_ > kMaxDepth * 2) { --depth_; return r; }
  if (st.display == Display::Table) {
    r = tableIntrinsic(e, st);
  } else {
    std::vector<Atom> atoms;
    bool pendingSpace = false;
    collect(e, atoms, -1, pendingSpace);
    int lineMax = 0, glued = 0;
    const bool wrap = st.whiteSpace == WhiteSpace::Normal;
    for (const Atom& a : atoms) {
      if (a.kind == Atom::Kind::Break) {
        r.max = std::max(r.max, lineMax);
        lineMax = glued = 0;
        continue;
      }
      if (a.kind == Atom::Kind::Block) {
        r.max = std::max(r.max, lineMax);
        lineMax = glued = 0;
        const ComputedStyle& cs = style(*a.node);
        Intrinsic c = intrinsic(*a.node, cs);
        int extra = cs.margin.left + cs.margin.right;
        r.min = std::max(r.min, c.min + extra);
        r.max = std::max(r.max, c.max + extra);
        continue;
      }
      int space = (a.spaceBefore && lineMax > 0) ? textWidth(a.style->font, U" ") : 0;
      lineMax += space + a.width;
      if (!wrap || (!a.breakBefore && glued > 0)) glued += space + a.width;
      else glued = a.width;
      r.min = std::max(r.min, wrap ? glued : lineMax);
    }
    r.max = std::max(r.max, lineMax);
    int extra = 2 * st.borderWidth + st.padding.left + st.padding.right;
    r.min += extra;
    r.max += extra;
    if (st.width.unit == Length::Unit::Px) {
      int w = st.width.value + (e.tag == "td" || e.tag == "th" ? 0 : extra);
      r.min = std::max(r.min, e.tag == "marquee" ? w : r.min);
      r.max = std::max(r.min, w);
      if (e.tag == "marquee") r.min = std::min(r.min, w);
    } else if (e.tag == "marquee") {
      r.min = 0;
    }
  }
  --depth_;
  intrinsics_[&e] = r;
  return r;
}

Layouter::TableGrid Layouter::grid(const Node& table) {
  TableGrid g;
  auto intAttr = [&](const char* name, int fallback) {
    const std::string* v = table.attribute(name);
    if (!v || trim(*v).empty()) return fallback;
    return std::clamp(std::atoi(std::string(trim(*v)).c_str()), 0, 1000);
  };
  const ComputedStyle& ts = style(table);
  g.spacing = intAttr("cellspacing", 2);
  g.padding = intAttr("cellpadding", 1);
  g.border = ts.borderWidth;
  g.cellBorder = g.border > 0 ? 1 : 0;
  auto addRow = [&](const Node& tr) {
    std::vector<Cell> row;
    int column = 0;
    for (const auto& c : tr.children) {
      if (c->type != Node::Type::Element || !(c->tag == "td" || c->tag == "th")) continue;
      const ComputedStyle& cs = style(*c);
      if (cs.display == Display::None) continue;
      int span = 1;
      if (const std::string* v = c->attribute("colspan")) span = std::clamp(std::atoi(v->c_str()), 1, 100);
      if (column + span > kMaxColumns) break;
      row.push_back(Cell{c.get(), &cs, column, span});
      column += span;
    }
    g.columns = std::max(g.columns, column);
    g.rows.push_back(std::move(row));
    g.rowNodes.push_back(&tr);
  };
  for (const auto& c : table.children) {
    if (c->type != Node::Type::Element) continue;
    if (c->tag == "tr") {
      if (style(*c).display != Display::None) addRow(*c);
    } else if (c->tag == "tbody" || c->tag == "thead" || c->tag == "tfoot") {
      if (style(*c).display == Display::None) continue;
      for (const auto& r : c->children)
        if (r->type == Node::Type::Element && r->tag == "tr" && style(*r).display != Display::None) addRow(*r);
    }
  }
  return g;
}

Layouter::Columns Layouter::columnWidths(const TableGrid& g) {
  Columns c;
  c.min.assign(g.columns, 0);
  c.max.assign(g.columns, 0);
  c.fixed.assign(g.columns, false);
  c.percent.assign(g.columns, 0);
  const int cellExtra = 2 * (g.padding + g.cellBorder);
  // Single-column cells first, then spanning cells spread what they need more.
  for (int pass = 0; pass < 2; ++pass) {
    for (const auto& row : g.rows) {
      for (const Cell& cell : row) {
        if ((cell.span == 1) != (pass == 0)) continue;
        Intrinsic in = intrinsic(*cell.node, *cell.style);
        int mn = in.min + cellExtra, mx = in.max + cellExtra;
        const Length& w = cell.style->width;
        if (cell.span == 1) {
          int col = cell.column;
          if (w.unit == Length::Unit::Px) {
            c.fixed[col] = true;
            mx = std::max(mn, w.value + cellExtra);
          } else if (w.unit == Length::Unit::Percent) {
            c.percent[col] = std::max(c.percent[col], w.value);
          }
          c.min[col] = std::max(c.min[col], mn);
          c.max[col] = std::max(c.max[col], mx);
        } else {
          if (w.unit == Length::Unit::Px) mx = std::max(mn, w.value + cellExtra);
          int haveMin = 0, haveMax = 0;
          int spacingInside = g.spacing * (cell.span - 1);
          for (int k = cell.column; k < cell.column + cell.span; ++k) haveMin += c.min[k], haveMax += c.max[k];
          int needMin = mn - spacingInside - haveMin, needMax = mx - spacingInside - haveMax;
          for (int k = cell.column; k < cell.column + cell.span; ++k) {
            if (needMin > 0) c.min[k] += needMin / cell.span + (k == cell.column ? needMin % cell.span : 0);
            if (needMax > 0) c.max[k] += needMax / cell.span + (k == cell.column ? needMax % cell.span : 0);
            c.max[k] = std::max(c.max[k], c.min[k]);
          }
        }
      }
    }
  }
  return c;
}

Intrinsic Layouter::tableIntrinsic(const Node& e, const ComputedStyle& st) {
  TableGrid g = grid(e);
  Columns c = columnWidths(g);
  Intrinsic r;
  int frame = 2 * g.border + g.spacing * (g.columns + 1);
  for (int k = 0; k < g.columns; ++k) r.min += c.min[k], r.max += c.max[k];
  r.min += frame;
  r.max += frame;
  if (st.width.unit == Length::Unit::Px) r.max = r.min = std::max(r.min, st.width.value);
  return r;
}

std::vector<int> Layouter::distribute(const Columns& c, int width) {
  const int n = int(c.min.size());
  std::vector<int> w(c.min);
  int sumMin = 0, sumMax = 0;
  for (int k = 0; k < n; ++k) sumMin += c.min[k], sumMax += c.max[k];
  if (n == 0 || width <= sumMin) return w;
  // Percentage columns take their share first.
  int remaining = width;
  std::vector<bool> done(n, false);
  for (int k = 0; k < n; ++k)
    if (c.percent[k] > 0) {
      w[k] = std::max(c.min[k], int(int64_t(width) * c.percent[k] / 100));
      remaining -= w[k];
      done[k] = true;
    }
  int restMin = 0, restMax = 0, flexMax = 0, flexCount = 0;
  for (int k = 0; k < n; ++k)
    if (!done[k]) {
      restMin += c.min[k];
      restMax += c.max[k];
      if (!c.fixed[k]) flexMax += c.max[k], ++flexCount;
    }
  if (remaining <= restMin) return w;
  if (remaining <= restMax) {
    int64_t span = std::max(1, restMax - restMin);
    for (int k = 0; k < n; ++k)
      if (!done[k]) w[k] = c.min[k] + int(int64_t(c.max[k] - c.min[k]) * (remaining - restMin) / span);
  } else {
    int extra = remaining - restMax;
    int given = 0;
    int lastFlex = -1;
    for (int k = 0; k < n; ++k) {
      if (done[k]) continue;
      w[k] = c.max[k];
      bool takes = flexCount > 0 ? !c.fixed[k] : true;
      if (!takes) continue;
      int base = flexCount > 0 ? flexMax : restMax;
      int share = base > 0 ? int(int64_t(extra) * c.max[k] / base) : extra / std::max(1, flexCount ? flexCount : n);
      w[k] += share;
      given += share;
      lastFlex = k;
    }
    if (lastFlex >= 0) w[lastFlex] += extra - given;
  }
  return w;
}

int Layouter::table(const Node& e, const ComputedStyle& st, int x, int y, int availWidth, const ComputedStyle& parent, int* right) {
  TableGrid g = grid(e);
  TablePlacement place = placeTable(g, st, x, availWidth, parent);
  size_t tableBg = reserveBackground();
  std::vector<RowDone> rows;
  int rowsEnd = layoutRows(g, place.colX, y + g.border + g.spacing, rows);
  int height = rows.empty() ? 2 * g.border : rowsEnd - y + g.border;
  std::vector<int> extra = extraRowHeights(st, rows.size(), height);
  finishRows(g, place.colX, rows, extra);
  Rect box{place.left, y, place.width, height};
  if (g.border > 0) border(box, g.border, 0xFF808080);
  fillBackground(tableBg, st, box);
  *right = place.left + place.width;
  return height;
}

Layouter::TablePlacement Layouter::placeTable(const TableGrid& g, const ComputedStyle& st, int x, int availWidth,
                                              const ComputedStyle& parent) {
  Columns cols = columnWidths(g);
  const int frame = 2 * g.border + g.spacing * (g.columns + 1);
  int sumMin = 0, sumMax = 0;
  for (int k = 0; k < g.columns; ++k) sumMin += cols.min[k], sumMax += cols.max[k];
  int avail = availWidth - st.margin.left - st.margin.right;
  int width;
  if (!st.width.isAuto()) width = std::max(st.width.resolve(avail, 0), sumMin + frame);
  else width = std::max(std::min(avail, sumMax + frame), sumMin + frame);
  width = std::clamp(width, 0, kHuge);
  std::vector<int> colW = distribute(cols, width - frame);
  int used = frame;
  for (int w : colW) used += w;
  TablePlacement place;
  place.width = std::max(width, used);
  place.left = x + st.margin.left;
  TextAlign align = st.blockAlign.value_or(parent.textAlign);
  if (align == TextAlign::Center) place.left += std::max(0, (avail - place.width) / 2);
  else if (align == TextAlign::Right) place.left += std::max(0, avail - place.width);
  place.colX.resize(g.columns + 1);
  place.colX[0] = place.left + g.border + g.spacing;
  for (int k = 0; k < g.columns; ++k) place.colX[k + 1] = place.colX[k] + colW[k] + g.spacing;
  return place;
}

int Layouter::layoutRows(const TableGrid& g, const std::vector<int>& colX, int top, std::vector<RowDone>& rows) {
  int rowY = top;
  const int inset = g.padding + g.cellBorder;
  for (size_t r = 0; r < g.rows.size(); ++r) {
    RowDone row;
    row.style = &style(*g.rowNodes[r]);
    row.bg = reserveBackground();
    row.first = out_.items.size();
    row.y = rowY;
    row.height = row.style->height.isAuto() ? 0 : std::clamp(row.style->height.resolve(0, 0), 0, 10000);
    for (const Cell& cell : g.rows[r]) {
      const ComputedStyle& cs = *cell.style;
      CellDone d;
      d.cell = &cell;
      d.x = colX[cell.column];
      d.width = colX[cell.column + cell.span] - g.spacing - d.x;
      d.bg = reserveBackground();
      d.first = out_.items.size();
      FlowResult fr = flow(*cell.node, cs, d.x + inset, rowY + inset, std::max(0, d.width - 2 * inset));
      d.last = out_.items.size();
      d.height = fr.height + 2 * inset;
      if (!cs.height.isAuto()) d.height = std::max(d.height, std::clamp(cs.height.resolve(0, 0), 0, 10000));
      row.height = std::max(row.height, d.height);
      row.cells.push_back(d);
    }
    row.last = out_.items.size();
    rowY = clampCoord(int64_t(rowY) + row.height + g.spacing);
    rows.push_back(std::move(row));
  }
  return rowY;
}

// Percentages are of the view's height, as old pages expect of height=100%.
std::vector<int> Layouter::extraRowHeights(const ComputedStyle& st, size_t rowCount, int& height) {
  int wanted = st.height.isAuto() ? 0 : std::clamp(st.height.resolve(viewHeight_, 0), 0, 100000);
  std::vector<int> extra(rowCount, 0);
  if (wanted > height && rowCount > 0) {
    int more = wanted - height;
    for (size_t r = 0; r < rowCount; ++r) extra[r] = more / int(rowCount);
    extra.back() += more % int(rowCount);
  }
  height = std::max(height, wanted);
  return extra;
}

void Layouter::finishRows(const TableGrid& g, const std::vector<int>& colX, std::vector<RowDone>& rows,
                          const std::vector<int>& extra) {
  std::vector<int> offsets(rows.size(), 0);
  for (size_t r = 1; r < rows.size(); ++r) offsets[r] = offsets[r - 1] + extra[r - 1];
  for (size_t r = rows.size(); r-- > 0;) {
    RowDone& row = rows[r];
    if (offsets[r]) shift(row.first, row.last, 0, offsets[r]);
    row.y += offsets[r];
    row.height += extra[r];
    for (size_t k = row.cells.size(); k-- > 0;) {
      CellDone& d = row.cells[k];
      const ComputedStyle& cs = *d.cell->style;
      int dy = 0;
      if (cs.verticalAlign == VAlign::Middle) dy = (row.height - d.height) / 2;
      else if (cs.verticalAlign == VAlign::Bottom) dy = row.height - d.height;
      if (dy > 0) shift(d.first, d.last, 0, dy);
      Rect box{d.x, row.y, d.width, row.height};
      if (g.cellBorder) border(box, g.cellBorder, 0xFF808080);
      fillBackground(d.bg, cs, box);
    }
    fillBackground(row.bg, *row.style, {colX[0], row.y, colX[g.columns] - g.spacing - colX[0], row.height});
  }
}

void Layouter::shift(size_t first, size_t last, int dx, int dy) {
  for (size_t i = first; i < last && i < out_.items.size(); ++i) {
    LaidItem& it = out_.items[i];
    it.rect.x += dx;
    it.rect.y += dy;
    it.baseline += dy;
  }
  // Marquee boxes laid out in the range move with it.
  for (size_t i = first; i < last && i < out_.items.size(); ++i) {
    const LaidItem& it = out_.items[i];
    if (it.kind == ItemKind::PushClip && it.marquee >= 0) {
      out_.marquees[it.marquee].box = it.rect;
    }
  }
}

}  // namespace page::layout_internal
