#include "widgets/controls/control_paint.h"

#include <algorithm>

#include "platform/pixels/dib.h"
#include "platform/pixels/surface.h"
#include "widgets/controls/control.h"

namespace jizdavo {

void FillOnFrame(TSurface& frame, const TRect& rect, const TRect& clip, TColor color) {
  const TRect cut = IntersectRect(rect, clip);
  if (!cut.IsEmpty()) frame.FillRect(cut, rgb565::FromColor(color));
}

void OutlineOnFrame(TSurface& frame, const TRect& rect, const TRect& clip, TColor color) {
  if (rect.IsEmpty()) return;
  FillOnFrame(frame, {rect.Left, rect.Top, rect.Right, rect.Top + 1}, clip, color);
  FillOnFrame(frame, {rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom}, clip, color);
  FillOnFrame(frame, {rect.Left, rect.Top, rect.Left + 1, rect.Bottom}, clip, color);
  FillOnFrame(frame, {rect.Right - 1, rect.Top, rect.Right, rect.Bottom}, clip, color);
}

void PictureOnFrame(TSurface& frame, int x, int y, const TDIB& picture, const TRect& clip) {
  if (picture.Empty()) return;
  const TRect cut =
      IntersectRect(IntersectRect(Bounds(x, y, picture.Width(), picture.Height()), clip), frame.ClientRect());
  if (cut.IsEmpty()) return;
  frame.MarkChanged(cut);
  for (int ty = cut.Top; ty < cut.Bottom; ++ty) {
    const TColor* from = picture.Row(ty - y) + (cut.Left - x);
    RawPixel* to = frame.MarkedRow(ty);
    for (int tx = cut.Left; tx < cut.Right; ++tx) to[tx] = rgb565::FromColor(*from++);
  }
}

void TextOnFrame(TSurface& frame, int x, int y, const TControlFont& font, std::string_view caption,
                 const TRect& clip) {
  if (caption.empty()) return;
  const uint32_t r = GetRValue(font.Color), g = GetGValue(font.Color), b = GetBValue(font.Color);
  const RawPixel solid = rgb565::FromColor(font.Color);
  const TRect cut = IntersectRect(clip, frame.ClientRect());
  const TextCoverage& text = CachedText(font, caption);
  // Recorded once, as the text's box: the frame knows where it changed.
  frame.MarkChanged(IntersectRect(Bounds(x + text.left, y + text.top, text.width, text.height), cut));
  ForEachCovered(text, x, y, cut, [&](int px, int py, uint32_t alpha) {
    RawPixel& pixel = frame.MarkedRow(py)[px];
    if (alpha == 255) {
      pixel = solid;
      return;
    }
    pixel =
        rgb565::Pack(MixChannel(r, rgb565::Red8(pixel), alpha), MixChannel(g, rgb565::Green8(pixel), alpha),
                     MixChannel(b, rgb565::Blue8(pixel), alpha));
  });
}

}  // namespace jizdavo
