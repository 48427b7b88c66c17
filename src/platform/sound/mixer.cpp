#include "platform/sound/mixer.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace jizdavo {
namespace {

constexpr int kMinRate = 100;
constexpr int kMaxRate = 200000;
constexpr int kChunkFrames = TruePeakLimiter::kMostFrames;
constexpr float kFractionScale = 1.0f / 4294967296.0f;

// Hundredths of a decibel to an amplitude factor; the bottom of the range is true silence.
float VolumeGain(int volume) {
  volume = std::clamp(volume, kSilentVolume, kLoudestVolume);
  return volume == kSilentVolume ? 0.0f : static_cast<float>(std::pow(10.0, volume / 2000.0));
}

}  // namespace

class Mixer::Voice {
 public:
  explicit Voice(std::shared_ptr<const SoundSamples> sound) : sound_(std::move(sound)) {
    if (sound_->Streamed()) scratch_.resize(kWindowFrames * static_cast<size_t>(sound_->channels));
    // The first frame, which the last one leads into when looped, is kept at hand.
    const int16_t* first = nullptr;
    int16_t scratch[2];
    sound_->Frames(0, 1, scratch, first);
    std::copy_n(first, sound_->channels, first_frame_);
  }

  void Apply(const VoiceSettings& settings) {
    const int rate =
        settings.frequency == 0 ? sound_->rate : std::clamp(settings.frequency, kMinRate, kMaxRate);
    step_ = (static_cast<uint64_t>(rate) << 32) / kOutputRate;
    const float gain = VolumeGain(settings.volume);
    gain_left_ = gain * (settings.pan > 0 ? VolumeGain(-settings.pan) : 1.0f);
    gain_right_ = gain * (settings.pan < 0 ? VolumeGain(settings.pan) : 1.0f);
  }
  void Start(bool looped) {
    position_ = 0;
    looped_ = looped;
    playing_ = true;
  }
  void Stop() { playing_ = false; }
  bool Playing() const { return playing_; }
  const std::shared_ptr<const SoundSamples>& Sound() const { return sound_; }

  void MixInto(float* mix, int frames) {
    if (sound_->channels == 1) {
      MixFrames<1>(mix, frames);
    } else {
      MixFrames<2>(mix, frames);
    }
  }
  // The frames that would come next, for the limiter to look at; the voice stays where it is.
  void PeekInto(float* mix, int frames) {
    const uint64_t position = position_;
    const bool playing = playing_;
    MixInto(mix, frames);
    position_ = position;
    playing_ = playing;
  }

 private:
  // Frames a streamed voice reads at a time: about a tenth of a second of a CD-rate sound.
  static constexpr uint64_t kWindowFrames = 4096;

  // Linear interpolation between neighbouring frames; a looped voice's last frame leads into its
  // first, so the seam is as smooth as the rest, and a single play fades into silence.
  template <int kChannels>
  void MixFrames(float* mix, int frames) {
    const uint64_t count = sound_->FrameCount();
    const uint64_t end = count << 32;
    for (int i = 0; i < frames && playing_; ++i) {
      const uint64_t index = position_ >> 32;
      const bool last = index + 1 == count;
      // The window must hold this frame and, but for the last, the next.
      if (index < window_first_ || index + (last ? 1 : 2) > window_first_ + window_count_) Fetch(index);
      const float fraction = static_cast<float>(position_ & 0xFFFFFFFF) * kFractionScale;
      const int16_t* here = window_ + (index - window_first_) * kChannels;
      const int16_t* next = last ? first_frame_ : here + kChannels;
      const float keep_next = last && !looped_ ? 0.0f : 1.0f;
      const float left = here[0] + (next[0] * keep_next - here[0]) * fraction;
      const int r = kChannels - 1;
      const float right = here[r] + (next[r] * keep_next - here[r]) * fraction;
      mix[2 * i] += left * gain_left_;
      mix[2 * i + 1] += right * gain_right_;
      position_ += step_;
      if (position_ >= end) {
        if (looped_) {
          position_ %= end;
        } else {
          playing_ = false;
          position_ = 0;
        }
      }
    }
  }

  void Fetch(uint64_t index) {
    window_count_ = sound_->Frames(index, kWindowFrames, scratch_.data(), window_);
    window_first_ = index;
  }

  std::shared_ptr<const SoundSamples> sound_;
  std::vector<int16_t> scratch_;  // the frames a streamed sound has read
  const int16_t* window_ = nullptr;
  uint64_t window_first_ = 0;
  uint64_t window_count_ = 0;
  int16_t first_frame_[2] = {0, 0};
  uint64_t position_ = 0;  // in frames, 32.32 fixed point
  uint64_t step_ = 0;
  float gain_left_ = 1.0f;
  float gain_right_ = 1.0f;
  bool looped_ = false;
  bool playing_ = false;
};

Mixer::Mixer(AudioOutput& device) : device_(device) {}
Mixer::~Mixer() = default;

std::shared_ptr<Mixer::Voice> Mixer::AddVoice(std::shared_ptr<const SoundSamples> sound,
                                              const VoiceSettings& settings) {
  auto voice = std::make_shared<Voice>(std::move(sound));
  voice->Apply(settings);
  AudioLockGuard lock(device_);
  voices_.push_back(voice);
  return voice;
}

void Mixer::RemoveVoice(const std::shared_ptr<Voice>& voice) {
  AudioLockGuard lock(device_);
  std::erase(voices_, voice);
}

void Mixer::Play(Voice& voice, const VoiceSettings& settings, bool looped) {
  AudioLockGuard lock(device_);
  voice.Apply(settings);
  voice.Start(looped);
}

void Mixer::Stop(Voice& voice) {
  AudioLockGuard lock(device_);
  voice.Stop();
}

void Mixer::Apply(Voice& voice, const VoiceSettings& settings) {
  AudioLockGuard lock(device_);
  voice.Apply(settings);
}

bool Mixer::Playing(const Voice& voice) const {
  AudioLockGuard lock(device_);
  return voice.Playing();
}

std::shared_ptr<const SoundSamples> Mixer::Sound(const Voice& voice) const { return voice.Sound(); }

void Mixer::SetMuted(bool muted) {
  AudioLockGuard lock(device_);
  muted_ = muted;
}

void Mixer::Mix(int16_t* out, int frames) {
  for (int done = 0; done < frames; done += kChunkFrames) {
    MixChunk(out + 2 * done, std::min(kChunkFrames, frames - done));
  }
}

// The voices as they go on from now, unless changed meanwhile, are mixed a little further than the
// frames put out, for the limiter to see a peak coming.
void Mixer::MixChunk(int16_t* out, int frames) {
  float mix[2 * (kChunkFrames + TruePeakLimiter::kLookAhead)] = {};
  for (const auto& voice : voices_) {
    if (!voice->Playing()) continue;
    voice->MixInto(mix, frames);
    if (voice->Playing()) voice->PeekInto(mix + 2 * frames, TruePeakLimiter::kLookAhead);
  }
  limiter_.Process(mix, frames, out);
  if (muted_) std::fill_n(out, 2 * frames, int16_t{0});
}

}  // namespace jizdavo
