// Routing of mouse events through the control layer: z-order, hidden and disabled controls, clicks
// and the mouse capture while a button is held.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "widgets/control_fixtures.h"
#include "widgets/controls/edit.h"
#include "widgets/controls/message_box.h"
#include "widgets/controls/simple_controls.h"

namespace jizdavo {
namespace {

using testing::ClickAt;
using testing::KeyDown;
using testing::Move;
using testing::Press;
using testing::Release;
using testing::Type;

class LayerTest : public ::testing::Test, public testing::TwoPanels {
 protected:
  LayerTest() : TwoPanels({0, 0, 100, 100}, {50, 50, 100, 100}) {}
};

TEST_F(LayerTest, HitTestingFollowsTheZOrderAndSkipsHiddenControls) {
  struct Case {
    bool front_visible;
    bool back_brought_forward;
    int x, y;
    const TControl* expected;
  };
  const std::vector<Case> cases = {
      {true, false, 60, 60, &front},  {true, false, 10, 10, &back},      {true, false, 140, 140, &front},
      {false, false, 60, 60, &back},  {false, false, 140, 140, nullptr}, {true, true, 60, 60, &back},
      {true, true, 140, 140, &front}, {true, false, 300, 300, nullptr},
  };
  for (const Case& c : cases) {
    front.Visible = c.front_visible;
    if (c.back_brought_forward) back.BringToFront();
    EXPECT_EQ(layer.ControlAt(c.x, c.y), c.expected) << c.x << "," << c.y;
    front.BringToFront();
  }
}

TEST_F(LayerTest, ChildrenAreFoundInsideTheirPanelAndDisabledOnesLetThePressThrough) {
  TShape shape;
  shape.SetBounds(5, 5, 20, 20);
  shape.SetParent(&front);
  EXPECT_EQ(layer.ControlAt(60, 60), &shape);
  shape.Enabled = false;
  EXPECT_EQ(layer.ControlAt(60, 60), &front);
}

TEST_F(LayerTest, WindowedControlsLieOverWindowlessOnesWhateverTheirOrder) {
  TEdit edit;
  TShape outline;
  edit.SetBounds(10, 10, 30, 10);
  outline.SetBounds(8, 8, 34, 14);
  edit.SetParent(&front);
  outline.SetParent(&front);  // later, but windowless
  EXPECT_EQ(layer.ControlAt(65, 65), &edit);
  EXPECT_EQ(layer.ControlAt(59, 59), &outline);
  EXPECT_TRUE(edit.InFront());
  back.BringToFront();  // now covers the field
  EXPECT_FALSE(edit.InFront());
}

class LabelClickTest : public LayerTest {
 protected:
  void SetUp() override {
    LayerTest::SetUp();
    label.Caption = "Standard";
    label.SetBounds(5, 5, 0, 0);
    label.SetParent(&front);
    label.OnClick = [this](TControl* sender) { events.push_back(sender == &label ? "click" : "?"); };
    label.OnMouseUp = [this](TControl*, TMouseButton, TShiftState, int, int) { events.push_back("up"); };
  }

