#include "platform/input/dx_input.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "platform/input/scan_codes.h"

namespace jizdavo {
namespace {

// PC set-1 scan codes of two keys the game does not name.
constexpr int kScanK = 37, kScanApostrophe = 40;

struct InputRig {
  void Hold(std::initializer_list<int> scans, bool down = true) {
    for (int scan : scans) source.state.scan_codes[static_cast<size_t>(scan)] = down;
  }
  TDXInputStates Update() {
    input.Update();
    return input.States();
  }
  ScriptedInput source;
  TDXInput input{source};
};

TDXInputStates StatesOf(std::initializer_list<TDXInputState> states) {
  TDXInputStates set;
  for (TDXInputState s : states) set.set(static_cast<size_t>(s));
  return set;
}

TEST(ScanCodes, KeysWithoutACodeGiveZero) {
  for (int scan : {12, 41, 0, 84, -1, 256}) EXPECT_EQ(KeyCodeOfScanCode(scan), 0) << "scan code " << scan;
  EXPECT_EQ(KeyCodeOfScanCode(52), KeyCodeOfScanCode(211));  // period and Delete share 46
}

TEST(ParseKeyAssigns, ReadsLittleEndianRecordsInStateOrder) {
  std::array<uint8_t, kKeyAssignsBytes> bytes{};
  bytes[0] = 0x01;
  bytes[1] = 0x02;  // state 0, key 1: 0x0201
  bytes[35 * 12 + 8 + 3] = 0x80;  // state 35, key 3: 0x80000000
  const TKeyAssigns assigns = ParseKeyAssigns(bytes);
  EXPECT_EQ(assigns[0][0], 0x0201);
  EXPECT_EQ(static_cast<uint32_t>(assigns[35][2]), 0x80000000u);
  EXPECT_EQ(assigns[17][1], 0);
}

// A key or button that went down and up again between two updates reads as down at the next one
// only, as if it had been held at that update.
TEST(DXInput, ATapBetweenUpdatesIsSeenOnce) {
  InputRig rig;
  rig.source.SetKey(kScanEscape, true);
  rig.source.SetKey(kScanLeft, true);
  rig.source.SetKey(kScanEscape, false);
  rig.source.SetKey(kScanLeft, false);
  rig.source.state.buttons_pressed[0] = true;
  EXPECT_EQ(rig.Update(), StatesOf({StateLeft}));
  EXPECT_TRUE(rig.input.Keyboard.Keys(kKeyEscape));
  EXPECT_TRUE(rig.input.Mouse.Buttons(0));
  EXPECT_EQ(rig.Update(), StatesOf({}));
  EXPECT_FALSE(rig.input.Keyboard.Keys(kKeyEscape));
  EXPECT_FALSE(rig.input.Mouse.Buttons(0));
}

TEST(DXInput, UpAndKTogetherAndReleasingOnlyK) {
  InputRig rig;
  rig.Hold({kScanUp, kScanK});
  EXPECT_EQ(rig.Update(), StatesOf({StateUp}));
  EXPECT_TRUE(rig.input.Keyboard.Keys(75));
  rig.Hold({kScanK}, false);
  EXPECT_EQ(rig.Update(), StatesOf({StateUp}));
  EXPECT_FALSE(rig.input.Keyboard.Keys(75));
  rig.Hold({kScanUp}, false);
  EXPECT_EQ(rig.Update(), StatesOf({}));
}

TEST(DXInput, HeldKeysGiveTheirStates) {
  struct Case {
    std::initializer_list<int> scans;
    TDXInputStates expected;
  };
  const Case cases[] = {
      {{kScanLeft, kScanRight}, StatesOf({StateLeft, StateRight})},
      {{kScanApostrophe}, StatesOf({StateRight})},  // the apostrophe's code is the Right arrow's
      {{72, 80}, StatesOf({StateUp, StateDown})},    // keypad 8 and 2
      {{28}, StatesOf({StateButton2})},              // Enter
      {{kScanEscape}, StatesOf({})},
  };
  for (const Case& c : cases) {
    InputRig rig;
    rig.Hold(c.scans);
    EXPECT_EQ(rig.Update(), c.expected) << "first scan code " << *c.scans.begin();
  }
}

TEST(DXInput, BackgroundWindowReadsAsNothingPressed) {
  InputRig rig;
  rig.Hold({kScanEscape, kScanUp});
  rig.source.state.buttons[0] = true;
  rig.Update();
  rig.source.state.foreground = false;
  EXPECT_EQ(rig.Update(), StatesOf({}));
  EXPECT_FALSE(rig.input.Keyboard.Keys(27));
  EXPECT_FALSE(rig.input.Mouse.Buttons(0));
  rig.input.ActiveOnly = false;
  EXPECT_EQ(rig.Update(), StatesOf({StateUp}));
  EXPECT_TRUE(rig.input.Keyboard.Keys(27));
}

TEST(DXInput, KeyCodesOutsideTheRangeAreNeverDown) {
  InputRig rig;
  for (int scan = 0; scan < 256; ++scan) rig.source.state.scan_codes[static_cast<size_t>(scan)] = true;
  rig.Update();
  EXPECT_FALSE(rig.input.Keyboard.Keys(0));
  EXPECT_FALSE(rig.input.Keyboard.Keys(256));
  EXPECT_FALSE(rig.input.Keyboard.Keys(-1));
  EXPECT_TRUE(rig.input.Keyboard.Keys(27));  // unlisted scan codes land on code 0, which is never down
}

TEST(DXInput, MouseDoesNotBindStatesButReportsItsButtons) {
  InputRig rig;
  rig.source.state.motion_x = -3;
  rig.source.state.motion_y = 2;
  rig.source.state.buttons[0] = true;
  EXPECT_EQ(rig.Update(), StatesOf({}));
  EXPECT_TRUE(rig.input.Mouse.Buttons(0));
  EXPECT_FALSE(rig.input.Mouse.Buttons(2));
  EXPECT_FALSE(rig.input.Mouse.Buttons(32));
  EXPECT_EQ(rig.input.Mouse.X(), -3);
  // Bound, the same motion and button walk and press.
  rig.input.Mouse.BindInputStates = true;
  rig.source.state.motion_x = -3;
  rig.source.state.motion_y = 2;
  EXPECT_EQ(rig.Update(), StatesOf({StateLeft, StateDown, StateButton1}));
  // Motion is since the last read: without new motion only the button stays.
  EXPECT_EQ(rig.Update(), StatesOf({StateButton1}));
}

}  // namespace
}  // namespace jizdavo
