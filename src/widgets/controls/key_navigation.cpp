#include "widgets/controls/key_navigation.h"

#include <algorithm>

#include "platform/input/scan_codes.h"
#include "platform/pixels/surface.h"
#include "widgets/controls/control_text.h"
#include "widgets/controls/simple_controls.h"

namespace jizdavo {

namespace {

constexpr int kOutlineGap = 2;  // between the item and its outline

void Visit(const TControl& parent, const std::function<void(TControl&)>& visit) {
  for (TControl* child : parent.Controls()) {
    visit(*child);
    Visit(*child, visit);
  }
}

}  // namespace

void KeyNavigation::SetStep(TControl& item, std::function<void(int)> step, std::function<TRect()> mark) {
  steps_[&item] = std::move(step);
  if (mark) marks_[&item] = std::move(mark);
}

void KeyNavigation::Preselect(TControl& item) {
  highlighted_ = &item;
  preselected_ = &item;
  highlighted_panel_ = FrontPanel();
}

TControl* KeyNavigation::FrontPanel() const {
  const std::vector<TControl*>& top = layer_.Controls();
  for (auto it = top.rbegin(); it != top.rend(); ++it)
    if ((*it)->Showing() && dynamic_cast<const TPanel*>(*it) != nullptr) return *it;
  return nullptr;
}

bool KeyNavigation::IsItem(const TControl& control) const {
  return control.OnClick || steps_.count(&control) != 0 ||
         std::find(added_.begin(), added_.end(), &control) != added_.end();
}

// Top to bottom, then left to right, as the eye reads the panel.
std::vector<TControl*> KeyNavigation::Items(const TControl& panel) const {
  std::vector<TControl*> items;
  Visit(panel, [&](TControl& control) {
    if (control.Showing() && control.Enabled && IsItem(control)) items.push_back(&control);
  });
  std::stable_sort(items.begin(), items.end(), [](const TControl* a, const TControl* b) {
    return a->ScreenTop() != b->ScreenTop() ? a->ScreenTop() < b->ScreenTop() : a->ScreenLeft() < b->ScreenLeft();
  });
  return items;
}

TControl* KeyNavigation::Highlighted() {
  if (!shown_) return nullptr;
  const TControl* panel = FrontPanel();
  if (panel == nullptr) return nullptr;
  const std::vector<TControl*> items = Items(*panel);
  if (items.empty()) return nullptr;
  // Another panel, or the item went away: the highlight starts again at the top.
  if (panel != highlighted_panel_ || std::find(items.begin(), items.end(), highlighted_) == items.end()) {
    highlighted_ = items.front();
    highlighted_panel_ = panel;
  }
  return highlighted_;
}

bool KeyNavigation::HandleEvent(const WindowEvent& event) {
  switch (event.kind) {
    case WindowEvent::Kind::MouseDown:
      preselected_ = nullptr;
      shown_ = false;
      return false;
    case WindowEvent::Kind::MouseMove:
      shown_ = false;
      return false;
    case WindowEvent::Kind::KeyDown:
      return KeyDown(event);
    default:
      return false;
  }
}

bool KeyNavigation::KeyDown(const WindowEvent& event) {
  TControl* panel = FrontPanel();
  if (panel == nullptr) return false;
  const int key = event.key_code;
  if (key == kKeyEscape) {
    const auto back = backs_.find(panel);
    if (event.repeat || back == backs_.end() || !back->second->Showing()) return false;
    Activate(*back->second);
    return true;
  }
  if (key != kKeyUp && key != kKeyDown && key != kKeyLeft && key != kKeyRight && key != kKeyEnter) return false;
  const bool first = !shown_;
  shown_ = true;
  TControl* item = Highlighted();
  const bool preselected = item != nullptr && item == preselected_;
  preselected_ = nullptr;
  // The first key only shows where the highlight is, but Enter works a preselected item at once.
  if (item == nullptr || (first && !(preselected && key == kKeyEnter))) return item != nullptr;
  if (key == kKeyEnter) {
    if (!event.repeat) Activate(*item);
  } else if (key == kKeyLeft || key == kKeyRight) {
    const auto step = steps_.find(item);
    if (step != steps_.end()) step->second(key == kKeyLeft ? -1 : 1);
  } else {
    const std::vector<TControl*> items = Items(*panel);
    const auto at = std::find(items.begin(), items.end(), item) - items.begin();
    const auto next = std::clamp<ptrdiff_t>(at + (key == kKeyUp ? -1 : 1), 0, ptrdiff_t(items.size()) - 1);
    highlighted_ = items[static_cast<size_t>(next)];
  }
  return true;
}

// As the mouse would: a left press in the middle, the click, the release; a stepping item gets its
// click only, since a press would pick by position.
void KeyNavigation::Activate(TControl& item) {
  if (steps_.count(&item) != 0) {
    item.Click();
    return;
  }
  const int x = item.Width / 2, y = item.Height / 2;
  item.MouseDown(TMouseButton::mbLeft, ssLeft, x, y);
  item.Click();
  item.MouseUp(TMouseButton::mbLeft, 0, x, y);
}

void KeyNavigation::Paint(TSurface& frame) {
  const TControl* item = Highlighted();
  if (item == nullptr) return;
  const TControl* panel = FrontPanel();
  const TRect inside = Bounds(panel->ScreenLeft(), panel->ScreenTop(), panel->Width, panel->Height);
  const auto mark = marks_.find(item);
  const TRect part = mark != marks_.end() ? mark->second() : Bounds(0, 0, item->Width, item->Height);
  const int left = item->ScreenLeft() + part.Left - kOutlineGap, top = item->ScreenTop() + part.Top - kOutlineGap;
  const int right = item->ScreenLeft() + part.Right + kOutlineGap;
  const int bottom = item->ScreenTop() + part.Bottom + kOutlineGap;
  const uint32_t ink = rgb565::FromColor(kMenuTextColor);
  for (const TRect& edge : {TRect{left, top, right, top + 1}, TRect{left, bottom - 1, right, bottom},
                            TRect{left, top, left + 1, bottom}, TRect{right - 1, top, right, bottom}}) {
    frame.FillRect(IntersectRect(edge, inside), ink);
  }
}

}  // namespace jizdavo
