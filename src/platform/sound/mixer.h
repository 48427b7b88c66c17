#pragma once
// Our own mixer: voices that play shared sample data at any rate, volume and pan, summed into the
// device's 44100 Hz stereo stream through a limiter that keeps its true peak under -1 dBTP.
// The audio thread only reads voices inside Mix, which the device runs under its lock; every change
// below takes that lock for no longer than a few stores, so the thread never sees half a change and
// never waits long. Mix never reads a file, never allocates and never frees: a streamed sound plays
// from a ring its filler keeps ahead (Filler), and where that ring runs dry the voice is silent
// until it is filled again.

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio_output.h"
#include "platform/sound/sound_samples.h"
#include "platform/sound/stream_filler.h"
#include "platform/sound/true_peak_limiter.h"

namespace jizdavo {

// The volume range of a voice, in hundredths of a decibel: the recording's own level down to silence.
inline constexpr int kLoudestVolume = 0;
inline constexpr int kSilentVolume = -10000;

// What the owner sets on a voice: hundredths of a decibel (0 as recorded, -10000 silent), Hz (0 is
// the recording's rate), and pan in hundredths of a decibel taken off the other side.
struct VoiceSettings {
  int volume = 0;
  int frequency = 0;
  int pan = 0;
};

class Mixer {
 public:
  class Voice;

  explicit Mixer(AudioOutput& device);
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  // A stopped voice at position 0; owned by the caller, heard until removed.
  std::shared_ptr<Voice> AddVoice(std::shared_ptr<const SoundSamples> sound, const VoiceSettings& settings);
  void RemoveVoice(const std::shared_ptr<Voice>& voice);

  // Stops the voice, rewinds it, applies the settings and starts it, all in one step.
  void Play(Voice& voice, const VoiceSettings& settings, bool looped);
  void Stop(Voice& voice);
  void Apply(Voice& voice, const VoiceSettings& settings);
  bool Playing(const Voice& voice) const;
  std::shared_ptr<const SoundSamples> Sound(const Voice& voice) const;

  // Muted output is silence while the voices play on.
  void SetMuted(bool muted);

  // The device's callback: fills `frames` stereo frames, advancing every playing voice.
  void Mix(int16_t* out, int frames);

  // What reads the streamed sounds ahead of Mix; someone must drive it (StreamFillerThread).
  StreamFiller& Filler() { return filler_; }
  // How many times a streamed voice found its ring dry and was silent for the rest of a mix.
  uint64_t DryRuns() const { return dry_runs_.load(); }

 private:
  void MixChunk(int16_t* out, int frames);

  AudioOutput& device_;
  StreamFiller filler_;
  std::vector<std::shared_ptr<Voice>> voices_;
  TruePeakLimiter limiter_;
  bool muted_ = false;
  std::atomic<uint64_t> dry_runs_{0};
};

}  // namespace jizdavo
