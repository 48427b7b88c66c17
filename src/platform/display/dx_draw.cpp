#include "platform/display/dx_draw.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/error.h"

namespace jizdavo {

TDXDraw::TDXDraw(VideoOutput& output, TDXImageList& images) : TDXDraw(output, images, accepting_driver_) {}

TDXDraw::TDXDraw(VideoOutput& output, TDXImageList& images, DisplayDriver& driver)
    : output_(output), images_(images), driver_(driver) {}

TDXDraw::NotifyToken TDXDraw::AddNotify(std::function<void(DisplayEvent)> subscriber) {
  subscribers_.push_back({next_token_, std::move(subscriber)});
  return next_token_++;
}

void TDXDraw::RemoveNotify(NotifyToken token) {
  std::erase_if(subscribers_, [token](const Subscriber& s) { return s.token == token; });
}

// A copy, so that a subscriber may subscribe or unsubscribe while it is being told.
void TDXDraw::Notify(DisplayEvent event) {
  const std::vector<Subscriber> subscribers = subscribers_;
  for (const Subscriber& s : subscribers) s.callback(event);
}

void TDXDraw::MakeSurfaces() {
  if (!driver_.SetDisplayMode(kWidth, kHeight, kBitCount)) {
    throw Error("Display mode cannot be changed (" + std::to_string(kWidth) + "x" + std::to_string(kHeight) +
                " " + std::to_string(kBitCount) + "bit)");
  }
  if (!driver_.CreatePrimarySurface()) throw Error("Primary Surface cannot be made");
  if (!driver_.CreateSurface(kWidth, kHeight)) throw Error("Surface cannot be made");
  back_surface_ = std::make_unique<TSurface>(kWidth, kHeight);
  back_surface_->Fill(0);
}

void TDXDraw::Initialize() {
  if (state_ != DisplayState::NotInitialized && state_ != DisplayState::Finalized) return;
  state_ = DisplayState::Initializing;
  try {
    MakeSurfaces();
    primary_lost_ = false;
    images_.InitializeAll();
    Notify(DisplayEvent::Initialize);
    if (OnInitialize) OnInitialize();
    state_ = DisplayState::Restoring;
    images_.RebuildAll();
    Notify(DisplayEvent::Restore);
  } catch (...) {
    // A display that failed to come up stays down: no surfaces, nothing drawable.
    images_.FinalizeAll();
    back_surface_.reset();
    state_ = DisplayState::NotInitialized;
    throw;
  }
  state_ = DisplayState::Initialized;
}

void TDXDraw::Finalize() {
  if (state_ == DisplayState::NotInitialized || state_ == DisplayState::Finalized) return;
  Notify(DisplayEvent::Finalize);
  images_.FinalizeAll();
  back_surface_.reset();
  compose_surface_.reset();
  state_ = DisplayState::Finalized;
}

void TDXDraw::LoseSurfaces() {
  if (state_ == DisplayState::Initialized) primary_lost_ = true;
}

// The back surface lives in our own memory and survives; the screen's surface is made again and every
// image item is rebuilt from its picture, which drops whatever was drawn into the items' surfaces.
bool TDXDraw::Restore() {
  state_ = DisplayState::Restoring;
  const bool restored = driver_.CreatePrimarySurface();
  if (restored) {
    primary_lost_ = false;
    images_.RebuildAll();
    Notify(DisplayEvent::Restore);
  }
  state_ = DisplayState::Initialized;
  return restored;
}

bool TDXDraw::IsDrawable() {
  if (state_ != DisplayState::Initialized || !back_surface_) return false;
  return !primary_lost_ || Restore();
}

const TSurface& TDXDraw::Composed() {
  const int width = back_surface_->Width(), height = back_surface_->Height();
  if (!compose_surface_ || compose_surface_->Width() != width || compose_surface_->Height() != height)
    compose_surface_ = std::make_unique<TSurface>(width, height);
  // A whole copy, which brings the last frame's copy up to date where either side changed since.
  compose_surface_->DrawSurface(0, 0, back_surface_->ClientRect(), back_surface_.get(), false);
  OnCompose(*compose_surface_);
  return *compose_surface_;
}

void TDXDraw::Present() {
  if (!IsDrawable()) return;
  const bool compose = OnCompose && (!HasOverlay || HasOverlay());
  const TSurface& shown = compose ? Composed() : *back_surface_;
  output_.PresentFrame(shown.Pixels(), shown.Width(), shown.Height(), shown.Width());
}

}  // namespace jizdavo
