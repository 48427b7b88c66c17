#pragma once
// The list of the Scores panel: items with a caption and sub-items, shown either as small items in
// rows left to right (level numbers) or as report rows in columns (rank, name, time), without column
// headers. A press selects the item under the pointer (or none), the release over the list clicks.

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "widgets/controls/control.h"
#include "widgets/controls/control_text.h"

namespace jizdavo {

class TListView;

class TListItem {
 public:
  std::string Caption;
  std::vector<std::string> SubItems;

  int Index() const;
  TListView* ListView() const { return owner_; }

 private:
  friend class TListItems;
  explicit TListItem(TListView* owner) : owner_(owner) {}
  TListView* owner_;
};

class TListItems {
 public:
  explicit TListItems(TListView& owner) : owner_(owner) {}

  TListItem* Add();
  void Delete(int index);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  TListItem* operator[](int index) const { return items_.at(static_cast<size_t>(index)).get(); }
  // Changes between these are shown together; updates nest.
  void BeginUpdate() { ++updating_; }
  void EndUpdate() { updating_ = std::max(0, updating_ - 1); }
  bool Updating() const { return updating_ > 0; }

 private:
  friend class TListView;
  friend class TListItem;
  TListView& owner_;
  std::vector<std::unique_ptr<TListItem>> items_;
  int updating_ = 0;
};

enum class TViewStyle { vsSmallIcon, vsReport };

struct TListColumn {
  int Width = 50;
};

// Negative, 0 or positive as Item1 goes before, with or after Item2.
using TLVCompareEvent =
    std::function<void(TControl* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare)>;

class TListView : public TControl {
 public:
  TListView();

  TListItems Items{*this};
  std::vector<TListColumn> Columns;
  TViewStyle ViewStyle = TViewStyle::vsSmallIcon;
  TControlFont Font = MenuFont("MS Sans Serif", 11);
  TColor Color = clBlack;
  // The selected item is highlighted only while the list has the focus.
  bool HideSelection = true;
  TLVCompareEvent OnCompare;

  TListItem* Selected() const { return selected_; }
  void SetSelected(TListItem* item) { selected_ = item; }
  void Clear() { Items.Clear(); }
  void BeginUpdate() { Items.BeginUpdate(); }
  void EndUpdate() { Items.EndUpdate(); }
  // Sorts the items with OnCompare (by caption, ignoring letter case, when there is none). Items that
  // compare equal keep their order.
  bool AlphaSort();

  // In the list's own pixels; nullptr where there is no item.
  TListItem* GetItemAt(int x, int y);
  // Where an item lies in the list's own pixels in the current layout.
  TRect ItemRect(int index);

  bool Windowed() const override { return true; }
  bool CanFocus() const override { return true; }
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

 protected:
  void Paint(TSurface& frame, const TRect& place, const TRect& clip) override;

 private:
  friend class TListItems;
  void Forgotten(const TListItem* item);
  int SmallItemWidth();
  int RowHeight();
  void PaintReportRow(TSurface& frame, const TListItem& item, const TControlFont& font, const TRect& row,
                      const TRect& clip);

  TListItem* selected_ = nullptr;
};

}  // namespace jizdavo
