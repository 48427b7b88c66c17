#include "platform/film/media_player.h"

#include <algorithm>
#include <cmath>

#include "platform/error.h"

namespace jizdavo {

TMediaPlayer::TMediaPlayer(VideoOutput& display, const Clock& clock) : display_(display), clock_(clock) {}

TMediaPlayer::~TMediaPlayer() = default;

void TMediaPlayer::Open() {
  Close();
  decoder_ = std::make_unique<FilmDecoder>(FileName);
  display_rect_ = Bounds(0, 0, decoder_->Width(), decoder_->Height());
  mode_ = MediaMode::Stopped;
  Rewind();
}

void TMediaPlayer::Close() {
  decoder_.reset();
  has_pending_ = false;
  mode_ = MediaMode::NotReady;
}

void TMediaPlayer::RequireOpen() const {
  if (!decoder_) throw Error("No MCI device open");
}

void TMediaPlayer::Rewind() {
  decoder_->Seek(0);
  has_pending_ = false;
  at_end_ = false;
  shown_ = -1;
  next_frame_ = 0;
}

void TMediaPlayer::RestartClock() {
  // A frame already on screen (after a seek or a stop) gets its full time before the next one.
  start_frame_ = shown_ >= 0 ? shown_ : next_frame_;
  start_ms_ = clock_.Now();
}

void TMediaPlayer::Play() {
  RequireOpen();
  if (mode_ == MediaMode::Playing) return;
  if (mode_ == MediaMode::Paused) {
    start_ms_ += clock_.Now() - paused_ms_;
  } else {
    if (at_end_ && !has_pending_) Rewind();
    RestartClock();
  }
  mode_ = MediaMode::Playing;
  Poll();
}

void TMediaPlayer::Pause() {
  RequireOpen();
  if (mode_ == MediaMode::Paused) {
    Play();
    return;
  }
  Poll();
  if (mode_ != MediaMode::Playing) RestartClock();
  paused_ms_ = clock_.Now();
  mode_ = MediaMode::Paused;
}

void TMediaPlayer::Stop() {
  RequireOpen();
  if (mode_ == MediaMode::Playing || mode_ == MediaMode::Paused) mode_ = MediaMode::Stopped;
}

int TMediaPlayer::Position() const {
  const int frame = std::max(shown_, 0);
  if (time_format_ == MediaTimeFormat::Frames || !decoder_) return frame;
  return static_cast<int>(
      std::lround(frame * 1000.0 * decoder_->RateDenominator() / decoder_->RateNumerator()));
}

void TMediaPlayer::SetPosition(int position) {
  RequireOpen();
  int frame = std::max(position, 0);
  if (time_format_ == MediaTimeFormat::Milliseconds) {
    frame = static_cast<int>(static_cast<int64_t>(frame) * decoder_->RateNumerator() /
                             (1000LL * decoder_->RateDenominator()));
  }
  decoder_->Seek(frame);
  has_pending_ = false;
  at_end_ = !decoder_->Next(pending_);
  if (at_end_) {
    next_frame_ = frame;
  } else {
    Show(pending_);
  }
  mode_ = MediaMode::Stopped;
}

MediaMode TMediaPlayer::Mode() {
  Poll();
  return mode_;
}

void TMediaPlayer::Poll() {
  if (mode_ != MediaMode::Playing) return;
  for (;;) {
    if (!has_pending_) {
      if (at_end_ || !decoder_->Next(pending_)) {
        at_end_ = true;
        // The film is over once its last frame has had its time on screen.
        if (Due(next_frame_)) mode_ = MediaMode::Stopped;
        return;
      }
      has_pending_ = true;
    }
    if (!Due(pending_.number)) return;
    has_pending_ = false;
    Show(pending_);
  }
}

double TMediaPlayer::FrameTime(int number) const {
  return (number - start_frame_) * 1000.0 * decoder_->RateDenominator() / decoder_->RateNumerator();
}

bool TMediaPlayer::Due(int number) const {
  const uint32_t elapsed = clock_.Now() - start_ms_;
  return elapsed >= FrameTime(number);
}

void TMediaPlayer::Show(const FilmFrame& frame) {
  display_.PresentFilmFrame(frame.pixels.data(), frame.width, frame.height, display_rect_);
  shown_ = frame.number;
  next_frame_ = frame.number + 1;
}

}  // namespace jizdavo
