#pragma once
// What the game's sprites use of the main window, gathered so that each sprite reads as its rules.
// Defined in window_access.cpp, the one sprite file that knows the window's class.

#include <cstdint>
#include <string>

namespace jizdavo {

class TPictureCollectionItem;
class TSurface;

// The surface every sprite draws on, and its size (640 x 480 in play).
TSurface& BackSurface();
int DisplayWidth();
int DisplayHeight();

// Image items are looked up by name on every use; an unknown name raises the collection's error.
TPictureCollectionItem& FindImage(const std::string& name);

// The direction states of the input as they stand after the frame's update.
struct HeldDirections {
  bool Up = false;
  bool Down = false;
  bool Left = false;
  bool Right = false;
};
HeldDirections ReadDirections();

// The millisecond tick and the random numbers of the machine the game runs on.
uint32_t Now();
int Random(int n);
// Re-seeds the random numbers from the clock.
void Randomize();

// Starts the sound effect without waiting, but only when the player has sound effects switched on.
void PlayEffect(const std::string& name);
// Raises the effect's playback frequency in Hz, whether or not sound effects are on.
void RaiseEffectPitch(const std::string& name, int hertz);

}  // namespace jizdavo
