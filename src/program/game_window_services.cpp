#include "program/game_window_services.h"

#include <cstdio>

#include "main_window/jizdavo.h"

namespace jizdavo {

void GameWindowServices::Attach(TJizdavo& game, SdlMainLoop& loop) {
  game_ = &game;
  loop_ = &loop;
  std::vector<std::pair<std::string, std::string>> waiting;
  waiting.swap(waiting_);
  for (const auto& [title, text] : waiting) ShowInWindow(title, text);
}

void GameWindowServices::SetPointerShape(int shape) {
  pointer_shape_ = shape;
  sdl_.SetPointerShape(shape);
}

void GameWindowServices::MessageBox(const std::string& title, const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
  if (game_ == nullptr) {
    waiting_.emplace_back(title, text);
    return;
  }
  ShowInWindow(title, text);
}

// The box takes the keys and the mouse; the frame stays as it was until it closes. The pointer shows
// meanwhile, even over the play field, so that "OK" can be clicked.
void GameWindowServices::ShowInWindow(const std::string& title, const std::string& text) {
  if (loop_->QuitRequested()) return;
  TMessageBox& box = game_->Menus.Message;
  box.Show(game_->Menus.Layer, title, text);
  const int shape = pointer_shape_;
  sdl_.SetPointerShape(1);
  loop_->RunModal([&box] { return !box.Visible; }, [this] { game_->DXDraw1.Present(); });
  box.Close();
  sdl_.SetPointerShape(shape);
}

}  // namespace jizdavo
