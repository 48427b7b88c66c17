// The Scores list: small-item and report layouts, selection by a click, sorting with the game's
// comparison, and the focus notice.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/pixels/surface.h"
#include "widgets/control_fixtures.h"
#include "widgets/controls/list_view.h"
#include "widgets/controls/simple_controls.h"

namespace jizdavo {
namespace {

using testing::ClickAt;

class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scores.SetBounds(232, 220, 236, 260);
    scores.SetParent(&layer);
    list.SetBounds(30, 45, 214, 143);
    list.SetParent(&scores);
    list.Columns = {{18}, {120}, {70}};
  }

  void AddLevels(int count) {
    list.BeginUpdate();
    list.Clear();
    for (int i = 1; i <= count; ++i) list.Items.Add()->Caption = std::to_string(i);
    list.EndUpdate();
  }

  void AddRow(const std::string& rank, const std::string& name, const std::string& time) {
    TListItem* item = list.Items.Add();
    item->Caption = rank;
    item->SubItems = {name, time};
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 0; i < list.Items.Count(); ++i) names.push_back(list.Items[i]->SubItems.at(0));
    return names;
  }

  // A point inside item `index`, on the frame.
  void ClickItem(int index) {
    const TRect r = list.ItemRect(index);
    ClickAt(layer, list.ScreenLeft() + r.Left + r.Width() / 2, list.ScreenTop() + r.Top + r.Height() / 2);
  }

  ControlLayer layer;
  TPanel scores;
  TListView list;
};

TEST_F(ListViewTest, SmallItemsFillRowsLeftToRightInsideTheList) {
  AddLevels(16);
  const TRect first = list.ItemRect(0);
  int per_row = 1;
  while (per_row < 16 && list.ItemRect(per_row).Top == first.Top) ++per_row;
  ASSERT_GT(per_row, 1);
  ASSERT_LT(per_row, 16);
  for (int i = 0; i < 16; ++i) {
    const TRect r = list.ItemRect(i);
    EXPECT_EQ(r.Left, first.Left + (i % per_row) * first.Width()) << i;
    EXPECT_EQ(r.Top, first.Top + (i / per_row) * first.Height()) << i;
    EXPECT_LE(r.Right, list.Width);
    EXPECT_LE(r.Bottom, list.Height);
  }
  EXPECT_GT(list.ItemRect(per_row).Top, first.Top);
  EXPECT_EQ(list.GetItemAt(first.Left + 1, first.Top + 1), list.Items[0]);
}

TEST_F(ListViewTest, ReportRowsStackWithTheirTextInTheThreeColumns) {
  list.ViewStyle = TViewStyle::vsReport;
  for (int i = 1; i <= 10; ++i) AddRow(std::to_string(i), "Pedestrian", "00:41:250");
  const int row = list.ItemRect(1).Top - list.ItemRect(0).Top;
  EXPECT_GT(row, 0);
  EXPECT_EQ(list.ItemRect(0).Top, 0);  // no column headers above the rows
  EXPECT_EQ(list.ItemRect(9).Top, 9 * row);
  EXPECT_LE(list.ItemRect(9).Bottom, list.Height);  // a top ten fits
  EXPECT_EQ(list.ItemRect(0).Width(), 18 + 120 + 70);

  TSurface frame(640, 480);
  frame.Fill(0xFFFF);
  layer.Compose(frame);
  const RawPixel text = rgb565::FromColor(kMenuTextColor);
  const auto ink_in_column = [&](int from, int to, int row_index) {
    int ink = 0;
    for (int y = row_index * row; y < (row_index + 1) * row; ++y)
      for (int x = from; x < to; ++x)
        ink += frame.GetPixel(list.ScreenLeft() + x, list.ScreenTop() + y) == text;
    return ink;
  };
  for (int r : {0, 9}) {
    EXPECT_GT(ink_in_column(0, 18, r), 0);
    EXPECT_GT(ink_in_column(18, 138, r), 10);
    EXPECT_GT(ink_in_column(138, 208, r), 10);
    EXPECT_EQ(ink_in_column(208, 214, r), 0);
  }
}

TEST_F(ListViewTest, AClickSelectsTheItemUnderThePointerThenClicks) {
  AddLevels(16);
  std::vector<std::string> clicked;
  list.OnClick = [&](TControl* sender) {
    EXPECT_EQ(sender, &list);
    clicked.push_back(list.Selected() ? list.Selected()->Caption : "none");
  };
  ClickItem(2);
  ClickItem(12);
  // No item there (the list's last 8 columns lie outside the panel, which cuts them off).
  ClickAt(layer, list.ScreenLeft() + list.Width - 10, list.ScreenTop() + list.Height - 2);
  EXPECT_EQ(clicked, (std::vector<std::string>{"3", "13", "none"}));
  EXPECT_EQ(list.Selected(), nullptr);

  ClickItem(4);
  list.Items.Delete(4);
  EXPECT_EQ(list.Selected(), nullptr);
  ClickItem(0);
  list.Clear();
  EXPECT_EQ(list.Selected(), nullptr);
  EXPECT_EQ(list.Items.Count(), 0);
}

TEST_F(ListViewTest, AlphaSortUsesTheCompareHookAndKeepsEqualItemsInOrder) {
  AddRow("", "slow", "00:50:000");
  AddRow("", "first", "00:40:000");
  AddRow("", "fast", "00:30:000");
  AddRow("", "second", "00:40:000");
  int calls = 0;
  list.OnCompare = [&](TControl* sender, TListItem* a, TListItem* b, int data, int& compare) {
    EXPECT_EQ(sender, &list);
    EXPECT_EQ(data, 0);
    ++calls;
    compare = a->SubItems[1] < b->SubItems[1] ? -1 : a->SubItems[1] > b->SubItems[1] ? 1 : 0;
  };
  EXPECT_TRUE(list.AlphaSort());
  EXPECT_GT(calls, 0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"fast", "first", "second", "slow"}));
  EXPECT_EQ(list.Items[3]->Index(), 3);

  list.OnCompare = nullptr;  // by caption, ignoring case
  const char* captions[] = {"b", "C", "a", "B"};
  for (int i = 0; i < 4; ++i) list.Items[i]->Caption = captions[i];
  list.AlphaSort();
  std::vector<std::string> sorted;
  for (int i = 0; i < 4; ++i) sorted.push_back(list.Items[i]->Caption);
  EXPECT_EQ(sorted, (std::vector<std::string>{"a", "b", "B", "C"}));
}

TEST_F(ListViewTest, ReceivingTheFocusRaisesOnEnterWhichMayHandItOn) {
  AddLevels(3);
  std::vector<std::string> events;
  list.OnEnter = [&](TControl*) {
    events.push_back("enter");
    layer.SetFocusedControl(nullptr);  // the game gives the keys back to the display
  };
  list.OnExit = [&](TControl*) { events.push_back("exit"); };
  list.OnClick = [&](TControl*) { events.push_back("click"); };
  ClickItem(1);
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit", "click"}));
  EXPECT_EQ(layer.FocusedControl(), nullptr);
  EXPECT_EQ(list.Selected(), list.Items[1]);
}

}  // namespace
}  // namespace jizdavo
