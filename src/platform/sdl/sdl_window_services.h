#pragma once
// The window services on SDL: the game's own pointer from its cursor file, hiding and centring the
// pointer, the modal message box, and closing the window.

#include <SDL.h>

#include <string>

#include "platform/window_services.h"

namespace jizdavo {

class SdlWindowServices final : public WindowServices {
 public:
  explicit SdlWindowServices(SDL_Window* window) : window_(window) {}
  ~SdlWindowServices() override;
  SdlWindowServices(const SdlWindowServices&) = delete;
  SdlWindowServices& operator=(const SdlWindowServices&) = delete;

  // Shape 1 falls back to the system arrow while no pointer file has been loaded.
  void SetPointerShape(int shape) override;
  bool LoadPointer(const std::string& path) override;
  void CenterPointer() override;
  void MessageBox(const std::string& title, const std::string& text) override;
  // Asks the main loop to end, as closing the window does.
  void Close() override;

 private:
  SDL_Window* window_;
  SDL_Cursor* game_pointer_ = nullptr;
  SDL_Cursor* arrow_ = nullptr;
};

}  // namespace jizdavo
