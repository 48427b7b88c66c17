#pragma once
// A display on a hand-set clock for paced runs: it refreshes `refresh_hz` times a second, blank k at
// k * 1000 / hz ms after it was switched on, rounded up, and showing a frame waits on the clock for the
// next blank (a refresh rate of 0: no blanks to wait for, as a display that reports none). As the SDL
// window does, it asks the pacer first and holds a frame that would make the next game frame late.

#include <cstdint>

#include "platform/clock.h"
#include "platform/time/frame_pacer.h"
#include "platform/video_output.h"

namespace jizdavo {

class BlankingDisplay final : public VideoOutput {
 public:
  explicit BlankingDisplay(ManualClock& clock) : clock_(clock) {}

  // From now on the display refreshes at `refresh_hz` and shows through `pacer`; it has just shown a
  // frame.
  void SwitchOn(int refresh_hz, FramePacer& pacer) {
    refresh_hz_ = refresh_hz;
    pacer_ = &pacer;
    on_since_ = last_blank_ = clock_.Now();
    pacer.SetDisplay(refresh_hz, refresh_hz > 0, [this] {
      if (held_) Show();
    });
    pacer.FrameShown();
  }

  void PresentFrame(const uint16_t*, int, int, int) override {
    ++frames_;
    held_ = pacer_ != nullptr && !pacer_->MayShowNow();
    if (!held_) Show();
  }
  void PresentFilmFrame(const uint32_t*, int, int, const TRect&) override { ++film_frames_; }

  int frames() const { return frames_; }
  int film_frames() const { return film_frames_; }
  int shown() const { return shown_; }

 private:
  void Show() {
    held_ = false;
    ++shown_;
    if (refresh_hz_ > 0) {
      uint32_t blank = last_blank_;
      for (uint64_t k = 1; blank == last_blank_ || blank < clock_.Now(); ++k)
        blank = on_since_ + static_cast<uint32_t>((k * 1000 + refresh_hz_ - 1) / refresh_hz_);
      clock_.Set(blank);
      last_blank_ = blank;
    }
    if (pacer_ != nullptr) pacer_->FrameShown();
  }

  ManualClock& clock_;
  FramePacer* pacer_ = nullptr;
  uint64_t refresh_hz_ = 0;
  uint32_t on_since_ = 0;
  uint32_t last_blank_ = 0;
  bool held_ = false;
  int frames_ = 0;
  int film_frames_ = 0;
  int shown_ = 0;
};

}  // namespace jizdavo
