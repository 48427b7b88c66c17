#pragma once
// The sound device: opens the audio output once, owns the mixer, and tells its subscribers (the
// sound collections) when their items can make voices. It must outlive its subscribers.

#include <functional>
#include <vector>

#include "platform/audio_output.h"
#include "platform/sound/mixer.h"

namespace jizdavo {

enum class SoundEvent { Initialize, Finalize };

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

  using NotifyToken = int;
  NotifyToken AddNotify(std::function<void(SoundEvent)> subscriber);
  void RemoveNotify(NotifyToken token);

 private:
  void Notify(SoundEvent event);

  struct Subscriber {
    NotifyToken token;
    std::function<void(SoundEvent)> callback;
  };

  AudioOutput& output_;
  Mixer mixer_;
  bool initialized_ = false;
  std::vector<Subscriber> subscribers_;
  NotifyToken next_token_ = 1;
};

}  // namespace jizdavo
