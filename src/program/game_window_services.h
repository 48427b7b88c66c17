#pragma once
// The window services of the game on SDL. The pointer and closing are SDL's; every message shows in
// the game's own box, drawn in its window by the menus' controls over whatever shows, with the frame
// held until the box is closed, and goes to stderr as well. A message raised before the display is
// up waits for it.

#include <string>
#include <utility>
#include <vector>

#include "platform/sdl/sdl_main_loop.h"
#include "platform/sdl/sdl_window_services.h"
#include "platform/window_services.h"

namespace jizdavo {

class TJizdavo;

class GameWindowServices final : public WindowServices {
 public:
  explicit GameWindowServices(SdlWindowServices& sdl) : sdl_(sdl) {}

  // From now on messages show in `game`'s window, held by `loop`; those raised earlier show now.
  void Attach(TJizdavo& game, SdlMainLoop& loop);

  void SetPointerShape(int shape) override;
  bool LoadPointer(const std::string& path) override { return sdl_.LoadPointer(path); }
  void CenterPointer() override { sdl_.CenterPointer(); }
  void MessageBox(const std::string& title, const std::string& text) override;
  void Close() override { sdl_.Close(); }
  bool QuitRequested() override { return (loop_ && loop_->QuitRequested()) || sdl_.QuitRequested(); }

 private:
  void ShowInWindow(const std::string& title, const std::string& text);

  SdlWindowServices& sdl_;
  TJizdavo* game_ = nullptr;
  SdlMainLoop* loop_ = nullptr;
  int pointer_shape_ = 0;
  std::vector<std::pair<std::string, std::string>> waiting_;
};

}  // namespace jizdavo
