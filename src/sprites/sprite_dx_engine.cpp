#include "sprites/sprite_dx_engine.h"

namespace jizdavo {

TDXSpriteEngine::~TDXSpriteEngine() { SetDXDraw(nullptr); }

void TDXSpriteEngine::SetDXDraw(TDXDraw* dxdraw) {
  if (dxdraw == dxdraw_) return;
  if (dxdraw_) {
    dxdraw_->RemoveNotify(token_);
    Root.SetTarget(nullptr);
  }
  dxdraw_ = dxdraw;
  if (!dxdraw_) return;
  token_ = dxdraw_->AddNotify([this](DisplayEvent event) { OnDisplayEvent(event); });
  // A display that is up already sends no notice of it.
  if (dxdraw_->Initialized()) Root.SetTarget(dxdraw_->BackSurface());
}

void TDXSpriteEngine::OnDisplayEvent(DisplayEvent event) {
  switch (event) {
    case DisplayEvent::Initialize:
    case DisplayEvent::Restore:  // the back surface may have been made anew
      Root.SetTarget(dxdraw_->BackSurface());
      break;
    case DisplayEvent::Finalize:
      Root.SetTarget(nullptr);
      break;
  }
}

void TDXSpriteEngine::DrawAll() {
  if (dxdraw_ && dxdraw_->Initialized()) Root.DrawAll();
}

}  // namespace jizdavo
