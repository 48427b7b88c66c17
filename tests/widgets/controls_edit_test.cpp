// The name field: typing with a length limit, the keys that edit, Enter through OnKeyPress, and keys
// reaching it only while it has the focus and its panel is in front.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/scan_codes.h"
#include "platform/surface.h"
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
    std::vector<int> keys;
    std::string text;
    int caret;
  };
  const std::vector<Case> cases = {
      {{kKeyBackspace}, "Jizdav", 6},
      {{kKeyLeft, kKeyLeft, kKeyBackspace}, "Jizdvo", 4},
      {{kKeyHome, kKeyDelete}, "izdavo", 0},
      {{kKeyHome, kKeyBackspace}, "Jizdavo", 0},
      {{kKeyEnd, kKeyDelete}, "Jizdavo", 7},
      {{kKeyHome, kKeyRight, kKeyRight, kKeyDelete}, "Jidavo", 2},
      {{kKeyLeft, kKeyLeft, kKeyLeft, kKeyLeft, kKeyLeft, kKeyLeft, kKeyLeft, kKeyLeft, kKeyLeft}, "Jizdavo", 0},
  };
  edit.SetFocus();
  for (const Case& c : cases) {
    edit.SetText("Jizdavo");
    for (int key : c.keys) KeyDown(layer, key);
    EXPECT_EQ(edit.Text(), c.text);
    EXPECT_EQ(edit.SelStart(), c.caret);
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

TEST_F(EditTest, CaretShowsOnlyWhileFocused) {
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
}

}  // namespace
}  // namespace jizdavo
