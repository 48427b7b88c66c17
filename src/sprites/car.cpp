#include "sprites/car.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>

#include "sprites/krev.h"
#include "sprites/player.h"
#include "sprites/rounding.h"
#include "sprites/sprite_window.h"
#include "platform/display/image_list.h"
#include "state/game_rules.h"
#include "state/game_state.h"

namespace jizdavo {

namespace {

constexpr int kBloodDotSize = 3;
constexpr int kCorpseDotAlpha = 50;
constexpr int kTrailStartAlpha = 255;
constexpr int kTrailFade = 5;

bool IsLargeVehicle(const std::string& image_name) {
  return image_name == "Auto110" || image_name == "Auto111" || image_name == "Auto280" ||
         image_name == "Auto281";
}

// A 3 x 3 blood dot blended into a picture's own surface, so it stays there.
void PaintBloodDot(SpriteWindow& window, TPictureCollectionItem& picture, int x, int y, int alpha) {
  window.FindImage("Krev1").DrawBlended(*picture.PatternSurface(0), Bounds(x, y, kBloodDotSize, kBloodDotSize),
                                        0, alpha);
}

// The blood dot on the corpse lands on the body alone: the picture's transparent pixels are put back,
// so splash after splash never fills the picture's box around the body with blood.
void PaintCorpseDot(SpriteWindow& window, TPictureCollectionItem& corpse, int x, int y) {
  TSurface& surface = *corpse.PatternSurface(0);
  const RawPixel key = surface.ColorKey();
  const TRect dot{std::max(x, 0), std::max(y, 0), std::min(x + kBloodDotSize, surface.Width()),
                  std::min(y + kBloodDotSize, surface.Height())};
  std::array<std::pair<int, int>, kBloodDotSize * kBloodDotSize> clear;
  size_t clear_count = 0;
  for (int py = dot.Top; py < dot.Bottom; ++py) {
    for (int px = dot.Left; px < dot.Right; ++px) {
      if (corpse.Transparent && surface.GetPixel(px, py) == key) clear[clear_count++] = {px, py};
    }
  }
  PaintBloodDot(window, corpse, x, y, kCorpseDotAlpha);
  if (clear_count == 0) return;
  surface.MarkChanged(dot);
  for (size_t i = 0; i < clear_count; ++i) surface.MarkedRow(clear[i].second)[clear[i].first] = key;
}

}  // namespace

void TCar::Step(int32_t MoveCount) {
  TImageSprite::Step(MoveCount);
  // A new car starts exactly one width outside the screen and must survive its first step.
  const int image_width = ImageItem->Width();
  if (X < -image_width || X > DisplayWidth() + image_width) Kill();
  const double pixels_per_unit = (Speed * 70 + 130) / 1000;
  X += (GoesLeft ? -pixels_per_unit : pixels_per_unit) * MoveCount;
  SoundNearPedestrian();
  // Collided acts on stains alone and the pass has no other effect, so it is a no-op unless a stain's
  // rectangle meets the car's, which the pass checks first.
  if (NearStain()) TestCollisions();
}

// Each car squelches at most once and honks at most once; the flags are set even with sound off.
void TCar::SoundNearPedestrian() {
  const TPlayer& pedestrian = *Game.Player;
  const double px = pedestrian.X;
  const double py = pedestrian.Y;
  // The picture's height, not the sprite's: 9 while alive, 14 as a corpse.
  const int ph = pedestrian.ImageItem->Height();
  const bool in_lane = py >= Y - Height + 5 && py + ph < Y + 2 * Height - 5;
  if (!in_lane) return;
  if (Game.Crashed && !SplatPlayed) {
    // A right-driving car's window is only 2 * Speed wide, so a fast step can jump over it silently.
    const bool over_body =
        GoesLeft ? X <= px && px <= X + Width : X + Width <= px && px <= X + Width + 2 * Speed;
    if (over_body) {
      Window().PlayEffect("Mlask");
      SplatPlayed = true;
    }
  }
  if (!Game.Crashed && !HornPlayed) {
    const bool approaching = GoesLeft ? px + 40 <= X && X <= px + 80 : X + 40 <= px && px <= X + 80;
    if (approaching) {
      Window().PlayEffect(IsLargeVehicle(ImageItem->Name()) ? "Horn2" : "Horn");
      HornPlayed = true;
    }
  }
}

bool TCar::NearStain() const {
  const TRect own = BoundingRect();
  const auto& stains = TKrev::Existing();
  return std::any_of(stains.begin(), stains.end(),
                     [&own](const TKrev* stain) { return OverlapRect(stain->BoundingRect(), own); });
}

void TCar::Collided(TSprite* Other, bool& /*EndPass*/) {
  if (auto* stain = dynamic_cast<TKrev*>(Other)) Splash(*stain);
}

// Wheels crossing the stain splash the body and pick up blood. A stain exists only after a crash, so the
// pedestrian's picture is the corpse.
void TCar::Splash(const TKrev& stain) {
  TPictureCollectionItem& corpse = *Game.Player->ImageItem;
  Window().Randomize();
  const int a = Window().Random(corpse.Width());
  const int b = Window().Random(corpse.Height());
  const bool picks_up_blood = GoesLeft || X >= stain.X;
  if (stain.Y <= Y && Y <= stain.Y + stain.Height - 2) {
    PaintCorpseDot(Window(), corpse, a, b);
    if (!picks_up_blood) return;
    TopTrail = true;
    TopTrailAlpha = kTrailStartAlpha;
  }
  const double bottom = Y + Height;
  if (stain.Y + 2 <= bottom && bottom <= stain.Y + stain.Height + 1) {
    PaintCorpseDot(Window(), corpse, a, b);
    if (picks_up_blood) {
      BottomTrail = true;
      BottomTrailAlpha = kTrailStartAlpha;
    }
  }
}

void TCar::Render() {
  PaintTrails();
  if (Game.ChaseMode && PulsesAsWanted(Game, CarType)) {
    DrawPulsing();
  } else {
    TImageSprite::Render();
  }
}

// The trail goes into the backdrop picture itself, so it stays on the road until the level ends.
void TCar::PaintTrails() {
  const auto paint = [this](int32_t& alpha, int offset_y) {
    // A spent trail would blend nothing; it goes on fading unpainted.
    if (alpha > 0) {
      PaintBloodDot(Window(), Window().FindImage("Pozadi"), RoundHalfEven(X), RoundHalfEven(Y) + offset_y,
                    alpha);
    }
    alpha -= kTrailFade;
  };
  if (TopTrail) paint(TopTrailAlpha, 0);
  if (BottomTrail) paint(BottomTrailAlpha, Height - kBloodDotSize);
}

// A wanted car: its picture on black, tinted yellow by |sin|, keyed on the tinted background and drawn
// with an opacity swinging by |cos|. "CarTemp" is scratch shared by all cars, used up within one call.
void TCar::DrawPulsing() {
  const int w = ImageItem->Width();
  const int h = ImageItem->Height();
  TPictureCollectionItem& scratch = Window().FindImage("CarTemp");
  scratch.Picture().SetWidth(w);
  scratch.Picture().SetHeight(h);
  scratch.Picture().SetBitCount(24);
  scratch.Rebuild();
  TSurface& surface = *scratch.PatternSurface(0);
  ImageItem->DrawAt(surface, 0, 0, 0);
  PulsePhase += 0.05L;
  const int tint = RoundHalfEven(static_cast<double>(std::fabs(std::sin(PulsePhase) * 100)));
  Window().FindImage("Alpha").DrawBlended(surface, {0, 0, w, h}, 0, tint);
  surface.SetColorKey(surface.GetPixel(0, 0));
  const int opacity = RoundHalfEven(static_cast<double>(std::fabs(std::cos(PulsePhase) * 155))) + 100;
  const int x = RoundHalfEven(X);
  const int y = RoundHalfEven(Y);
  scratch.DrawBlended(BackSurface(), {x, y, x + w, y + h}, 0, opacity);
}

}  // namespace jizdavo
