#include "widgets/controls/edit.h"

#include <algorithm>

#include "platform/input/scan_codes.h"
#include "widgets/controls/control_paint.h"

namespace jizdavo {

namespace {

constexpr int kMargin = 1;  // between the field's left edge and its text

bool Printable(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 0x20 && code != 0x7F;
}

}  // namespace

TEdit::TEdit() { SetBounds(0, 0, 121, 21); }

void TEdit::SetText(std::string text) {
  text_ = std::move(text);
  caret_ = static_cast<int>(text_.size());
  selected_ = false;
}

void TEdit::SetSelStart(int position) {
  caret_ = std::clamp(position, 0, static_cast<int>(text_.size()));
  selected_ = false;
}

void TEdit::SelectAll() {
  caret_ = static_cast<int>(text_.size());
  selected_ = !text_.empty();
}

bool TEdit::EraseSelection() {
  if (!selected_ || ReadOnly) return false;
  SetText({});
  return true;
}

char TEdit::PressKey(char key) {
  if (OnKeyPress) OnKeyPress(this, key);
  return key;
}

void TEdit::Insert(char c) {
  if (ReadOnly || !Printable(c)) return;
  EraseSelection();
  if (MaxLength > 0 && static_cast<int>(text_.size()) >= MaxLength) return;
  text_.insert(text_.begin() + caret_, c);
  ++caret_;
}

void TEdit::KeyDown(int key_code) {
  switch (key_code) {
    case kKeyEnter:
    case kKeyEscape:
      PressKey(static_cast<char>(key_code));
      break;
    case kKeyBackspace:
      if (PressKey(kKeyBackspace) != kKeyBackspace || EraseSelection()) break;
      if (!ReadOnly && caret_ > 0) text_.erase(--caret_, 1);
      break;
    case kKeyDelete:
      if (EraseSelection()) break;
      if (!ReadOnly && caret_ < static_cast<int>(text_.size())) text_.erase(caret_, 1);
      break;
    // A selection ends at the side the arrow points to, as one step would leave it.
    case kKeyLeft:
    case kKeyUp:
      SetSelStart(selected_ ? 0 : caret_ - 1);
      break;
    case kKeyRight:
    case kKeyDown:
      SetSelStart(selected_ ? caret_ : caret_ + 1);
      break;
    case kKeyHome:
      SetSelStart(0);
      break;
    case kKeyEnd:
      SetSelStart(static_cast<int>(text_.size()));
      break;
    default:
      break;
  }
}

void TEdit::KeyChar(char key) {
  if (!Printable(key)) return;
  const char typed = PressKey(key);
  if (typed != 0) Insert(typed);
}

void TEdit::ScrollToCaret(int caret_x) {
  const int room = std::max(1, Width - 2 * kMargin);
  if (caret_x - scroll_ >= room) scroll_ = caret_x - room + 1;
  if (caret_x < scroll_) scroll_ = caret_x;
}

void TEdit::Paint(TSurface& frame, const TRect& place, const TRect& clip) {
  const TRect inside = IntersectRect(place, clip);
  FillOnFrame(frame, inside, clip, Color);
  const TextExtent cell = TextExtentOf(Font, text_);
  const int caret_x = TextExtentOf(Font, std::string_view(text_).substr(0, caret_)).width;
  ScrollToCaret(caret_x);
  const int x = place.Left + kMargin - scroll_;
  const int y = place.Top + (Height - cell.height) / 2;
  if (selected_ && Focused() && InFront()) {
    // The selection inverted: the field's colour on the text colour.
    FillOnFrame(frame, Bounds(x, y, cell.width, cell.height), inside, Font.Color);
    TControlFont inverted = Font;
    inverted.Color = Color;
    TextOnFrame(frame, x, y, inverted, text_, inside);
    return;
  }
  TextOnFrame(frame, x, y, Font, text_, inside);
  if (Focused() && InFront()) FillOnFrame(frame, Bounds(x + caret_x, y, 1, cell.height), inside, Font.Color);
}

}  // namespace jizdavo
