#include "platform/sound/mixer.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>
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
  explicit Voice(std::shared_ptr<const SoundSamples> sound)
      : sound_(std::move(sound)), held_(sound_->Held()) {}

  void Apply(const VoiceSettings& settings) {
    const int rate =
        settings.frequency == 0 ? sound_->rate : std::clamp(settings.frequency, kMinRate, kMaxRate);
    step_ = (static_cast<uint64_t>(rate) << 32) / kOutputRate;
    const float gain = VolumeGain(settings.volume);
    gain_left_ = gain * (settings.pan > 0 ? VolumeGain(-settings.pan) : 1.0f);
    gain_right_ = gain * (settings.pan < 0 ? VolumeGain(settings.pan) : 1.0f);
  }
  // `stream` is the new play's ring for a streamed sound; the one it replaces is handed back, to be
  // freed outside the device's lock.
  std::shared_ptr<TuneStream> Start(bool looped, std::shared_ptr<TuneStream> stream) {
    position_ = 0;
    looped_ = looped;
    playing_ = true;
    started_ = false;
    std::swap(stream_, stream);
    return stream;
  }
  std::shared_ptr<TuneStream> Stop() {
    playing_ = false;
    return std::exchange(stream_, nullptr);
  }
  bool Playing() const { return playing_; }
  const std::shared_ptr<const SoundSamples>& Sound() const { return sound_; }

  // Returns whether a streamed voice found its ring dry.
  bool MixInto(float* mix, int frames) { return Render(mix, frames, true); }
  // The frames that would come next, for the limiter to look at; the voice, and its ring, stay where
  // they are.
  void PeekInto(float* mix, int frames) {
    const uint64_t position = position_;
    const bool playing = playing_;
    const bool started = started_;
    Render(mix, frames, false);
    position_ = position;
    playing_ = playing;
    started_ = started;
  }

 private:
  bool Render(float* mix, int frames, bool consume) {
    const bool stereo = sound_->channels == 2;
    if (!stream_) {
      stereo ? MixHeld<2>(mix, frames) : MixHeld<1>(mix, frames);
      return false;
    }
    return stereo ? MixStreamed<2>(mix, frames, consume) : MixStreamed<1>(mix, frames, consume);
  }

  // Adds one output frame interpolated between `here` and `next` at `fraction`.
  template <int kChannels>
  void Add(float* mix, const int16_t* here, const int16_t* next, float keep_next, float fraction) const {
    const float left = here[0] + (next[0] * keep_next - here[0]) * fraction;
    const int r = kChannels - 1;
    const float right = here[r] + (next[r] * keep_next - here[r]) * fraction;
    mix[0] += left * gain_left_;
    mix[1] += right * gain_right_;
  }

  static float Fraction(uint64_t position) {
    return static_cast<float>(position & 0xFFFFFFFF) * kFractionScale;
  }

  // Linear interpolation between neighbouring frames; a looped voice's last frame leads into its
  // first, so the seam is as smooth as the rest, and a single play fades into silence.
  template <int kChannels>
  void MixHeld(float* mix, int frames) {
    const uint64_t count = held_.size() / kChannels;
    const uint64_t end = count << 32;
    for (int i = 0; i < frames && playing_; ++i) {
      const uint64_t index = position_ >> 32;
      const bool last = index + 1 == count;
      const int16_t* here = held_.data() + index * kChannels;
      const int16_t* next = last ? held_.data() : here + kChannels;
      Add<kChannels>(mix + 2 * i, here, next, last && !looped_ ? 0.0f : 1.0f, Fraction(position_));
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

  // The same from the ring, whose frames come in the order they play (a loop's first frame again
  // after its last); the position counts from the ring's oldest frame. A ring that runs dry leaves
  // the rest of this mix silent for the voice; one not yet filled at all is a play just starting.
  template <int kChannels>
  bool MixStreamed(float* mix, int frames, bool consume) {
    FrameRing& ring = stream_->Ring();
    const bool ended = stream_->Ended();
    const uint64_t available = ring.Available();
    if (available == 0 && !ended && !started_) return false;
    started_ = true;
    static constexpr int16_t kSilence[2] = {0, 0};
    bool dry = false;
    for (int i = 0; i < frames; ++i) {
      const uint64_t index = position_ >> 32;
      const bool last = index + 1 >= available;
      if (last && !ended) {
        dry = true;
        break;
      }
      if (index >= available) {
        playing_ = false;
        break;
      }
      Add<kChannels>(mix + 2 * i, ring.At(index), last ? kSilence : ring.At(index + 1), 1.0f,
                     Fraction(position_));
      position_ += step_;
    }
    if (consume) {
      const uint64_t consumed = std::min(position_ >> 32, available);
      ring.Consume(consumed);
      position_ -= consumed << 32;
    }
    return dry;
  }

  std::shared_ptr<const SoundSamples> sound_;
  std::span<const int16_t> held_;       // a held sound's frames
  std::shared_ptr<TuneStream> stream_;  // the current play's ring, for a streamed sound
  bool started_ = false;                // the ring has had frames since the play began
  uint64_t position_ = 0;               // in frames, 32.32 fixed point
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
  std::shared_ptr<TuneStream> stream;
  if (voice.Sound()->Streamed()) stream = std::make_shared<TuneStream>(voice.Sound(), looped);
  std::shared_ptr<TuneStream> replaced;
  {
    AudioLockGuard lock(device_);
    voice.Apply(settings);
    replaced = voice.Start(looped, stream);
  }
  if (stream) filler_.Add(stream);
}

void Mixer::Stop(Voice& voice) {
  std::shared_ptr<TuneStream> replaced;
  AudioLockGuard lock(device_);
  replaced = voice.Stop();
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
    if (voice->MixInto(mix, frames)) dry_runs_.fetch_add(1, std::memory_order_relaxed);
    if (voice->Playing()) voice->PeekInto(mix + 2 * frames, TruePeakLimiter::kLookAhead);
  }
  limiter_.Process(mix, frames, out);
  if (muted_) std::fill_n(out, 2 * frames, int16_t{0});
}

}  // namespace jizdavo
