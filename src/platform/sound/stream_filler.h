#pragma once
// Streamed tunes are read ahead of the audio thread: each playing one has a ring of frames that the
// filler tops up from its file, and the audio thread only takes frames from the ring. Whoever drives
// the filler (a thread of its own, or the game's thread between frames where there are no threads)
// is the only one that reads the disk or decodes.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/sound/frame_ring.h"
#include "platform/sound/sound_samples.h"

namespace jizdavo {

// One play of a streamed sound: its frames from the first on, looped or once through.
class TuneStream {
 public:
  // About three quarters of a second at 44100 Hz; 128 KB for stereo.
  static constexpr size_t kRingFrames = 32768;

  TuneStream(std::shared_ptr<const SoundSamples> sound, bool looped);

  // The audio thread's side.
  FrameRing& Ring() { return ring_; }
  // Whether the sound has given its last frame (never for a looped one); read before Available,
  // so that every frame there is counts.
  bool Ended() const { return ended_.load(std::memory_order_acquire); }

  // The filler's side: reads frames into the free room; false once there is nothing more to read.
  bool Fill();

 private:
  std::shared_ptr<const SoundSamples> sound_;
  bool looped_;
  std::unique_ptr<FrameSource> source_;  // opened on the first fill
  bool source_gave_frames_ = false;
  FrameRing ring_;
  std::atomic<bool> ended_{false};
};

class StreamFiller {
 public:
  // A stream to keep filled for as long as anyone else holds it.
  void Add(const std::shared_ptr<TuneStream>& stream);
  // Tops up every stream still held. One caller at a time.
  void Fill();
  // Waits until a stream is added, Wake is called, or `longest` has passed.
  void Wait(std::chrono::milliseconds longest);
  void Wake();

 private:
  std::mutex lock_;  // never taken by the audio thread
  std::condition_variable work_;
  bool woken_ = false;
  std::vector<std::weak_ptr<TuneStream>> streams_;
};

// A thread that keeps the filler's streams filled until it is destroyed.
class StreamFillerThread {
 public:
  explicit StreamFillerThread(StreamFiller& filler);
  ~StreamFillerThread();
  StreamFillerThread(const StreamFillerThread&) = delete;
  StreamFillerThread& operator=(const StreamFillerThread&) = delete;

 private:
  StreamFiller& filler_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace jizdavo
