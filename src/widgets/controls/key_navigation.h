#pragma once
// The menus worked without a mouse: the arrow keys move a highlight over the items of the screen in
// front, Enter works the highlighted item as a click would, Left and Right step the items that step
// (the gauges, the level list), Esc works the screen's "Back". The highlight is an outline in the
// menu text colour, shown only from the first key on and hidden again by the mouse, so a player who
// uses the mouse sees the menus as before.

#include <functional>
#include <map>
#include <vector>

#include "platform/rect.h"
#include "platform/input/window_events.h"
#include "widgets/controls/control_layer.h"

namespace jizdavo {

class TSurface;

class KeyNavigation {
 public:
  explicit KeyNavigation(ControlLayer& layer) : layer_(layer) {}

  // Items are the showing, enabled controls of the front panel that have a click handler, and those
  // named here: `item` is worked with a left press and a click (a check box without a handler), or
  // takes the keys itself while focused (a field).
  void AddItem(TControl& item) { added_.push_back(&item); }
  // Left and Right call `step` with -1 and 1; Enter gives the item only its click. `mark`, when given,
  // says which part of the item (in its own pixels) the outline goes round: a list's chosen entry.
  void SetStep(TControl& item, std::function<void(int direction)> step, std::function<TRect()> mark = {});
  // The item Esc works while `panel` is in front.
  void SetBack(TControl& panel, TControl& item) { backs_[&panel] = &item; }
  // Puts the highlight on `item`, whose screen just came up, so that Enter works it at once, before
  // the outline shows; an arrow key or a mouse press forgets that, and the outline shows as ever.
  void Preselect(TControl& item);

  // Arrow keys, Enter and Esc while a menu panel is in front; a held Enter or Esc does not repeat.
  // Mouse presses and moves hide the highlight. True when a key was used.
  bool HandleEvent(const WindowEvent& event);
  // The highlight over the composed frame, while it shows.
  void Paint(TSurface& frame);
  // The highlighted item, nullptr while none shows.
  TControl* Highlighted();

 private:
  TControl* FrontPanel() const;
  std::vector<TControl*> Items(const TControl& panel) const;
  bool IsItem(const TControl& control) const;
  void Activate(TControl& item);
  bool KeyDown(const WindowEvent& event);

  ControlLayer& layer_;
  std::vector<const TControl*> added_;
  std::map<const TControl*, std::function<void(int)>> steps_;
  std::map<const TControl*, std::function<TRect()>> marks_;
  std::map<const TControl*, TControl*> backs_;
  TControl* highlighted_ = nullptr;
  TControl* preselected_ = nullptr;
  const TControl* highlighted_panel_ = nullptr;  // the front panel the highlight was put on
  bool shown_ = false;
};

}  // namespace jizdavo
