#pragma once
// What the game's sprites need of the main window, held by their engine: the main window implements
// it, sprite tests a small fake. The surface they draw on is the engine's target.

#include <cstdint>
#include <string>

namespace jizdavo {

class TPictureCollectionItem;

// The direction states of the input as they stand after the frame's update.
struct HeldDirections {
  bool Up = false;
  bool Down = false;
  bool Left = false;
  bool Right = false;
};

class SpriteWindow {
 public:
  virtual ~SpriteWindow() = default;

  // Image items are looked up by name on every use; an unknown name raises the collection's error.
  virtual TPictureCollectionItem& FindImage(const std::string& name) = 0;
  virtual HeldDirections ReadDirections() const = 0;

  // The millisecond tick and the random numbers of the machine the game runs on.
  virtual uint32_t Now() const = 0;
  virtual int Random(int n) = 0;
  // Re-seeds the random numbers from the clock.
  virtual void Randomize() = 0;

  // Starts the sound effect without waiting, but only when the player has sound effects switched on.
  virtual void PlayEffect(const std::string& name) = 0;
  // Raises the effect's playback frequency in Hz, whether or not sound effects are on.
  virtual void RaiseEffectPitch(const std::string& name, int hertz) = 0;
};

}  // namespace jizdavo
