#pragma once
// Where mixed sound goes: a device that calls back, on its own thread, for more samples.
// The format is fixed: 44100 frames a second, stereo, signed 16-bit, left sample first.

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace jizdavo {

constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;

class AudioOutput {
 public:
  // Fills `frames` frames: 2 * frames interleaved samples.
  using PullSamples = std::function<void(int16_t* samples, int frames)>;

  virtual ~AudioOutput() = default;
  // Opens the device and starts pulling; false when there is no device to open.
  virtual bool Open(PullSamples pull) = 0;
  // Stops pulling; after it returns the callback never runs again.
  virtual void Close() = 0;
  // While locked the callback does not run, so what it reads may be changed.
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
};

class AudioLockGuard {
 public:
  explicit AudioLockGuard(AudioOutput& output) : output_(output) { output_.Lock(); }
  ~AudioLockGuard() { output_.Unlock(); }
  AudioLockGuard(const AudioLockGuard&) = delete;
  AudioLockGuard& operator=(const AudioLockGuard&) = delete;

 private:
  AudioOutput& output_;
};

// No sound device: the game runs silent.
class NullAudioOutput final : public AudioOutput {
 public:
  bool Open(PullSamples) override { return false; }
  void Close() override {}
  void Lock() override {}
  void Unlock() override {}
};

// A device whose samples the caller pulls by hand; for tests and benchmarks.
class ManualAudioOutput final : public AudioOutput {
 public:
  bool Open(PullSamples pull) override {
    pull_ = std::move(pull);
    return true;
  }
  void Close() override { pull_ = nullptr; }
  void Lock() override { ++lock_depth_; }
  void Unlock() override { --lock_depth_; }

  bool IsOpen() const { return static_cast<bool>(pull_); }
  bool IsLocked() const { return lock_depth_ > 0; }
  // The next `frames` frames as the device would play them; silence while closed.
  std::vector<int16_t> Pull(int frames) {
    std::vector<int16_t> samples(static_cast<size_t>(frames) * kOutputChannels);
    if (pull_) pull_(samples.data(), frames);
    return samples;
  }

 private:
  PullSamples pull_;
  int lock_depth_ = 0;
};

}  // namespace jizdavo
