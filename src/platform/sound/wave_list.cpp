#include "platform/sound/wave_list.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/error.h"

namespace jizdavo {
namespace {

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return std::ranges::equal(
      a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace

TWaveCollectionItem::TWaveCollectionItem(std::string name, Mixer& mixer)
    : name_(std::move(name)), mixer_(mixer) {}

TWaveCollectionItem::~TWaveCollectionItem() { Finalize(); }

// A wave the mixer cannot play stays silent; the reason is told once, the first time it is needed.
Mixer::Voice* TWaveCollectionItem::MainVoice() {
  if (main_voice_ || wave_.Empty()) return main_voice_.get();
  try {
    main_voice_ = mixer_.AddVoice(MakeSoundSamples(wave_), settings_);
  } catch (const Error& error) {
    if (!refusal_told_) {
      const WaveFormat& f = wave_.Format();
      std::fprintf(stderr, "Wave '%s' stays silent: %s (format tag %u, channels %u, bits %u, rate %u Hz)\n",
                   name_.c_str(), error.what(), unsigned{f.format_tag}, unsigned{f.channels},
                   unsigned{f.bits_per_sample}, unsigned{f.samples_per_sec});
      refusal_told_ = true;
    }
  }
  return main_voice_.get();
}

void TWaveCollectionItem::Play(bool wait) {
  if (!initialized_) return;
  Mixer::Voice* main = MainVoice();
  if (!main) return;
  if (looped_) {
    // A looped play never finishes, so there is nothing to wait for.
    mixer_.Play(*main, settings_, true);
    return;
  }
  Mixer::Voice& voice = ChooseExtraVoice(*main);
  mixer_.Play(voice, settings_, false);
  while (wait && mixer_.Playing(voice)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

Mixer::Voice& TWaveCollectionItem::ChooseExtraVoice(Mixer::Voice& main) {
  for (const VoicePtr& voice : extra_voices_) {
    if (!mixer_.Playing(*voice)) return *voice;
  }
  if (max_playing_count_ == 0 || ExtraVoiceCount() < max_playing_count_) {
    extra_voices_.push_back(mixer_.AddVoice(mixer_.Sound(main), settings_));
  } else {
    // The oldest voice is cut off and becomes the newest.
    std::rotate(extra_voices_.begin(), extra_voices_.begin() + 1, extra_voices_.end());
  }
  return *extra_voices_.back();
}

void TWaveCollectionItem::Stop() {
  if (!initialized_) return;
  if (main_voice_) mixer_.Stop(*main_voice_);
  for (const VoicePtr& voice : extra_voices_) mixer_.Stop(*voice);
}

void TWaveCollectionItem::SetLooped(bool looped) {
  if (looped == looped_) return;
  Stop();
  looped_ = looped;
}

void TWaveCollectionItem::SetMaxPlayingCount(int count) {
  count = std::max(count, 0);
  if (count == max_playing_count_) return;
  max_playing_count_ = count;
  FreeExtraVoices();
}

void TWaveCollectionItem::ApplyToMainVoice() {
  if (!initialized_) return;
  if (Mixer::Voice* main = MainVoice()) mixer_.Apply(*main, settings_);
}

void TWaveCollectionItem::SetVolume(int volume) {
  settings_.volume = volume;
  ApplyToMainVoice();
}

void TWaveCollectionItem::SetFrequency(int frequency) {
  settings_.frequency = frequency;
  ApplyToMainVoice();
}

void TWaveCollectionItem::SetPan(int pan) {
  settings_.pan = pan;
  ApplyToMainVoice();
}

void TWaveCollectionItem::Initialize() {
  initialized_ = true;
  MainVoice();
}

void TWaveCollectionItem::Finalize() {
  FreeExtraVoices();
  if (main_voice_) mixer_.RemoveVoice(main_voice_);
  main_voice_.reset();
  initialized_ = false;
}

void TWaveCollectionItem::FreeExtraVoices() {
  for (const VoicePtr& voice : extra_voices_) mixer_.RemoveVoice(voice);
  extra_voices_.clear();
}

int TWaveCollectionItem::PlayingVoiceCount() const {
  int count = main_voice_ && mixer_.Playing(*main_voice_) ? 1 : 0;
  for (const VoicePtr& voice : extra_voices_) count += mixer_.Playing(*voice) ? 1 : 0;
  return count;
}

TDXWaveList::TDXWaveList(TDXSound& sound)
    : sound_(sound), token_(sound.AddNotify([this](SoundEvent event) {
        if (event == SoundEvent::Initialize) InitializeAll();
        else FinalizeAll();
      })) {}

TDXWaveList::~TDXWaveList() {
  items_.clear();
  sound_.RemoveNotify(token_);
}

TWaveCollectionItem& TDXWaveList::Add(std::string name) {
  items_.push_back(std::make_unique<TWaveCollectionItem>(std::move(name), sound_.GetMixer()));
  if (sound_.Initialized()) items_.back()->Initialize();
  return *items_.back();
}

TWaveCollectionItem& TDXWaveList::Find(const std::string& name) {
  for (const auto& item : items_) {
    if (SameNameIgnoringCase(item->Name(), name)) return *item;
  }
  throw Error("Wave '" + name + "' not found");
}

void TDXWaveList::InitializeAll() {
  for (const auto& item : items_) item->Initialize();
}

void TDXWaveList::FinalizeAll() {
  for (const auto& item : items_) item->Finalize();
}

}  // namespace jizdavo
