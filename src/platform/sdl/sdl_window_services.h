#pragma once
// What SDL does for the window services: the game's own pointer from its cursor file, hiding and
// centring the pointer, closing the window and noticing a request to end. Messages are the game's
// own (src/program), drawn in its window: SDL's message box needs helper programs or X fonts that many
// systems lack, and on desktops it opens behind a full-screen window.

#include <SDL.h>

#include <string>

namespace jizdavo {

class SdlWindowServices final {
 public:
  explicit SdlWindowServices(SDL_Window* window) : window_(window) {}
  ~SdlWindowServices();
  SdlWindowServices(const SdlWindowServices&) = delete;
  SdlWindowServices& operator=(const SdlWindowServices&) = delete;

  // Shape 1 falls back to the system arrow while no pointer file has been loaded.
  void SetPointerShape(int shape);
  bool LoadPointer(const std::string& path);
  void CenterPointer();
  // Asks the main loop to end, as closing the window does.
  void Close();
  // A quit event is waiting (SDL turns SIGTERM and SIGINT into one); it stays queued for the loop.
  bool QuitRequested();

 private:
  SDL_Window* window_;
  SDL_Cursor* game_pointer_ = nullptr;
  SDL_Cursor* arrow_ = nullptr;
};

}  // namespace jizdavo
