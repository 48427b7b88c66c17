#pragma once
// Frames handed from one writer thread to one reader thread without a lock: the filler writes a
// streamed tune's next frames, the audio thread reads them. Neither ever waits for the other, and
// neither allocates once the ring is made.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace jizdavo {

class FrameRing {
 public:
  // Room for `frames` frames (a power of two) of `channels` samples.
  FrameRing(size_t frames, int channels)
      : frames_(frames),
        channels_(static_cast<size_t>(channels)),
        samples_(new int16_t[frames * channels_]) {}
  FrameRing(const FrameRing&) = delete;
  FrameRing& operator=(const FrameRing&) = delete;

  // The reader's side: frames written and not yet consumed, the frame `index` of them, and consuming.
  size_t Available() const { return static_cast<size_t>(written_.load(std::memory_order_acquire) - read_); }
  const int16_t* At(size_t index) const { return &samples_[((read_ + index) & (frames_ - 1)) * channels_]; }
  void Consume(size_t frames) { read_shared_.store(read_ += frames, std::memory_order_release); }

  // The writer's side: the free room that lies in one piece, and making what was written there readable.
  std::span<int16_t> Room() {
    const uint64_t at = written_.load(std::memory_order_relaxed);
    const size_t free = frames_ - static_cast<size_t>(at - read_shared_.load(std::memory_order_acquire));
    const size_t start = static_cast<size_t>(at & (frames_ - 1));
    return {&samples_[start * channels_], std::min(free, frames_ - start) * channels_};
  }
  void Commit(size_t frames) { written_.fetch_add(frames, std::memory_order_release); }

 private:
  const size_t frames_;
  const size_t channels_;
  std::unique_ptr<int16_t[]> samples_;
  std::atomic<uint64_t> written_{0};
  uint64_t read_ = 0;                     // the reader's own count
  std::atomic<uint64_t> read_shared_{0};  // the same, for the writer
};

}  // namespace jizdavo
