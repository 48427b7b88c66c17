#pragma once
// The sound device: opens the audio output once, owns the mixer, and tells the bound sound
// collections when their items can make voices. It must outlive the collections bound to it.

#include <vector>

#include "platform/audio_output.h"
#include "platform/mixer.h"

namespace jizdavo {

class TDXWaveList;

class TDXSound {
 public:
  explicit TDXSound(AudioOutput& output);
  ~TDXSound();
  TDXSound(const TDXSound&) = delete;
  TDXSound& operator=(const TDXSound&) = delete;

  // Opens the device; without one the failure is swallowed and the game runs silent.
  void Initialize();
  // Every item drops its voices and the device closes.
  void Finalize();
  bool Initialized() const { return initialized_; }

  // Sound is heard only while the game window has the focus; voices play on unheard meanwhile.
  void SetFocused(bool focused);

  Mixer& GetMixer() { return mixer_; }

 private:
  friend class TDXWaveList;
  void Bind(TDXWaveList* list);
  void Unbind(TDXWaveList* list);

  AudioOutput& output_;
  Mixer mixer_;
  bool initialized_ = false;
  std::vector<TDXWaveList*> lists_;
};

}  // namespace jizdavo
