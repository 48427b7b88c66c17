// Program entry. For now it opens the game's window and shows a test picture drawn with the picture
// layer's own operations, until Esc or the window is closed.

#include <SDL.h>

#include <cstdio>

#include "platform/canvas.h"
#include "platform/error.h"
#include "platform/sdl/sdl_window.h"
#include "platform/surface.h"

namespace jizdavo {
namespace {

void DrawTestPicture(TSurface& frame) {
  frame.Fill(rgb565::FromColor(RGB(24, 40, 24)));
  TSurfaceCanvas& canvas = frame.Canvas();
  canvas.Brush.Color = RGB(90, 90, 90);
  canvas.Pen.Color = clSilver;
  canvas.Rectangle(0, 180, 640, 300);  // a road
  canvas.Pen.Color = clWhite;
  canvas.Pen.Width = 3;
  for (int x = 10; x < 640; x += 60) {
    canvas.MoveTo(x, 240);
    canvas.LineTo(x + 30, 240);
  }
  canvas.Pen.Width = 1;
  canvas.Brush.Color = clMaroon;
  canvas.Pen.Color = clRed;
  canvas.Rectangle(300, 400, 340, 440);
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Font.Name = "Arial Black";
  canvas.Font.Size = 48;
  canvas.Font.Color = RGB(177, 187, 174);
  canvas.TextOut((640 - canvas.TextWidth("Jizdavo")) / 2, 60, "Jizdavo");
  canvas.Font.Name = "Tahoma";
  canvas.Font.Size = 15;
  canvas.Font.Bold = true;
  canvas.Font.Italic = true;
  canvas.Font.Color = clYellow;
  canvas.TextOut(20, 330, "Esc quits, Alt+Enter switches full screen");
  frame.ReleaseCanvas();
}

void Run() {
  SdlWindow window;
  TSurface frame(kFrameWidth, kFrameHeight);
  DrawTestPicture(frame);
  for (;;) {
    window.PresentFrame(frame.Pixels(), frame.Width(), frame.Height(), frame.Width());
    SDL_Event event;
    // The picture does not change: wake for events, and now and then to show it again.
    if (!SDL_WaitEventTimeout(&event, 100)) continue;
    do {
      if (window.HandleEvent(event)) continue;
      if (event.type == SDL_QUIT) return;
      if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) return;
    } while (SDL_PollEvent(&event));
  }
}

}  // namespace
}  // namespace jizdavo

int main(int, char**) {
  try {
    jizdavo::Run();
  } catch (const jizdavo::Error& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
