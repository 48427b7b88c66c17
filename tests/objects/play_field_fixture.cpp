#include "play_field_fixture.h"

#include <filesystem>
#include <vector>
#include <unistd.h>
#include <string>

#include "frame/game_state.h"
#include "frame/jizdavo.h"
#include "objects/rounding.h"
#include "objects/sprite_engine.h"
#include "platform/input_source.h"
#include "platform/seeded_random.h"
#include "platform/audio_output.h"
#include "platform/timer.h"
#include "platform/video_output.h"
#include "platform/wave.h"
#include "platform/wave_list.h"
#include "platform/window_services.h"

namespace jizdavo::test {

namespace {

class QuietWindow final : public WindowServices {
 public:
  void SetPointerShape(int) override {}
  bool LoadPointer(const std::string&) override { return true; }
  void CenterPointer() override {}
  void MessageBox(const std::string&, const std::string&) override {}
  void Close() override {}
};

struct PictureEntry {
  const char* name;
  int width, height;
  TColor color;
  // A black, colour-keyed frame around the colour, as the game's car pictures have.
  bool keyed_frame;
};

constexpr PictureEntry kPictures[] = {
    {"Clovek1d", 16, 9, kStandColor, false},   {"Clovek1c", 16, 12, kWalkColor1, false},
    {"Clovek1c2", 16, 12, kWalkColor2, false}, {"Mrtvola", 24, 14, kCorpseColor, false},
    {"Mrtvola2", 24, 14, kCorpseColor, false}, {"Krev", 20, 20, kStainColor, false},
    {"Krev1", 3, 3, kDotColor, false},         {"Barrier", 2, 3, RGB(219, 219, 219), false},
    {"Cil", 15, 15, kFinishColor, false},      {"Pozadi", 640, 480, kRoadColor, false},
    {"Alpha", 50, 30, RGB(255, 255, 0), false},
};

// Types 11 and 28 are the large vehicles.
void CarSize(int type, int& width, int& height) {
  width = type == 11 ? 46 : type == 28 ? 47 : 34;
  height = type == 11 ? 18 : type == 28 ? 19 : 14;
}

constexpr const char* kSounds[] = {"Impact", "Mlask", "Horn", "Horn2", "Puk"};

template <typename List>
auto& FindOrAdd(List& list, const std::string& name) {
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Item(i).Name() == name) return list.Item(i);
  }
  return list.Add(name);
}

void Paint(TPictureCollectionItem& item, const PictureEntry& picture) {
  std::vector<TColor> pixels(static_cast<size_t>(picture.width) * picture.height, picture.color);
  if (picture.keyed_frame) {
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        const bool edge = x == 0 || y == 0 || x == picture.width - 1 || y == picture.height - 1;
        if (edge) pixels[static_cast<size_t>(y) * picture.width + x] = clBlack;
      }
    }
  }
  item.Picture().Assign(picture.width, picture.height, 24, std::move(pixels));
  item.Transparent = picture.keyed_frame;
  item.SetTransparentColor(clBlack);
}

}  // namespace

