#include "widgets/controls/list_view.h"

#include <algorithm>
#include <cctype>

#include "widgets/controls/control_paint.h"

namespace jizdavo {

namespace {

// The layout of small items: an empty slot where a small picture would go (the list has none), then
// the caption; every item of the list takes the width of the widest.
constexpr int kIconSlot = 16;
constexpr int kGap = 2;
// Report rows: the caption column's text starts 2 pixels in, the sub-items' 6.
constexpr int kCaptionIndent = 2;
constexpr int kSubItemIndent = 6;
constexpr TColor kHighlight = RGB(0, 0, 128);
constexpr TColor kHighlightText = clWhite;

int CompareCaptions(const std::string& a, const std::string& b) {
  const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
  const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                                      [&](char x, char y) { return lower(x) == lower(y); });
  if (ia == a.end()) return ib == b.end() ? 0 : -1;
  if (ib == b.end()) return 1;
  return lower(*ia) < lower(*ib) ? -1 : 1;
}

}  // namespace

int TListItem::Index() const {
  const auto& items = owner_->Items.items_;
  const auto found =
      std::find_if(items.begin(), items.end(), [this](const auto& item) { return item.get() == this; });
  return static_cast<int>(found - items.begin());
}

TListItem* TListItems::Add() {
  items_.push_back(std::unique_ptr<TListItem>(new TListItem(&owner_)));
  return items_.back().get();
}

void TListItems::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  owner_.Forgotten(items_[static_cast<size_t>(index)].get());
  items_.erase(items_.begin() + index);
}

void TListItems::Clear() {
  owner_.Forgotten(nullptr);
  items_.clear();
}

TListView::TListView() { SetBounds(0, 0, 250, 150); }

void TListView::Forgotten(const TListItem* item) {
  if (!item || item == selected_) selected_ = nullptr;
}

bool TListView::AlphaSort() {
  std::stable_sort(Items.items_.begin(), Items.items_.end(), [this](const auto& a, const auto& b) {
    int compare = 0;
    if (OnCompare) {
      OnCompare(this, a.get(), b.get(), 0, compare);
    } else {
      compare = CompareCaptions(a->Caption, b->Caption);
    }
    return compare < 0;
  });
  return true;
}

int TListView::SmallItemWidth() {
  int widest = 0;
  for (const auto& item : Items.items_) widest = std::max(widest, TextExtentOf(Font, item->Caption).width);
  return kIconSlot + kGap + widest + 2 * kGap;
}

int TListView::RowHeight() {
  const int text = TextExtentOf(Font, "0").height;
  return ViewStyle == TViewStyle::vsReport ? text + 1 : std::max(kIconSlot, text) + kGap;
}

TRect TListView::ItemRect(int index) {
  if (ViewStyle == TViewStyle::vsReport) {
    int width = 0;
    for (const TListColumn& column : Columns) width += column.Width;
    return Bounds(0, index * RowHeight(), width, RowHeight());
  }
  const int item_width = SmallItemWidth();
  const int per_row = std::max(1, (Width - kGap) / item_width);
  return Bounds(kGap + index % per_row * item_width, kGap + index / per_row * RowHeight(), item_width,
                RowHeight());
}

TListItem* TListView::GetItemAt(int x, int y) {
  for (int i = 0; i < Items.Count(); ++i) {
    const TRect r = ItemRect(i);
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return Items[i];
  }
  return nullptr;
}

void TListView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft || button == TMouseButton::mbRight) selected_ = GetItemAt(x, y);
  TControl::MouseDown(button, shift, x, y);
}

void TListView::PaintReportRow(TSurface& frame, const TListItem& item, const TControlFont& font,
                               const TRect& row, const TRect& clip) {
  int left = row.Left;
  for (size_t column = 0; column < Columns.size(); ++column) {
    const TRect cell{left, row.Top, left + Columns[column].Width, row.Bottom};
    left = cell.Right;
    const std::string* text = column == 0                         ? &item.Caption
                              : column - 1 < item.SubItems.size() ? &item.SubItems[column - 1]
                                                                  : nullptr;
    if (!text) continue;
    const int indent = column == 0 ? kCaptionIndent : kSubItemIndent;
    TextOnFrame(frame, cell.Left + indent, cell.Top, font, *text, IntersectRect(cell, clip));
  }
}

void TListView::Paint(TSurface& frame, const TRect& place, const TRect& clip) {
  const TRect inside = IntersectRect(place, clip);
  FillOnFrame(frame, inside, clip, Color);
  const bool highlight = !HideSelection || (Focused() && InFront());
  TControlFont font = Font;
  for (int i = 0; i < Items.Count(); ++i) {
    const TListItem& item = *Items[i];
    TRect r = ItemRect(i);
    r = Bounds(place.Left + r.Left, place.Top + r.Top, r.Width(), r.Height());
    if (r.Top >= inside.Bottom) break;
    const bool selected = highlight && &item == selected_;
    font.Color = selected ? kHighlightText : Font.Color;
    if (ViewStyle == TViewStyle::vsReport) {
      if (selected) FillOnFrame(frame, r, inside, kHighlight);
      PaintReportRow(frame, item, font, r, inside);
    } else {
      const int text_left = r.Left + kIconSlot + kGap;
      const TextExtent text = TextExtentOf(font, item.Caption);
      if (selected) FillOnFrame(frame, Bounds(text_left, r.Top, text.width, r.Height()), inside, kHighlight);
      TextOnFrame(frame, text_left, r.Top + (r.Height() - text.height) / 2, font, item.Caption, inside);
    }
  }
}

}  // namespace jizdavo
