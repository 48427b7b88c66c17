#pragma once
// The game's own message box, in the menus' look: a black panel with a thin outline in the text
// colour, a title in the heading style, the text in the item style broken into lines that fit, and an
// "OK" item. It is modal in its layer: Enter, Esc or a click on "OK" closes it.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/controls/control_layer.h"
#include "widgets/controls/simple_controls.h"

namespace jizdavo {

class TMessageBox : public TPanel {
 public:
  TMessageBox();

  // Lays the title and text out, centred on `layer`, and shows the box there as its modal control.
  void Show(ControlLayer& layer, const std::string& title, const std::string& text);
  void Close();
  // Raised once the box has closed.
  TNotifyEvent OnClose;

  bool CanFocus() const override { return true; }
  void KeyDown(int key) override;

  const std::string& Title() const { return title_.Caption; }
  // The text as shown, a line each.
  std::vector<std::string> Lines() const;

 private:
  void Layout(int frame_width, int frame_height);

  ControlLayer* layer_ = nullptr;
  TShape outline_;
  TLabel title_;
  TLabel ok_;
  std::vector<std::unique_ptr<TLabel>> lines_;
};

// `text` (8-bit) broken into lines of at most `width` pixels in `font`: at blanks where it can, inside
// a word that is wider than a line by itself.
std::vector<std::string> WrapText(const TControlFont& font, std::string_view text, int width);
// The same in at most `most_lines` lines (at least one): a word longer than two lines (a long path)
// and then a longer text keep as much of their start and end as fits, with "..." in place of their
// middle (of a long path, the folders between).
std::vector<std::string> WrapTextWithin(const TControlFont& font, std::string_view text, int width,
                                        int most_lines);

}  // namespace jizdavo