struct PlayField::Doubles {
  explicit Doubles(const Clock& clock)
      : random(1, clock),
        timers(clock),
        folder(std::filesystem::temp_directory_path() / ("jizdavo_actors-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(folder);
  }

  SeededRandom random;
  NullVideoOutput video;
  ScriptedInput input;
  QuietWindow window;
  MessageTimers timers;
  ManualAudioOutput audio;
  std::filesystem::path folder;
};

PlayField::PlayField() : doubles_(std::make_unique<Doubles>(clock)) {
  PlatformServices services{clock,
                            doubles_->random,
                            doubles_->video,
                            doubles_->input,
                            doubles_->window,
                            doubles_->timers,
                            doubles_->audio,
                            [this](uint32_t ms) { clock.Advance(ms); },
                            doubles_->folder,
                            doubles_->folder};
  window_ = std::make_unique<TJizdavo>(services);
  TDXImageList& images = window_->DXImageList;
  for (const PictureEntry& picture : kPictures) Paint(FindOrAdd(images, picture.name), picture);
  for (int type = 1; type <= 28; ++type) {
    PictureEntry picture{"", 0, 0, kCarColor, true};
    CarSize(type, picture.width, picture.height);
    for (const char* direction : {"0", "1"}) {
      Paint(FindOrAdd(images, "Auto" + std::to_string(type) + direction), picture);
    }
  }
  FindOrAdd(images, "CarTemp").Transparent = true;
  // Short sounds that nothing ever mixes, so each start keeps a voice and the voices count the plays.
  for (const char* name : kSounds) {
    TWave& wave = FindOrAdd(window_->DXWaveList, name).Wave();
    wave.Assign(WaveFormat::Pcm(1, 11025, 8), std::vector<uint8_t>(64, 128));
  }
  window_->DXDraw1.Initialize();
  // A clean field: no figure from the window's own reset.
  Root().FreeChildren();
  Game.Player = nullptr;
  Game.CountdownDone = true;
}

PlayField::~PlayField() = default;

TSpriteEngine& PlayField::Root() { return window_->DXSpriteEngine.Root; }

TSurface& PlayField::Back() { return *window_->DXDraw1.BackSurface(); }

TPictureCollectionItem& PlayField::Image(const std::string& name) { return window_->DXImageList.Find(name); }

void PlayField::Hold(int keys) {
  // The arrow keys as extended scan codes.
  auto& codes = doubles_->input.state.scan_codes;
  codes[128 + 0x48] = (keys & kUp) != 0;
  codes[128 + 0x50] = (keys & kDown) != 0;
  codes[128 + 0x4B] = (keys & kLeft) != 0;
  codes[128 + 0x4D] = (keys & kRight) != 0;
  window_->DXInput.Update();
}

void PlayField::SoundEffects(bool on) { window_->PlaySE.Checked = on; }

int PlayField::Plays(const std::string& sound) { return window_->DXWaveList.Find(sound).PlayingVoiceCount(); }

int PlayField::Frequency(const std::string& sound) { return window_->DXWaveList.Find(sound).Frequency(); }

void PlayField::SetFrequency(const std::string& sound, int hertz) {
  window_->DXWaveList.Find(sound).SetFrequency(hertz);
}

TPlayer& PlayField::AddPlayer(double x, double y) {
  auto* player = new TPlayer(&Root());
  player->SetImage(&Image("Clovek1d"));
  player->SetZ(1);
  player->X = x;
  player->Y = y;
  Game.Player = player;
  Game.CountdownDone = true;
  return *player;
}

TCar& PlayField::AddCar(int type, bool goes_left, double x, double y, double speed) {
  auto* car = new TCar(&Root());
  car->SetZ(2);
  car->CarType = type;
  car->GoesLeft = goes_left;
  car->Speed = speed;
  car->SetImage(&Image("Auto" + std::to_string(type) + (goes_left ? "1" : "0")));
  car->X = x;
  car->Y = y;
  return *car;
}

TKrev& PlayField::AddStain(double x, double y, double size) {
  auto* stain = new TKrev(&Root());
  stain->SetImage(&Image("Krev"));
  stain->Size = size;
  stain->Width = stain->Height = RoundHalfEven(size);
  stain->X = x;
  stain->Y = y;
  return *stain;
}

TBarrier& PlayField::AddBarrier(double x, double y, int width) {
  auto* bar = new TBarrier(&Root());
  bar->X = x;
  bar->Y = y;
  bar->Width = width;
  return *bar;
}

void PlayField::MovePass(int move_count) { window_->DXSpriteEngine.MoveAll(move_count); }

void PlayField::FreeDead() { window_->DXSpriteEngine.FreeDead(); }

void PlayField::DrawPass() { window_->DXSpriteEngine.DrawAll(); }

RawPixel Raw(TColor color) { return rgb565::FromColor(color); }

RawPixel Blend(RawPixel source, RawPixel dest, int alpha) {
  if (alpha >= 255) return source;
  if (alpha <= 0) return dest;
  const auto mix = [alpha](uint32_t s, uint32_t d) { return (s * alpha + d * (255 - alpha)) / 256; };
  return rgb565::Pack(mix(rgb565::Red8(source), rgb565::Red8(dest)),
                      mix(rgb565::Green8(source), rgb565::Green8(dest)),
                      mix(rgb565::Blue8(source), rgb565::Blue8(dest)));
}

}  // namespace jizdavo::test
