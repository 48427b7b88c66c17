// The name field: typing with a length limit, the keys that edit, a selected proposal, Enter through
// OnKeyPress, and keys reaching it only while it has the focus and its panel is in front.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/input/scan_codes.h"
#include "platform/pixels/surface.h"
#include "widgets/control_fixtures.h"
#include "widgets/controls/edit.h"
#include "widgets/controls/simple_controls.h"

namespace jizdavo {
namespace {

using testing::KeyDown;
using testing::Type;

// The name panel in front of another panel of the same place.
class EditTest : public ::testing::Test, public testing::TwoPanels {
 protected:
  EditTest() : TwoPanels({232, 220, 176, 260}, {232, 220, 176, 260}) {
    edit.SetBounds(21, 56, 136, 17);
    edit.MaxLength = 15;
    edit.SetParent(&scores_enter);
  }

  TPanel& scores_enter = front;
  TPanel& other = back;
  TEdit edit;
};

TEST_F(EditTest, TypingStopsAtMaxLength) {
  edit.SetFocus();
  EXPECT_TRUE(Type(layer, "Pedestrian Crossing"));
  EXPECT_EQ(edit.Text(), "Pedestrian Cros");
  edit.MaxLength = 0;
  Type(layer, "sing");
  EXPECT_EQ(edit.Text(), "Pedestrian Crossing");
}

TEST_F(EditTest, KeysReachTheFieldOnlyWhenFocusedAndItsPanelIsInFront) {
  EXPECT_FALSE(Type(layer, "a"));
  edit.SetFocus();
  EXPECT_TRUE(edit.Focused());
  EXPECT_TRUE(Type(layer, "b"));
  other.BringToFront();
  EXPECT_FALSE(Type(layer, "c"));
  EXPECT_FALSE(KeyDown(layer, kKeyBackspace));
  scores_enter.BringToFront();
  layer.SetFocusedControl(nullptr);
  EXPECT_FALSE(Type(layer, "d"));
  EXPECT_EQ(edit.Text(), "b");

  scores_enter.Hide();
  edit.SetFocus();  // a hidden field cannot take the focus
  EXPECT_FALSE(edit.Focused());
}

TEST_F(EditTest, EnterGoesThroughOnKeyPressWhichMaySwallowOrReplaceKeys) {
  std::vector<int> keys;
  int confirmed = 0;
  edit.OnKeyPress = [&](TControl* sender, char& key) {
    EXPECT_EQ(sender, &edit);
    keys.push_back(static_cast<unsigned char>(key));
    if (key == kKeyEnter) {
      key = 0;
      ++confirmed;
    }
    if (key == 'x') key = 'X';
    if (key == '#') key = 0;
  };
  edit.SetFocus();
  Type(layer, "ax#");
  KeyDown(layer, kKeyEnter);
  KeyDown(layer, kKeyLeft);  // not a character: OnKeyPress does not see it
  EXPECT_EQ(keys, (std::vector<int>{'a', 'x', '#', kKeyEnter}));
  EXPECT_EQ(confirmed, 1);
  EXPECT_EQ(edit.Text(), "aX");
}

TEST_F(EditTest, EditingKeysMoveTheCaretAndDelete) {
  struct Case {
    bool select_all;  // the proposal as the name entry shows it
    std::vector<int> keys;
    const char* typed;
    std::string text;
    int caret;
  };
  const std::vector<Case> cases = {
      {false, {kKeyBackspace}, "", "Jizdav", 6},
      {false, {kKeyLeft, kKeyLeft, kKeyBackspace}, "", "Jizdvo", 4},
      {false, {kKeyHome, kKeyDelete}, "", "izdavo", 0},
      {false, {kKeyHome, kKeyBackspace}, "", "Jizdavo", 0},
      {false, {kKeyEnd, kKeyDelete}, "", "Jizdavo", 7},
      {false, {kKeyHome, kKeyRight, kKeyRight, kKeyDelete}, "", "Jidavo", 2},
      {false, {kKeyLeft, kKeyLeft, kKeyLeft, kKeyLeft, kKeyLeft, kKeyLeft, kKeyLeft, kKeyLeft, kKeyLeft}, "",
       "Jizdavo", 0},
      {true, {}, "Ann", "Ann", 3},
      {true, {kKeyBackspace}, "", "", 0},
      {true, {kKeyDelete}, "", "", 0},
      {true, {kKeyBackspace}, "Bo", "Bo", 2},
      {true, {kKeyLeft, kKeyBackspace}, "", "Jizdavo", 0},
      {true, {kKeyRight, kKeyBackspace}, "", "Jizdav", 6},
      {true, {kKeyUp}, "!", "!Jizdavo", 1},
      {true, {kKeyDown}, "!", "Jizdavo!", 8},
      {true, {kKeyHome, kKeyDelete}, "", "izdavo", 0},
      {true, {kKeyEnd}, "s", "Jizdavos", 8},
  };
  edit.SetFocus();
  for (const Case& c : cases) {
    edit.SetText("Jizdavo");
    if (c.select_all) edit.SelectAll();
    for (int key : c.keys) KeyDown(layer, key);
    Type(layer, c.typed);
    EXPECT_EQ(edit.Text(), c.text) << c.select_all << " " << c.typed;
    EXPECT_EQ(edit.SelStart(), c.caret) << c.select_all << " " << c.typed;
    EXPECT_EQ(edit.SelLength(), 0) << c.select_all << " " << c.typed;
  }
  edit.SetText("Jizdavo");
  edit.SetSelStart(3);
  Type(layer, "!");
  EXPECT_EQ(edit.Text(), "Jiz!davo");
}

// The period and the apostrophe share their key codes with Delete and Right; only their text counts.
TEST_F(EditTest, PeriodAndApostropheTypeTheirCharactersOnly) {
  edit.SetFocus();
  Type(layer, "JR");
  KeyDown(layer, kKeyLeft);
  KeyDown(layer, kKeyDelete, 52);  // the period key
  Type(layer, ".");
  KeyDown(layer, kKeyRight, 40);  // the apostrophe key
  Type(layer, "'");
  EXPECT_EQ(edit.Text(), "J.'R");
  KeyDown(layer, kKeyDelete, 128 + 83);  // the real Delete key
  EXPECT_EQ(edit.Text(), "J.'");
}

TEST_F(EditTest, OnlyLatin1CharactersAreTaken) {
  edit.SetFocus();
  Type(layer,
       "a\xC3\xA9\xE2\x82\xAC"
       "b\xF0\x9F\x98\x80"
       "c\t");  // a, e acute, euro sign, b, emoji, c, tab
  EXPECT_EQ(edit.Text(),
            "a\xE9"
            "bc");
}

TEST_F(EditTest, CaretAndSelectionShowOnlyWhileFocused) {
  TSurface frame(640, 480);
  const auto lit_pixels = [&]() {
    frame.Fill(0);
    layer.Compose(frame);
    int lit = 0;
    for (int y = 276; y < 293; ++y)
      for (int x = 253; x < 389; ++x) lit += frame.GetPixel(x, y) != 0;
    return lit;
  };
  EXPECT_EQ(lit_pixels(), 0);  // empty and unfocused: black, no border
  edit.SetFocus();
  EXPECT_GT(lit_pixels(), 8);
  layer.SetFocusedControl(nullptr);
  EXPECT_EQ(lit_pixels(), 0);

  // A selection shows as the text inverted, and only while focused.
  edit.SetText("Jizdavo");
  edit.SetFocus();
  const int plain = lit_pixels();
  edit.SelectAll();
  EXPECT_EQ(edit.SelLength(), 7);
  const int selected = lit_pixels();
  EXPECT_GT(selected, plain);
  layer.SetFocusedControl(nullptr);
  EXPECT_LT(lit_pixels(), plain);  // no caret, no inversion
}

}  // namespace
}  // namespace jizdavo
