#include "platform/display/dx_draw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/error.h"

namespace jizdavo {
namespace {

// Records what the display asks of the screen and refuses what it is told to.
class ScriptedDriver final : public DisplayDriver {
 public:
  explicit ScriptedDriver(std::vector<std::string>& log) : log_(log) {}
  bool SetDisplayMode(int w, int h, int bits) override {
    log_.push_back("mode " + std::to_string(w) + "x" + std::to_string(h) + "x" + std::to_string(bits));
    return !refuse_mode;
  }
  bool CreatePrimarySurface() override {
    log_.push_back("primary");
    return !refuse_primary;
  }
  bool CreateSurface(int w, int h) override {
    log_.push_back("surface " + std::to_string(w) + "x" + std::to_string(h));
    return !refuse_surface;
  }
  bool refuse_mode = false, refuse_primary = false, refuse_surface = false;

 private:
  std::vector<std::string>& log_;
};

class RecordingOutput final : public VideoOutput {
 public:
  void PresentFrame(const uint16_t* pixels, int width, int height, int pitch) override {
    frames.emplace_back(pixels, pixels + pitch * height);
    sizes.push_back({width, height});
  }
  void PresentFilmFrame(const uint32_t*, int, int, const TRect&) override {}
  std::vector<std::vector<uint16_t>> frames;
  std::vector<std::pair<int, int>> sizes;
};

const char* EventName(DisplayEvent event) {
  switch (event) {
    case DisplayEvent::Initialize:
      return "initialised";
    case DisplayEvent::Restore:
      return "restored";
    case DisplayEvent::Finalize:
      return "finalised";
  }
  return "?";
}

class Display : public ::testing::Test {
 protected:
  Display() {
    item.Picture().Assign(2, 2, 24, {clRed, clRed, clRed, clRed});
    dxdraw.AddNotify([this](DisplayEvent e) { log.push_back(EventName(e)); });
  }
  std::vector<std::string> log;
  ScriptedDriver driver{log};
  RecordingOutput output;
  TDXImageList images;
  TPictureCollectionItem& item = images.Add("Car1");
  TDXDraw dxdraw{output, images, driver};
};

TEST_F(Display, InitialisesInOrderAndBuildsTheImagesAfterTheHandler) {
  dxdraw.OnInitialize = [this] {
    log.push_back("OnInitialize: item initialised " + std::to_string(item.Initialized()) + ", patterns " +
                  std::to_string(item.PatternCount()));
  };
  dxdraw.Initialize();
  const std::vector<std::string> expected = {"mode 640x480x16",
                                             "primary",
                                             "surface 640x480",
                                             "initialised",
                                             "OnInitialize: item initialised 1, patterns 0",
                                             "restored"};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(item.PatternCount(), 1);
  EXPECT_TRUE(dxdraw.Initialized());
  EXPECT_TRUE(dxdraw.IsDrawable());
}

TEST_F(Display, BackSurfaceIsBlackAndTheSizeIsFixed) {
  EXPECT_EQ(dxdraw.BackSurface(), nullptr);
  EXPECT_EQ(dxdraw.SurfaceWidth(), 640);
  EXPECT_EQ(dxdraw.SurfaceHeight(), 480);
  dxdraw.Initialize();
  ASSERT_NE(dxdraw.BackSurface(), nullptr);
  EXPECT_EQ(dxdraw.BackSurface()->Width(), 640);
  EXPECT_EQ(dxdraw.BackSurface()->Height(), 480);
  EXPECT_EQ(dxdraw.BackSurface()->GetPixel(320, 240), 0u);
  EXPECT_EQ(dxdraw.Width(), 640);
  EXPECT_EQ(dxdraw.Height(), 480);
  EXPECT_EQ(dxdraw.GetClientRect(), (TRect{0, 0, 640, 480}));
}

TEST_F(Display, SetUpFailuresRaiseTheirMessagesAndLeaveTheDisplayDown) {
  struct Case {
    bool ScriptedDriver::*refuse;
    const char* message;
  };
  for (const Case& c : {Case{&ScriptedDriver::refuse_mode, "Display mode cannot be changed (640x480 16bit)"},
                        Case{&ScriptedDriver::refuse_primary, "Primary Surface cannot be made"},
                        Case{&ScriptedDriver::refuse_surface, "Surface cannot be made"}}) {
    std::vector<std::string> local_log;
    ScriptedDriver refusing(local_log);
    refusing.*c.refuse = true;
    TDXImageList list;
    TDXDraw display(output, list, refusing);
    bool handler_ran = false;
    display.OnInitialize = [&] { handler_ran = true; };
    try {
      display.Initialize();
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_FALSE(handler_ran);
    EXPECT_FALSE(display.IsDrawable());
    EXPECT_EQ(display.BackSurface(), nullptr);
    display.Present();
  }
  EXPECT_TRUE(output.frames.empty());
}

TEST_F(Display, PresentShowsTheBackSurfaceAndKeepsIt) {
  dxdraw.Present();
  EXPECT_TRUE(output.frames.empty());
  dxdraw.Initialize();
  dxdraw.BackSurface()->FillRect({10, 20, 11, 21}, 0xABCD);
  dxdraw.Present();
  dxdraw.Present();
  ASSERT_EQ(output.frames.size(), 2u);
  EXPECT_EQ(output.sizes[0], (std::pair{640, 480}));
  EXPECT_EQ(output.frames[1][20 * 640 + 10], 0xABCD);
  EXPECT_EQ(dxdraw.BackSurface()->GetPixel(10, 20), 0xABCDu);
}

TEST_F(Display, OverlayIsComposedOnACopyOnlyWhileItHasSomethingToPaint) {
  dxdraw.Initialize();
  dxdraw.BackSurface()->Fill(0x1111);
  int composed = 0;
  dxdraw.OnCompose = [&](TSurface& frame) {
    ++composed;
    frame.FillRect({0, 0, 1, 1}, 0x2222);
  };
  bool overlay = true;
  dxdraw.HasOverlay = [&] { return overlay; };
  dxdraw.Present();
  overlay = false;
  dxdraw.Present();
  overlay = true;
  dxdraw.Present();
  ASSERT_EQ(output.frames.size(), 3u);
  EXPECT_EQ(composed, 2);
  EXPECT_EQ(output.frames[0][0], 0x2222);
  EXPECT_EQ(output.frames[1][0], 0x1111);  // the back surface as drawn, never the stale composition
  EXPECT_EQ(output.frames[2][0], 0x2222);
  EXPECT_EQ(output.frames[2][1], 0x1111);
  EXPECT_EQ(dxdraw.BackSurface()->GetPixel(0, 0), 0x1111u);
}

TEST_F(Display, LossRebuildsEveryItemAndKeepsTheBackSurface) {
  dxdraw.Initialize();
  item.PatternSurface(0)->Fill(0x07E0);  // drawn into the item since its build
  dxdraw.BackSurface()->Fill(0x1234);
  log.clear();
  dxdraw.LoseSurfaces();
  EXPECT_TRUE(dxdraw.IsDrawable());
  EXPECT_EQ(log, (std::vector<std::string>{"primary", "restored"}));
  EXPECT_EQ(item.PatternSurface(0)->GetPixel(0, 0), 0xF800u);
  EXPECT_EQ(dxdraw.BackSurface()->GetPixel(0, 0), 0x1234u);
}

TEST_F(Display, FailedRestoreIsNotDrawableUntilItWorks) {
  dxdraw.Initialize();
  dxdraw.LoseSurfaces();
  driver.refuse_primary = true;
  EXPECT_FALSE(dxdraw.IsDrawable());
  dxdraw.Present();
  EXPECT_TRUE(output.frames.empty());
  driver.refuse_primary = false;
  EXPECT_TRUE(dxdraw.IsDrawable());
  dxdraw.Present();
  EXPECT_EQ(output.frames.size(), 1u);
}

TEST_F(Display, FinalizeTellsSubscribersAndDropsEverySurface) {
  dxdraw.Initialize();
  log.clear();
  dxdraw.Finalize();
  EXPECT_EQ(log, std::vector<std::string>{"finalised"});
  EXPECT_FALSE(item.Initialized());
  EXPECT_EQ(item.PatternCount(), 0);
  EXPECT_EQ(dxdraw.BackSurface(), nullptr);
  EXPECT_FALSE(dxdraw.IsDrawable());
  dxdraw.Finalize();
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(Display, RemovedSubscribersHearNothingMore) {
  int heard = 0;
  const TDXDraw::NotifyToken token = dxdraw.AddNotify([&](DisplayEvent) { ++heard; });
  dxdraw.Initialize();
  EXPECT_EQ(heard, 2);
  dxdraw.RemoveNotify(token);
  dxdraw.Finalize();
  EXPECT_EQ(heard, 2);
}

TEST_F(Display, AFailingHandlerLeavesTheDisplayDown) {
  dxdraw.OnInitialize = [] { throw Error("film"); };
  EXPECT_THROW(dxdraw.Initialize(), Error);
  EXPECT_EQ(dxdraw.State(), DisplayState::NotInitialized);
  EXPECT_FALSE(item.Initialized());
  EXPECT_FALSE(dxdraw.IsDrawable());
}

}  // namespace
}  // namespace jizdavo
