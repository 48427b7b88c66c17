#pragma once
// Where finished pictures go: each composed 640 x 480 frame, and the intro film's frames.

#include <cstdint>

#include "platform/rect.h"

namespace jizdavo {

class VideoOutput {
 public:
  virtual ~VideoOutput() = default;
  // A whole frame of RGB 5-6-5 pixels, rows top to bottom, `pitch` pixels apart.
  virtual void PresentFrame(const uint16_t* pixels, int width, int height, int pitch) = 0;
  // A film frame of 0x00RRGGBB pixels shown scaled into `place` of the 640 x 480 display.
  virtual void PresentFilmFrame(const uint32_t* pixels, int width, int height, const TRect& place) = 0;
};

// Swallows every picture; for tests and for runs without a screen.
class NullVideoOutput final : public VideoOutput {
 public:
  void PresentFrame(const uint16_t*, int, int, int) override { ++frames_; }
  void PresentFilmFrame(const uint32_t*, int, int, const TRect&) override { ++film_frames_; }
  int frames() const { return frames_; }
  int film_frames() const { return film_frames_; }

 private:
  int frames_ = 0;
  int film_frames_ = 0;
};

}  // namespace jizdavo
