#include "platform/sdl/sdl_window_services.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/sdl/sdl_window.h"

namespace jizdavo {
namespace {

class SdlWindowServicesTest : public testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no DISPLAY";
    window_ = std::make_unique<SdlWindow>();
    services_ = std::make_unique<SdlWindowServices>(window_->Window());
  }
  void TearDown() override {
    services_.reset();
    window_.reset();
  }

  // The pointer file the build writes beside the program.
  static std::filesystem::path CursorFile() {
    return std::filesystem::path(JIZDAVO_BUILD_DIR) / "Graphics" / "Cursor.cur";
  }

  std::unique_ptr<SdlWindow> window_;
  std::unique_ptr<SdlWindowServices> services_;
};

TEST_F(SdlWindowServicesTest, HidesAndShowsThePointer) {
  services_->SetPointerShape(-1);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  services_->SetPointerShape(1);  // no pointer file yet: the arrow
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

TEST_F(SdlWindowServicesTest, ShapeOneIsThePointerFromTheFile) {
  EXPECT_FALSE(services_->LoadPointer("no such file.cur"));
  if (!std::filesystem::exists(CursorFile())) GTEST_SKIP() << CursorFile() << " not built";
  ASSERT_TRUE(services_->LoadPointer(CursorFile().string()));
  services_->SetPointerShape(0);
  SDL_Cursor* arrow = SDL_GetCursor();
  services_->SetPointerShape(1);
  EXPECT_NE(SDL_GetCursor(), arrow);
  services_->SetPointerShape(0);
  EXPECT_EQ(SDL_GetCursor(), arrow);
}

TEST_F(SdlWindowServicesTest, CloseAsksTheLoopToQuit) {
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  EXPECT_FALSE(services_->QuitRequested());
  services_->Close();
  EXPECT_TRUE(services_->QuitRequested());  // and the event stays for the loop
  SDL_Event event;
  bool quit = false;
  while (SDL_PollEvent(&event)) quit = quit || event.type == SDL_QUIT;
  EXPECT_TRUE(quit);
}

}  // namespace
}  // namespace jizdavo
