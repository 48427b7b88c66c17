#include "platform/sdl/sdl_window_services.h"

#include <cstdio>

#include "platform/pictures/cursor_file.h"
#include "platform/error.h"

namespace jizdavo {

SdlWindowServices::~SdlWindowServices() {
  if (game_pointer_) SDL_FreeCursor(game_pointer_);
  if (arrow_) SDL_FreeCursor(arrow_);
}

void SdlWindowServices::SetPointerShape(int shape) {
  if (shape < 0) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  if (!arrow_) arrow_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  SDL_Cursor* cursor = shape == 1 && game_pointer_ ? game_pointer_ : arrow_;
  if (cursor) SDL_SetCursor(cursor);
  SDL_ShowCursor(SDL_ENABLE);
}

bool SdlWindowServices::LoadPointer(const std::string& path) {
  CursorImage image;
  try {
    image = LoadCursorFile(path);
  } catch (const Error& error) {
    std::fprintf(stderr, "%s: %s; the system arrow is shown\n", path.c_str(), error.what());
    return false;
  }
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(image.argb.data(), image.width, image.height, 32,
                                                            image.width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return false;
  SDL_Cursor* cursor = SDL_CreateColorCursor(surface, image.hot_x, image.hot_y);
  SDL_FreeSurface(surface);
  if (!cursor) return false;
  if (game_pointer_) SDL_FreeCursor(game_pointer_);
  game_pointer_ = cursor;
  return true;
}

void SdlWindowServices::CenterPointer() {
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window_, &width, &height);
  SDL_WarpMouseInWindow(window_, width / 2, height / 2);
}

void SdlWindowServices::Close() {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
}

bool SdlWindowServices::QuitRequested() {
  SDL_PumpEvents();
  return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) > 0;
}

}  // namespace jizdavo
