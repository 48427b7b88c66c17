#pragma once
// A test sprite that writes what happens to it into a shared log and runs optional hooks.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sprites/sprite.h"

namespace jizdavo {

using Log = std::vector<std::string>;

class Probe : public TSprite {
 public:
  Probe(TSprite* parent, Log& log, std::string name, TRect box = Bounds(10, 10, 20, 20))
      : TSprite(parent), log_(log), name_(std::move(name)) {
    X = box.Left;
    Y = box.Top;
    Width = box.Width();
    Height = box.Height();
  }
  ~Probe() override { log_.push_back("free " + name_); }

  void Render() override { log_.push_back("draw " + name_); }
  void Step(int32_t MoveCount) override {
    log_.push_back("move " + name_);
    if (on_step) on_step(MoveCount);
  }
  void Collided(TSprite* Other, bool& EndPass) override {
    log_.push_back("hit " + name_ + " " + static_cast<Probe*>(Other)->name_);
    if (on_collided) on_collided(Other, EndPass);
  }

  std::function<void(int32_t)> on_step;
  std::function<void(TSprite*, bool&)> on_collided;

 private:
  Log& log_;
  std::string name_;
};

}  // namespace jizdavo
