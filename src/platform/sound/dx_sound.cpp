#include "platform/sound/dx_sound.h"

#include <algorithm>
#include <utility>

namespace jizdavo {

TDXSound::TDXSound(AudioOutput& output) : output_(output), mixer_(output) {}

TDXSound::~TDXSound() { Finalize(); }

void TDXSound::Initialize() {
  if (initialized_) return;
  if (!output_.Open([this](int16_t* samples, int frames) { mixer_.Mix(samples, frames); })) return;
  initialized_ = true;
  Notify(SoundEvent::Initialize);
}

void TDXSound::Finalize() {
  if (!initialized_) return;
  output_.Close();
  initialized_ = false;
  Notify(SoundEvent::Finalize);
}

void TDXSound::SetFocused(bool focused) { mixer_.SetMuted(!focused); }

TDXSound::NotifyToken TDXSound::AddNotify(std::function<void(SoundEvent)> subscriber) {
  subscribers_.push_back({next_token_, std::move(subscriber)});
  return next_token_++;
}

void TDXSound::RemoveNotify(NotifyToken token) {
  std::erase_if(subscribers_, [token](const Subscriber& s) { return s.token == token; });
}

void TDXSound::Notify(SoundEvent event) {
  for (const Subscriber& s : subscribers_) s.callback(event);
}

}  // namespace jizdavo
