#pragma once
// The audio output on an SDL audio device: 44100 Hz stereo signed 16-bit, pulled by SDL's audio
// thread. Without a usable device Open reports false and the game runs silent.

#include <cstdint>

#include "platform/audio_output.h"

namespace jizdavo {

class SdlAudioOutput final : public AudioOutput {
 public:
  SdlAudioOutput() = default;
  ~SdlAudioOutput() override;
  SdlAudioOutput(const SdlAudioOutput&) = delete;
  SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

  bool Open(PullSamples pull) override;
  void Close() override;
  void Lock() override;
  void Unlock() override;

 private:
  static void Callback(void* self, uint8_t* stream, int bytes);

  PullSamples pull_;
  uint32_t device_ = 0;
};

}  // namespace jizdavo
