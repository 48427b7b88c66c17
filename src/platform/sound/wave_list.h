#pragma once
// The named sound collection and its items. An item plays its wave on voices of the mixer: a main
// voice made from the wave, and extra voices that share its data so one effect can overlap itself.

#include <memory>
#include <string>
#include <vector>

#include "platform/sound/dx_sound.h"
#include "platform/sound/mixer.h"
#include "platform/sound/wave.h"

namespace jizdavo {

class TWaveCollectionItem {
 public:
  TWaveCollectionItem(std::string name, Mixer& mixer);
  ~TWaveCollectionItem();
  TWaveCollectionItem(const TWaveCollectionItem&) = delete;
  TWaveCollectionItem& operator=(const TWaveCollectionItem&) = delete;

  const std::string& Name() const { return name_; }
  // Loading new data does not rebuild a main voice that exists already.
  TWave& Wave() { return wave_; }

  // Nothing without a device or with an empty wave. A looped item restarts its main voice; a single
  // play takes a free extra voice, a new one, or (with the list full) the oldest. With `wait` it
  // returns once a single play has finished. A wave the mixer cannot play stays silent, with one
  // line on stderr.
  void Play(bool wait);
  void Stop();

  bool Looped() const { return looped_; }
  // A change stops the item first.
  void SetLooped(bool looped);
  int MaxPlayingCount() const { return max_playing_count_; }
  // 0 is no limit; a change frees every extra voice.
  void SetMaxPlayingCount(int count);
  // Volume, Frequency and Pan are stored, and applied at once to the main voice only: a playing
  // looped item changes at once, single plays already sounding keep what they started with.
  int Volume() const { return settings_.volume; }
  void SetVolume(int volume);
  int Frequency() const { return settings_.frequency; }
  void SetFrequency(int frequency);
  int Pan() const { return settings_.pan; }
  void SetPan(int pan);

  bool Initialized() const { return initialized_; }
  // The device opened: bound to it, with a main voice if the wave has data the mixer can play.
  void Initialize();
  // Drops every voice.
  void Finalize();

  int ExtraVoiceCount() const { return static_cast<int>(extra_voices_.size()); }
  int PlayingVoiceCount() const;

 private:
  using VoicePtr = std::shared_ptr<Mixer::Voice>;

  // Makes the main voice from the current wave if there is none; null for an empty wave or one the
  // mixer cannot play.
  Mixer::Voice* MainVoice();
  void ApplyToMainVoice();
  Mixer::Voice& ChooseExtraVoice(Mixer::Voice& main);
  void FreeExtraVoices();

  std::string name_;
  Mixer& mixer_;
  TWave wave_;
  bool looped_ = false;
  int max_playing_count_ = 0;
  VoiceSettings settings_;
  bool initialized_ = false;
  bool refusal_told_ = false;
  VoicePtr main_voice_;
  std::vector<VoicePtr> extra_voices_;
};

class TDXWaveList {
 public:
  explicit TDXWaveList(TDXSound& sound);
  ~TDXWaveList();
  TDXWaveList(const TDXWaveList&) = delete;
  TDXWaveList& operator=(const TDXWaveList&) = delete;

  // A new item is initialised at once when the device is open.
  TWaveCollectionItem& Add(std::string name);
  int Count() const { return static_cast<int>(items_.size()); }
  TWaveCollectionItem& Item(int index) { return *items_.at(index); }
  // Names compare without regard to letter case; an unknown name raises "Wave '%s' not found".
  TWaveCollectionItem& Find(const std::string& name);

  void InitializeAll();
  void FinalizeAll();

 private:
  TDXSound& sound_;
  TDXSound::NotifyToken token_;
  std::vector<std::unique_ptr<TWaveCollectionItem>> items_;
};

}  // namespace jizdavo
