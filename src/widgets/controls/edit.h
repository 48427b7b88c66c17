#pragma once
// A one-line text field: black, no border, a caret, typed 8-bit characters, Backspace, Delete and the
// arrow, Home and End keys. Only the focused field takes keys, and only while it is in front. Its
// whole text can be selected, shown inverted while focused: typing replaces it, Backspace and Delete
// empty the field, and the arrow, Home and End keys end the selection and move the caret.

#include <functional>
#include <string>

#include "widgets/controls/control.h"
#include "widgets/controls/control_text.h"

namespace jizdavo {

// Sees every typed character and Enter (13), Backspace (8) and Esc (27) before the field does; setting
// Key to 0 swallows it, another value replaces it.
using TKeyPressEvent = std::function<void(TControl* Sender, char& Key)>;

class TEdit : public TControl {
 public:
  TEdit();

  TControlFont Font = MenuFont("MS Sans Serif", 13);
  TColor Color = clBlack;
  int MaxLength = 0;  // most characters typing may reach; 0 is no limit
  bool ReadOnly = false;
  TKeyPressEvent OnKeyPress;

  const std::string& Text() const { return text_; }
  // The caret goes to the end, and nothing is selected. Not bound by MaxLength, which limits typing only.
  void SetText(std::string text);
  int SelStart() const { return selected_ ? 0 : caret_; }
  int SelLength() const { return selected_ ? static_cast<int>(text_.size()) : 0; }
  // Ends any selection.
  void SetSelStart(int position);
  // Selects the whole text, the caret at its end.
  void SelectAll();

  bool Windowed() const override { return true; }
  bool CanFocus() const override { return true; }
  bool TakesText() const override { return !ReadOnly; }
  void KeyDown(int key_code) override;
  void KeyChar(char key) override;

 protected:
  void Paint(TSurface& frame, const TRect& place, const TRect& clip) override;

 private:
  // The key after OnKeyPress had its say; 0 when swallowed.
  char PressKey(char key);
  void Insert(char c);
  // Empties the field when its text is selected; true if it did.
  bool EraseSelection();
  // Keeps the caret inside the field by sliding the text.
  void ScrollToCaret(int caret_x);

  std::string text_;
  int caret_ = 0;
  bool selected_ = false;  // the whole text
  int scroll_ = 0;  // pixels of text slid out at the left
};

}  // namespace jizdavo