  TLabel label;
  std::vector<std::string> events;
};

TEST_F(LabelClickTest, ClickFiresOnLeftReleaseOverTheLabelOnly) {
  const int x = 50 + 5 + 3, y = 50 + 5 + 3;  // inside the auto-sized label
  ASSERT_EQ(layer.ControlAt(x, y), &label);
  Press(layer, x, y);
  EXPECT_TRUE(events.empty());
  Release(layer, x, y);
  EXPECT_EQ(events, (std::vector<std::string>{"click", "up"}));

  events.clear();
  Press(layer, x, y);
  Release(layer, 140, 140);  // moved off before releasing
  EXPECT_EQ(events, std::vector<std::string>{"up"});

  events.clear();
  Press(layer, 140, 140);  // pressed on the panel, released on the label
  Release(layer, x, y);
  ClickAt(layer, x, y, 1);  // right button
  EXPECT_EQ(events, std::vector<std::string>{"up"});
}

TEST_F(LabelClickTest, BringToFrontChangesWhatAClickReaches) {
  TLabel hidden_label;
  hidden_label.Caption = "Options";
  hidden_label.SetBounds(55, 55, 0, 0);  // the same place on screen, inside the back panel
  hidden_label.SetParent(&back);
  int back_clicks = 0;
  hidden_label.OnClick = [&](TControl*) { ++back_clicks; };
  ClickAt(layer, 58, 58);
  EXPECT_EQ(events.size(), 2u);
  EXPECT_EQ(back_clicks, 0);
  back.BringToFront();
  ClickAt(layer, 58, 58);
  EXPECT_EQ(back_clicks, 1);
  EXPECT_EQ(events.size(), 2u);
}

// The message box is modal: nothing under it hears a click or a key until Enter, Esc or a click on
// "OK" closes it; then the field that had the keys has them again.
TEST_F(LabelClickTest, AMessageBoxHoldsEveryClickAndKeyUntilItCloses) {
  TEdit field;
  field.SetBounds(0, 0, 40, 12);
  field.SetParent(&back);
  field.SetFocus();
  ASSERT_TRUE(field.Focused());
  TMessageBox box;
  int closed = 0;
  box.OnClose = [&](TControl*) { ++closed; };
  enum class Closing { Enter, Escape, ClickOnOk };
  for (Closing how : {Closing::Enter, Closing::Escape, Closing::ClickOnOk}) {
    box.Show(layer, "Jizdavo", "Unable to write to /home/player/.local/share/jizdavo/Settings.ini");
    ASSERT_EQ(layer.ModalControl(), &box);
    EXPECT_TRUE(box.Focused());
    ClickAt(layer, 58, 58);  // the label, beside the box
    EXPECT_TRUE(KeyDown(layer, 'A'));
    EXPECT_TRUE(Type(layer, "a"));
    ClickAt(layer, box.Left + 2, box.Top + 2);  // the box, not on "OK"
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(field.Text(), "");
    EXPECT_TRUE(box.Visible);
    if (how == Closing::Enter) KeyDown(layer, 13);
    if (how == Closing::Escape) KeyDown(layer, 27);
    if (how == Closing::ClickOnOk) {
      const TControl* ok = nullptr;
      for (const TControl* c : box.Controls())
        if (auto* label = dynamic_cast<const TLabel*>(c); label && label->Caption == "OK") ok = c;
      ASSERT_NE(ok, nullptr);
      ClickAt(layer, ok->ScreenLeft() + ok->Width / 2, ok->ScreenTop() + ok->Height / 2);
    }
    EXPECT_FALSE(box.Visible);
    EXPECT_EQ(layer.ModalControl(), nullptr);
    EXPECT_TRUE(field.Focused());
    ClickAt(layer, 58, 58);
    EXPECT_EQ(events, (std::vector<std::string>{"click", "up"}));
    events.clear();
  }
  EXPECT_EQ(closed, 3);
}

// Its text is broken at blanks into lines that fit (a line may fill the width exactly), a word longer
// than a line inside the word, and the box stays on the frame with its "OK": a text too long for it
// loses its middle.
TEST(MessageBoxText, LinesFitAndKeepEveryCharacter) {
  const TControlFont font = ItemFont();
  const auto width_of = [&font](const std::string& text) {
    return MeasureText(FontRequestOf(font), text).width;
  };
  const std::string path = "/home/player/" + std::string(120, 'x') + "/Settings.ini";
  for (const std::string& text : {std::string("OK"), "Unable to write to " + path,
                                  std::string("Congratulation, you have completed all levels of standard game!")}) {
    const std::vector<std::string> lines = WrapText(font, text, 300);
    std::string joined;
    for (const std::string& line : lines) {
      EXPECT_LE(width_of(line), 300) << line;
      EXPECT_FALSE(line.empty());
      joined += line;
    }
    std::string letters = text;
    std::erase(letters, ' ');
    std::erase(joined, ' ');
    EXPECT_EQ(joined, letters);
  }
  const int exactly = width_of("a b");
  EXPECT_EQ(WrapText(font, "a b", exactly), std::vector<std::string>{"a b"});
  EXPECT_EQ(WrapText(font, "a b", exactly - 1), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(WrapText(font, "abcdef", width_of("abc")), (std::vector<std::string>{"abc", "def"}));
  EXPECT_EQ(WrapText(font, "abcdef", width_of("abc") - 1), (std::vector<std::string>{"ab", "cd", "ef"}));

  ControlLayer layer;
  TMessageBox box;
  box.Show(layer, "Jizdavo", "Unable to write to " + path);
  EXPECT_GT(box.Lines().size(), 1u);
  EXPECT_TRUE(IntersectRect(box.BoundsRect(), layer.BoundsRect()) == box.BoundsRect());

  const std::string far_path = "/home/player/" + std::string(5000, 'x') + "/Settings.ini";
  box.Close();
  box.Show(layer, "Jizdavo", "Unable to write to " + far_path);
  std::string shown;
  for (const std::string& line : box.Lines()) shown += line;
  std::erase(shown, ' ');
  EXPECT_TRUE(shown.starts_with("Unabletowriteto/home/player/xx")) << shown;
  EXPECT_TRUE(shown.ends_with("xx/Settings.ini")) << shown;
  EXPECT_NE(shown.find("x...x"), std::string::npos) << shown;
  EXPECT_EQ(box.Lines().size(), 3u);  // the path in two lines, not the whole frame
  EXPECT_TRUE(IntersectRect(box.BoundsRect(), layer.BoundsRect()) == box.BoundsRect());
  int lowest = 0;  // the bottom of the lowest line or "OK"
  for (const TControl* c : box.Controls()) lowest = std::max(lowest, c->ScreenTop() + c->Height);
  EXPECT_LE(lowest, box.Top + box.Height);
}

TEST_F(LayerTest, ShapeKeepsTheMouseWhileAButtonIsHeld) {
  TShape shape;
  shape.SetBounds(20, 30, 80, 7);
  shape.SetParent(&front);  // at 70, 80 on screen
  struct Seen {
    TShiftState shift;
    int x, y;
  };
  std::vector<Seen> moves;
  std::vector<Seen> downs;
  shape.OnMouseDown = [&](TControl*, TMouseButton, TShiftState s, int x, int y) {
    downs.push_back({s, x, y});
  };
  shape.OnMouseMove = [&](TControl*, TShiftState s, int x, int y) { moves.push_back({s, x, y}); };

  Press(layer, 75, 82);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].x, 5);
  EXPECT_EQ(downs[0].y, 2);
  EXPECT_EQ(layer.MouseCapture(), &shape);
  Move(layer, 20, 200);  // far outside, left and below
  Move(layer, 400, 81);  // beyond the right end
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[0].x, -50);
  EXPECT_EQ(moves[0].y, 120);
  EXPECT_EQ(moves[1].x, 330);
  EXPECT_TRUE(moves[0].shift & ssLeft);

  Release(layer, 400, 81);
  EXPECT_EQ(layer.MouseCapture(), nullptr);
  Move(layer, 20, 200);
  EXPECT_EQ(moves.size(), 2u);
  Move(layer, 71, 81);  // over it again, no button: the move still reaches it, without ssLeft
  ASSERT_EQ(moves.size(), 3u);
  EXPECT_EQ(moves[2].shift, 0u);
}

TEST_F(LayerTest, ACaptureEndsWhenItsControlLeavesOrTheWindowGoesToTheBackground) {
  TShape shape;
  shape.SetBounds(0, 0, 10, 10);
  shape.SetParent(&back);
  Press(layer, 5, 5);
  EXPECT_EQ(layer.MouseCapture(), &shape);
  shape.SetParent(nullptr);
  EXPECT_EQ(layer.MouseCapture(), nullptr);

  Press(layer, 5, 5);
  EXPECT_EQ(layer.MouseCapture(), &back);
  layer.HandleEvent(WindowEvent{WindowEvent::Kind::Deactivate});
  EXPECT_EQ(layer.MouseCapture(), nullptr);
  EXPECT_EQ(layer.ButtonsHeld(), 0u);
}

}  // namespace
}  // namespace jizdavo
