#pragma once
// A one-line text field: black, no border, a caret, typed 8-bit characters, Backspace, Delete and the
// Left, Right, Home and End keys. Only the focused field takes keys, and only while it is in front.

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
  // The caret goes to the end. Not bound by MaxLength, which limits typing only.
  void SetText(std::string text);
  int SelStart() const { return caret_; }
  void SetSelStart(int position);

  bool Windowed() const override { return true; }
  bool CanFocus() const override { return true; }
  void KeyDown(int key_code) override;
  void KeyChar(char key) override;

 protected:
  void Paint(TSurface& frame, const TRect& place, const TRect& clip) override;

 private:
  // The key after OnKeyPress had its say; 0 when swallowed.
  char PressKey(char key);
  void Insert(char c);
  // Keeps the caret inside the field by sliding the text.
  void ScrollToCaret(int caret_x);

  std::string text_;
  int caret_ = 0;
  int scroll_ = 0;  // pixels of text slid out at the left
};

}  // namespace jizdavo
