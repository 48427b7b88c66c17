#include "sprite_field.h"

#include <vector>

#include "state/game_rules.h"
#include "state/game_state.h"
#include "sprites/rounding.h"

namespace jizdavo::test {

namespace {

struct PictureEntry {
  const char* name;
  int width, height;
  TColor color;
  // A black, colour-keyed frame around the colour, as the game's car and corpse pictures have.
  bool keyed_frame;
};

constexpr PictureEntry kPictures[] = {
    {"Clovek1d", 16, 9, kStandColor, false},   {"Clovek1c", 16, 12, kWalkColor1, false},
    {"Clovek1c2", 16, 12, kWalkColor2, false}, {"Mrtvola", 24, 14, kCorpseColor, true},
    {"Mrtvola2", 24, 14, kCorpseColor, true}, {"Krev", 20, 20, kStainColor, false},
    {"Krev1", 3, 3, kDotColor, false},         {"Barrier", 2, 3, RGB(219, 219, 219), false},
    {"Cil", 15, 15, kFinishColor, false},      {"Pozadi", 640, 480, kRoadColor, false},
    {"Alpha", 50, 30, RGB(255, 255, 0), false},
};

// Types 11 and 28 are the large vehicles.
void CarSize(int type, int& width, int& height) {
  width = type == 11 ? 46 : type == 28 ? 47 : 34;
  height = type == 11 ? 18 : type == 28 ? 19 : 14;
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

SpriteRig::SpriteRig() {
  Game = TGameState{};
  root.SetWindow(&window);
  root.SetTarget(&back);
}

SpriteRig::~SpriteRig() {
  root.FreeChildren();
  Game.Player = nullptr;
}

void SpriteRig::Build() {
  window.images.InitializeAll();
  window.images.RebuildAll();
}

SpriteField::SpriteField() {
  TDXImageList& images = window.images;
  for (const PictureEntry& picture : kPictures) Paint(images.Add(picture.name), picture);
  for (int type = 1; type <= kCarTypes; ++type) {
    PictureEntry picture{"", 0, 0, kCarColor, true};
    CarSize(type, picture.width, picture.height);
    for (const char* direction : {"0", "1"}) {
      Paint(images.Add("Auto" + std::to_string(type) + direction), picture);
    }
  }
  images.Add("CarTemp").Transparent = true;
  Build();
  Game.CountdownDone = true;
}

void SpriteField::Hold(int keys) {
  window.held = {(keys & kUp) != 0, (keys & kDown) != 0, (keys & kLeft) != 0, (keys & kRight) != 0};
}

TPlayer& SpriteField::AddPlayer(double x, double y) {
  auto* player = new TPlayer(&Root());
  player->SetImage(&Image("Clovek1d"));
  player->SetZ(1);
  player->X = x;
  player->Y = y;
  Game.Player = player;
  Game.CountdownDone = true;
  return *player;
}

TCar& SpriteField::AddCar(int type, bool goes_left, double x, double y, double speed) {
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

TKrev& SpriteField::AddStain(double x, double y, double size) {
  auto* stain = new TKrev(&Root());
  stain->SetImage(&Image("Krev"));
  stain->Size = size;
  stain->Width = stain->Height = RoundHalfEven(size);
  stain->X = x;
  stain->Y = y;
  return *stain;
}

TBarrier& SpriteField::AddBarrier(double x, double y, int width) {
  auto* bar = new TBarrier(&Root());
  bar->X = x;
  bar->Y = y;
  bar->Width = width;
  return *bar;
}

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
