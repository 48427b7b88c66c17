#pragma once
// The display: the back surface the game draws each frame into, its presentation, and the display's
// life: initialisation, loss and restore of its surfaces, finalisation, with notices to subscribers.

#include <functional>
#include <memory>
#include <vector>

#include "platform/display/image_list.h"
#include "platform/rect.h"
#include "platform/pixels/surface.h"
#include "platform/video_output.h"

namespace jizdavo {

// What the display asks of the screen while it sets itself up. Every answer is "yes" for the window
// the frames are scaled into; a test double can refuse.
class DisplayDriver {
 public:
  virtual ~DisplayDriver() = default;
  virtual bool SetDisplayMode(int width, int height, int bit_count) = 0;
  // Asked at initialisation and again when the screen's surface has been lost.
  virtual bool CreatePrimarySurface() = 0;
  virtual bool CreateSurface(int width, int height) = 0;
};

class AcceptingDisplayDriver final : public DisplayDriver {
 public:
  bool SetDisplayMode(int, int, int) override { return true; }
  bool CreatePrimarySurface() override { return true; }
  bool CreateSurface(int, int) override { return true; }
};

enum class DisplayState { NotInitialized, Initializing, Initialized, Restoring, Finalized };

// Initialize: the back surface exists and the image items are initialised (before OnInitialize runs).
// Restore: every image item has been rebuilt. Finalize: the surfaces are about to go.
enum class DisplayEvent { Initialize, Restore, Finalize };

class TDXDraw {
 public:
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 480;
  static constexpr int kBitCount = 16;

  TDXDraw(VideoOutput& output, TDXImageList& images);
  TDXDraw(VideoOutput& output, TDXImageList& images, DisplayDriver& driver);
  TDXDraw(const TDXDraw&) = delete;
  TDXDraw& operator=(const TDXDraw&) = delete;

  // The game's handler, called once the display is set up and before the images are built.
  std::function<void()> OnInitialize;
  // Called by Present with a copy of the back surface, to paint the menus' controls over; the screen
  // then shows that copy and the back surface keeps what the game drew.
  std::function<void(TSurface& frame)> OnCompose;
  // Whether OnCompose has anything to paint now. When it answers false the screen is handed the back
  // surface itself: no copy, no compose. Unset, every frame with an OnCompose is composed.
  std::function<bool()> HasOverlay;

  using NotifyToken = int;
  NotifyToken AddNotify(std::function<void(DisplayEvent)> subscriber);
  void RemoveNotify(NotifyToken token);

  // Sets the mode, makes the surfaces, initialises the image items, calls OnInitialize, then builds
  // every item. Raises "Display mode cannot be changed (%dx%d %dbit)" or "%s cannot be made".
  void Initialize();
  // Drops the items' surfaces and the display's own; subscribers hear of it first.
  void Finalize();

  DisplayState State() const { return state_; }
  bool Initialized() const { return state_ == DisplayState::Initialized; }
  // True when frames can be drawn; restores the surfaces first if they have been lost.
  bool IsDrawable();
  // Copies the back surface to the screen; the back surface keeps its content.
  void Present();
  // The screen's surfaces are gone (another program took the screen, the renderer was reset); the
  // next IsDrawable restores them and rebuilds every image item.
  void LoseSurfaces();

  // Nothing before initialisation and after finalisation.
  TSurface* BackSurface() { return back_surface_.get(); }
  int SurfaceWidth() const { return back_surface_ ? back_surface_->Width() : kWidth; }
  int SurfaceHeight() const { return back_surface_ ? back_surface_->Height() : kHeight; }
  int Width() const { return kWidth; }
  int Height() const { return kHeight; }
  TRect GetClientRect() const { return {0, 0, kWidth, kHeight}; }

 private:
  void MakeSurfaces();
  // The back surface copied into the compose surface, with OnCompose's painting over it.
  const TSurface& Composed();
  bool Restore();
  void Notify(DisplayEvent event);

  VideoOutput& output_;
  TDXImageList& images_;
  AcceptingDisplayDriver accepting_driver_;
  DisplayDriver& driver_;
  DisplayState state_ = DisplayState::NotInitialized;
  bool primary_lost_ = false;
  std::unique_ptr<TSurface> back_surface_;
  std::unique_ptr<TSurface> compose_surface_;  // kept between frames: no allocation per frame
  struct Subscriber {
    NotifyToken token;
    std::function<void(DisplayEvent)> callback;
  };
  std::vector<Subscriber> subscribers_;
  NotifyToken next_token_ = 1;
};

}  // namespace jizdavo
