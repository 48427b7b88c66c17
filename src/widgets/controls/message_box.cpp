#include "widgets/controls/message_box.h"
#include "platform/input/scan_codes.h"

#include <algorithm>

namespace jizdavo {

namespace {

constexpr int kMargin = 20;
constexpr int kMinWidth = 240;
constexpr int kMaxTextWidth = 560;
constexpr int kGap = 8;

int WidthOf(const TControlFont& font, std::string_view latin1) {
  return MeasureText(FontRequestOf(font), Utf8FromLatin1(latin1)).width;
}

// The longest start of `word` that fits, at least one character so that every line makes progress.
size_t FittingPrefix(const TControlFont& font, std::string_view word, int width) {
  size_t length = 1;
  while (length < word.size() && WidthOf(font, word.substr(0, length + 1)) <= width) ++length;
  return length;
}

}  // namespace

std::vector<std::string> WrapText(const TControlFont& font, std::string_view text, int width) {
  std::vector<std::string> lines;
  std::string line;
  size_t at = 0;
  while (at < text.size()) {
    const size_t blank = std::min(text.find(' ', at), text.size());
    std::string_view word = text.substr(at, blank - at);
    at = blank + 1;
    std::string joined = line.empty() ? std::string(word) : line + ' ' + std::string(word);
    if (WidthOf(font, joined) <= width) {
      line = std::move(joined);
      continue;
    }
    if (!line.empty()) lines.push_back(std::move(line));
    line.clear();
    // A word wider than a line is cut where it fills one, a line at a time.
    for (size_t cut = FittingPrefix(font, word, width); cut < word.size();
         cut = FittingPrefix(font, word, width)) {
      lines.emplace_back(word.substr(0, cut));
      word.remove_prefix(cut);
    }
    line = word;
  }
  if (!line.empty() || lines.empty()) lines.push_back(std::move(line));
  return lines;
}

namespace {

// `text` as WrapText breaks it into at most `most` lines: whole when it fits, else as much of its start
// and its end as fits, with "..." in place of its middle.
std::string CutToLines(const TControlFont& font, std::string_view text, int width, size_t most) {
  if (WrapText(font, text, width).size() <= most) return std::string(text);
  const auto cut = [text](size_t kept) {
    return std::string(text.substr(0, kept)) + "..." + std::string(text.substr(text.size() - kept));
  };
  // The most characters kept at either end for which the text still fits.
  size_t fits = 0, too_many = text.size() / 2;
  while (too_many - fits > 1) {
    const size_t kept = fits + (too_many - fits) / 2;
    (WrapText(font, cut(kept), width).size() <= most ? fits : too_many) = kept;
  }
  return cut(fits);
}

// A word of a message that fills more lines than this (a path, nearly always) loses its middle.
constexpr size_t kMostWordLines = 2;

std::string CutLongWords(const TControlFont& font, std::string_view text, int width) {
  std::string out;
  for (size_t at = 0; at <= text.size();) {
    const size_t blank = std::min(text.find(' ', at), text.size());
    if (at > 0) out += ' ';
    out += CutToLines(font, text.substr(at, blank - at), width, kMostWordLines);
    at = blank + 1;
  }
  return out;
}

}  // namespace

std::vector<std::string> WrapTextWithin(const TControlFont& font, std::string_view text, int width,
                                        int most_lines) {
  const size_t most = static_cast<size_t>(std::max(most_lines, 1));
  return WrapText(font, CutToLines(font, CutLongWords(font, text, width), width, most), width);
}

TMessageBox::TMessageBox() {
  Visible = false;
  outline_.Pen.Color = kMenuTextColor;
  outline_.Brush.Style = TBrushStyle::bsClear;
  outline_.SetParent(this);
  title_.Font = HeadingFont();
  title_.SetParent(this);
  ok_.Font = HeadingFont();
  ok_.Caption = "OK";
  ok_.OnClick = [this](TControl*) { Close(); };
  ok_.SetParent(this);
}

void TMessageBox::Show(ControlLayer& layer, const std::string& title, const std::string& text) {
  layer_ = &layer;
  if (Parent() != &layer) SetParent(&layer);
  title_.Caption = Latin1FromUtf8(title);
  lines_.clear();
  // As many lines as leave the title and "OK" on the frame.
  const int fixed =
      4 * kGap + TextExtentOf(title_.Font, title_.Caption).height + TextExtentOf(ok_.Font, "OK").height;
  const int most_lines = (layer.Height - fixed) / TextExtentOf(ItemFont(), "Ag").height;
  for (std::string& caption : WrapTextWithin(ItemFont(), Latin1FromUtf8(text), kMaxTextWidth, most_lines)) {
    auto line = std::make_unique<TLabel>();
    line->Caption = std::move(caption);
    line->SetParent(this);
    lines_.push_back(std::move(line));
  }
  Layout(layer.Width, layer.Height);
  layer.ShowModal(*this);
}

void TMessageBox::Layout(int frame_width, int frame_height) {
  const int title_height = TextExtentOf(title_.Font, title_.Caption).height;
  const int line_height = TextExtentOf(ItemFont(), "Ag").height;
  const int ok_height = TextExtentOf(ok_.Font, ok_.Caption).height;
  int width = TextExtentOf(title_.Font, title_.Caption).width;
  for (const auto& line : lines_) width = std::max(width, TextExtentOf(line->Font, line->Caption).width);
  width = std::clamp(width + 2 * kMargin, kMinWidth, frame_width);
  const int text_top = kGap + title_height + kGap;
  const int ok_top = text_top + static_cast<int>(lines_.size()) * line_height + kGap;
  const int height = std::min(ok_top + ok_height + kGap, frame_height);
  SetBounds((frame_width - width) / 2, (frame_height - height) / 2, width, height);
  outline_.SetBounds(0, 0, width, height);
  title_.SetBounds(kMargin, kGap, 0, 0);
  for (size_t i = 0; i < lines_.size(); ++i)
    lines_[i]->SetBounds(kMargin, text_top + static_cast<int>(i) * line_height, 0, 0);
  ok_.SetBounds((width - TextExtentOf(ok_.Font, ok_.Caption).width) / 2, ok_top, 0, 0);
}

void TMessageBox::Close() {
  if (!Visible) return;
  if (layer_) {
    layer_->EndModal(*this);
  } else {
    Hide();
  }
  if (OnClose) OnClose(this);
}

void TMessageBox::KeyDown(int key) {
  if (key == kKeyEnter || key == kKeyEscape) Close();
}

std::vector<std::string> TMessageBox::Lines() const {
  std::vector<std::string> lines;
  for (const auto& line : lines_) lines.push_back(line->Caption);
  return lines;
}

}  // namespace jizdavo
