#pragma once
// The sprite engine component: owns the root of the sprite tree and binds it to the display, so that
// the sprites draw on the back surface while the display is initialised.

#include <cstdint>

#include "sprites/sprite_engine.h"
#include "platform/display/dx_draw.h"

namespace jizdavo {

class TDXSpriteEngine {
 public:
  TDXSpriteEngine() = default;
  // The display must outlive its binding: unbind (SetDXDraw(nullptr)) or free this component first.
  ~TDXSpriteEngine();
  TDXSpriteEngine(const TDXSpriteEngine&) = delete;
  TDXSpriteEngine& operator=(const TDXSpriteEngine&) = delete;

  // Owns every sprite of the game.
  TSpriteEngine Root;

  TDXDraw* DXDraw() const { return dxdraw_; }
  // Leaves the old display (the root loses its target) and follows the new one from now on.
  void SetDXDraw(TDXDraw* dxdraw);

  void MoveAll(int32_t MoveCount) { Root.MoveTree(MoveCount); }
  void FreeDead() { Root.FreeDead(); }
  // Nothing while no display is bound or it is not initialised.
  void DrawAll();

 private:
  void OnDisplayEvent(DisplayEvent event);

  TDXDraw* dxdraw_ = nullptr;
  TDXDraw::NotifyToken token_ = 0;
};

}  // namespace jizdavo
