#include "objects/window_access.h"

#include "frame/jizdavo.h"

namespace jizdavo {

TSurface& BackSurface() { return *Jizdavo->DXDraw1.BackSurface(); }

int DisplayWidth() { return Jizdavo->DXDraw1.Width(); }

int DisplayHeight() { return Jizdavo->DXDraw1.Height(); }

TPictureCollectionItem& FindImage(const std::string& name) { return Jizdavo->DXImageList.Find(name); }

HeldDirections ReadDirections() {
  const TDXInputStates& states = Jizdavo->DXInput.States();
  return {states[StateUp], states[StateDown], states[StateLeft], states[StateRight]};
}

uint32_t Now() { return Jizdavo->Now(); }

int Random(int n) { return Jizdavo->Random(n); }

void Randomize() { Jizdavo->Randomize(); }

void PlayEffect(const std::string& name) {
  if (Jizdavo->PlaySE.Checked) Jizdavo->DXWaveList.Find(name).Play(false);
}

void RaiseEffectPitch(const std::string& name, int hertz) {
  auto& item = Jizdavo->DXWaveList.Find(name);
  item.SetFrequency(item.Frequency() + hertz);
}

}  // namespace jizdavo
