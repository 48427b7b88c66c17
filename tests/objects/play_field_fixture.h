#pragma once
// A whole main window on test doubles, with small synthetic pictures of the game's sizes in solid
// colours, so that sprite tests can tell by the pixels which picture went where.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "objects/barrier.h"
#include "objects/black.h"
#include "objects/car.h"
#include "objects/cil.h"
#include "objects/krev.h"
#include "objects/player.h"
#include "platform/clock.h"
#include "platform/color.h"
#include "platform/image_list.h"
#include "platform/surface.h"

namespace jizdavo {

class TJizdavo;
class TSpriteEngine;

namespace test {

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

class PlayField : public ::testing::Test {
 protected:
  PlayField();
  ~PlayField() override;

  TSpriteEngine& Root();
  TSurface& Back();
  TPictureCollectionItem& Image(const std::string& name);
  // The road picture's own surface, where the cars paint their trails.
  TSurface& Road() { return *Image("Pozadi").PatternSurface(0); }

  // Holds exactly the given directions (a mask of Key) from the next input update on, and updates.
  void Hold(int keys);
  void SoundEffects(bool on);
  // How many times the named sound has been started since the fixture was made.
  int Plays(const std::string& sound);
  int Frequency(const std::string& sound);
  void SetFrequency(const std::string& sound, int hertz);

  // The figure as a new game makes it, with the countdown over.
  TPlayer& AddPlayer(double x, double y);
  // A car of `type` ("Auto<type><0|1>"), with the size of its picture.
  TCar& AddCar(int type, bool goes_left, double x, double y, double speed = 1.0);
  TKrev& AddStain(double x, double y, double size);
  TBarrier& AddBarrier(double x, double y, int width);

  // Runs the engine's passes as the play frame does.
  void MovePass(int move_count);
  void FreeDead();
  void DrawPass();

  ManualClock clock{100000};

 private:
  struct Doubles;
  std::unique_ptr<Doubles> doubles_;
  std::unique_ptr<TJizdavo> window_;
};

// The raw display value a colour lands as.
RawPixel Raw(TColor color);
// Source over destination at `alpha`, channel by channel, as the display blends.
RawPixel Blend(RawPixel source, RawPixel dest, int alpha);

}  // namespace test
}  // namespace jizdavo
