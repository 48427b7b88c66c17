#include "platform/sdl/sdl_audio_output.h"

#include <SDL.h>

namespace jizdavo {
namespace {

// About 23 ms a buffer: short enough for effects to start promptly.
constexpr Uint16 kBufferFrames = 1024;
constexpr int kBytesPerFrame = kOutputChannels * 2;

}  // namespace

SdlAudioOutput::~SdlAudioOutput() { Close(); }

bool SdlAudioOutput::Open(PullSamples pull) {
  if (device_ != 0) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  pull_ = std::move(pull);
  SDL_AudioSpec wanted{};
  wanted.freq = kOutputRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = kOutputChannels;
  wanted.samples = kBufferFrames;
  wanted.callback = &SdlAudioOutput::Callback;
  wanted.userdata = this;
  // No changes allowed: SDL converts to whatever the hardware wants.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (device_ == 0) {
    pull_ = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void SdlAudioOutput::Close() {
  if (device_ == 0) return;
  // Returns once the callback has finished for good.
  SDL_CloseAudioDevice(device_);
  device_ = 0;
  pull_ = nullptr;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioOutput::Lock() {
  if (device_ != 0) SDL_LockAudioDevice(device_);
}

void SdlAudioOutput::Unlock() {
  if (device_ != 0) SDL_UnlockAudioDevice(device_);
}

void SdlAudioOutput::Callback(void* self, uint8_t* stream, int bytes) {
  static_cast<SdlAudioOutput*>(self)->pull_(reinterpret_cast<int16_t*>(stream), bytes / kBytesPerFrame);
}

}  // namespace jizdavo
