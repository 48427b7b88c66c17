#pragma once
// Sprites on a small fake of the main window: a 640 x 480 back surface as the engine's target, the
// pictures, held directions, a hand-set clock, seeded random numbers, and the effects asked for.
// SpriteField adds small synthetic pictures of the game's sizes in solid colours, so that sprite
// tests can tell by the pixels which picture went where.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "sprites/barrier.h"
#include "sprites/black.h"
#include "sprites/car.h"
#include "sprites/cil.h"
#include "sprites/krev.h"
#include "sprites/player.h"
#include "sprites/sprite_engine.h"
#include "sprites/sprite_window.h"
#include "platform/clock.h"
#include "platform/color.h"
#include "platform/display/image_list.h"
#include "platform/seeded_random.h"
#include "platform/pixels/surface.h"

namespace jizdavo::test {

class FakeSpriteWindow final : public SpriteWindow {
 public:
  explicit FakeSpriteWindow(const Clock& clock) : clock_(clock), random_(1) {}

  TPictureCollectionItem& FindImage(const std::string& name) override { return images.Find(name); }
  HeldDirections ReadDirections() const override { return held; }
  uint32_t Now() const override { return clock_.Now(); }
  int Random(int n) override { return random_.Random(n); }
  void Randomize() override { random_.Randomize(clock_.Now()); }
  void PlayEffect(const std::string& name) override { ++plays[name]; }
  void RaiseEffectPitch(const std::string& name, int hertz) override { frequency[name] += hertz; }

  TDXImageList images;
  HeldDirections held;
  std::map<std::string, int> plays;      // effects started, by name
  std::map<std::string, int> frequency;  // in Hz, from 0 or as a test set it

 private:
  const Clock& clock_;
  SeededRandom random_;
};

// The root engine bound to the fake window and drawing on `back`; a clean game state.
struct SpriteRig {
  SpriteRig();
  ~SpriteRig();
  // Gives the pictures their surfaces, as the display does when it starts.
  void Build();

  ManualClock clock{100000};
  FakeSpriteWindow window{clock};
  TSurface back{640, 480};
  TSpriteEngine root;  // last: its sprites go before the pictures they use
};

// The solid colours of the synthetic pictures.
constexpr TColor kWalkColor1 = RGB(255, 0, 0);       // "Clovek1c"
constexpr TColor kWalkColor2 = RGB(0, 255, 0);       // "Clovek1c2"
constexpr TColor kStandColor = RGB(0, 0, 255);       // "Clovek1d"
constexpr TColor kCorpseColor = RGB(128, 128, 128);  // "Mrtvola", "Mrtvola2"
constexpr TColor kStainColor = RGB(200, 0, 0);       // "Krev"
constexpr TColor kDotColor = RGB(255, 255, 255);     // "Krev1"
constexpr TColor kFinishColor = RGB(255, 255, 255);  // "Cil"
constexpr TColor kCarColor = RGB(0, 128, 255);       // every car
constexpr TColor kRoadColor = RGB(64, 64, 64);       // "Pozadi"

enum Key { kUp = 1, kDown = 2, kLeft = 4, kRight = 8 };

class SpriteField : public ::testing::Test, protected SpriteRig {
 protected:
  SpriteField();

  TSpriteEngine& Root() { return root; }
  TSurface& Back() { return back; }
  TPictureCollectionItem& Image(const std::string& name) { return window.images.Find(name); }
  // The road picture's own surface, where the cars paint their trails.
  TSurface& Road() { return *Image("Pozadi").PatternSurface(0); }

  // Holds exactly the given directions (a mask of Key).
  void Hold(int keys);
  // How many times the named effect has been started since the field was made.
  int Plays(const std::string& sound) { return window.plays[sound]; }
  int Frequency(const std::string& sound) { return window.frequency[sound]; }
  void SetFrequency(const std::string& sound, int hertz) { window.frequency[sound] = hertz; }

  // The figure as a new game makes it, with the countdown over.
  TPlayer& AddPlayer(double x, double y);
  // A car of `type` ("Auto<type><0|1>"), with the size of its picture.
  TCar& AddCar(int type, bool goes_left, double x, double y, double speed = 1.0);
  TKrev& AddStain(double x, double y, double size);
  TBarrier& AddBarrier(double x, double y, int width);

  // Runs the engine's passes as the play frame does.
  void MovePass(int move_count) { root.MoveTree(move_count); }
  void FreeDead() { root.FreeDead(); }
  void DrawPass() { root.DrawAll(); }
};

// The raw display value a colour lands as.
RawPixel Raw(TColor color);
// Source over destination at `alpha`, channel by channel, as the display blends.
RawPixel Blend(RawPixel source, RawPixel dest, int alpha);

}  // namespace jizdavo::test
