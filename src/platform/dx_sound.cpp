#include "platform/dx_sound.h"

#include <algorithm>

#include "platform/wave_list.h"

namespace jizdavo {

TDXSound::TDXSound(AudioOutput& output) : output_(output), mixer_(output) {}

TDXSound::~TDXSound() { Finalize(); }

void TDXSound::Initialize() {
  if (initialized_) return;
  if (!output_.Open([this](int16_t* samples, int frames) { mixer_.Mix(samples, frames); })) return;
  initialized_ = true;
  for (TDXWaveList* list : lists_) list->InitializeAll();
}

void TDXSound::Finalize() {
  if (!initialized_) return;
  output_.Close();
  initialized_ = false;
  for (TDXWaveList* list : lists_) list->FinalizeAll();
}

void TDXSound::SetFocused(bool focused) { mixer_.SetMuted(!focused); }

void TDXSound::Bind(TDXWaveList* list) { lists_.push_back(list); }

void TDXSound::Unbind(TDXWaveList* list) { std::erase(lists_, list); }

}  // namespace jizdavo
