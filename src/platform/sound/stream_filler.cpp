#include "platform/sound/stream_filler.h"

#include <utility>

namespace jizdavo {

namespace {

// How often the thread looks at the rings, which hold about 740 ms each: a new play wakes it at once.
constexpr auto kFillInterval = std::chrono::milliseconds(20);

}  // namespace

TuneStream::TuneStream(std::shared_ptr<const SoundSamples> sound, bool looped)
    : sound_(std::move(sound)), looped_(looped), ring_(kRingFrames, sound_->channels) {}

bool TuneStream::Fill() {
  if (ended_.load(std::memory_order_relaxed)) return false;
  for (std::span<int16_t> room = ring_.Room(); !room.empty(); room = ring_.Room()) {
    if (!source_) {
      source_ = sound_->OpenStream();
      source_gave_frames_ = false;
    }
    const size_t frames = source_->Read(room.data(), room.size() / static_cast<size_t>(sound_->channels));
    ring_.Commit(frames);
    if (frames > 0) {
      source_gave_frames_ = true;
      continue;
    }
    // The end: a loop starts again from the first frame, unless the sound gave none at all.
    const bool again = looped_ && source_gave_frames_;
    source_.reset();
    if (!again) {
      ended_.store(true, std::memory_order_release);
      return false;
    }
  }
  return true;
}

void StreamFiller::Add(const std::shared_ptr<TuneStream>& stream) {
  {
    std::lock_guard<std::mutex> guard(lock_);
    std::erase_if(streams_, [](const std::weak_ptr<TuneStream>& held) { return held.expired(); });
    streams_.push_back(stream);
  }
  Wake();
}

void StreamFiller::Fill() {
  std::vector<std::weak_ptr<TuneStream>> streams;
  {
    std::lock_guard<std::mutex> guard(lock_);
    streams = streams_;
  }
  for (const std::weak_ptr<TuneStream>& held : streams) {
    if (std::shared_ptr<TuneStream> stream = held.lock()) stream->Fill();
  }
}

void StreamFiller::Wait(std::chrono::milliseconds longest) {
  std::unique_lock<std::mutex> guard(lock_);
  work_.wait_for(guard, longest, [this] { return woken_; });
  woken_ = false;
}

void StreamFiller::Wake() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    woken_ = true;
  }
  work_.notify_one();
}

StreamFillerThread::StreamFillerThread(StreamFiller& filler)
    : filler_(filler), thread_([this] {
        while (!stop_.load()) {
          filler_.Fill();
          filler_.Wait(kFillInterval);
        }
      }) {}

StreamFillerThread::~StreamFillerThread() {
  stop_.store(true);
  filler_.Wake();
  thread_.join();
}

}  // namespace jizdavo
