// The menus without a mouse: which items step with Left and Right, which one Esc works on each
// screen, and the check boxes that Enter toggles.

#include <algorithm>
#include <cstdint>

#include "main_window/jizdavo.h"

namespace jizdavo {

namespace {

constexpr int kGaugeStep = 8;  // of the gauges' 80: ten steps from silent to full

int SelectedIndex(const TListView& list) {
  for (int i = 0; i < list.Items.Count(); ++i)
    if (list.Items[i] == list.Selected()) return i;
  return -1;
}

// The next or previous item of the list, or the first one when none is selected yet.
void StepSelection(TListView& list, int direction) {
  const int count = list.Items.Count();
  if (count == 0) return;
  const int at = SelectedIndex(list);
  list.SetSelected(list.Items[at < 0 ? 0 : std::clamp(at + direction, 0, count - 1)]);
}

// The press a step of the keys gives on a gauge at `position`: the next position towards silent or
// full, on the outline. Stored positions may be anything below 0, so the sum is taken in 64 bits.
int GaugeStepPress(int position, int direction) {
  return static_cast<int>(std::clamp<int64_t>(int64_t{position} + int64_t{direction} * kGaugeStep, 0, 80));
}

// The list shows its selection only while focused, which it never keeps: the outline marks it.
TRect SelectionMark(TListView& list) {
  const int at = SelectedIndex(list);
  return at < 0 ? Bounds(0, 0, list.Width, list.Height) : list.ItemRect(at);
}

}  // namespace

void TJizdavo::WireKeyboard() {
  TMenuScreens& m = Menus;
  KeyNavigation& keys = m.Keys;
  // A step is a press on the gauge's outline where the next position lies, as a click there would be.
  keys.SetStep(m.Shape3, [this](int direction) {
    Shape3MouseDown(&Menus.Shape3, TMouseButton::mbLeft, ssLeft,
                    GaugeStepPress(Menus.SuperGauge2.Position(), direction), 0);
  });
  keys.SetStep(m.Shape2, [this](int direction) {
    Shape2MouseDown(&Menus.Shape2, TMouseButton::mbLeft, ssLeft,
                    GaugeStepPress(Menus.SuperGauge1.Position(), direction), 0);
  });
  keys.SetStep(
      m.ListView1, [this](int direction) { StepSelection(Menus.ListView1, direction); },
      [this] { return SelectionMark(Menus.ListView1); });
  keys.AddItem(FPS);
  keys.AddItem(PlaySE);
  keys.AddItem(ShowGhost);
  keys.AddItem(m.Edit1);  // above "Your time is:", so the name entry opens with the outline on it
  keys.SetBack(m.NewG, m.Label12);
  keys.SetBack(m.NewGCH, m.Label30);
  keys.SetBack(m.Options, m.Label23);
  keys.SetBack(m.Scores, m.Label17);
  keys.SetBack(m.Credits, m.Label42);
}

}  // namespace jizdavo
