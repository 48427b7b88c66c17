#pragma once
// The generated player: from the main menu it starts games of both modes and plays them to a win, a
// loss or an abort (pausing and resuming on the way), enters names for the top ten, changes the
// options, browses the scores and the credits, and always comes back to the main menu.

#include <random>

#include "pilot.h"
#include "soak_machine.h"
#include "soak_tally.h"

namespace jizdavo::soak {

class SoakPlayer {
 public:
  SoakPlayer(SoakMachine& machine, uint64_t seed) : machine_(machine), rng_(seed), pilot_(machine, rng_) {}

  // One visit from the main menu back to it.
  void PlayEpisode();
  // From now on the player goes back to the main menu after the game it is playing.
  void FinishSoon() { finishing_ = true; }
  const SoakTally& Tally() const { return tally_; }

 private:
  enum class Ending { Won, Lost, Aborted };

  void StandardEpisode();
  void ChaseEpisode();
  void OptionsEpisode();
  void ScoresEpisode();
  void CreditsEpisode();

  // Picks a level from the unlocked ones through the level list; `opener` shows the list.
  void PickLevel(TControl& opener, int unlocked);
  // Starts with `start` and plays games until the player goes back to the main menu.
  void PlayGames(TControl& start);
  // Plays one game to its end (or abandons it); the menus show what comes after.
  Ending PlayOneGame();
  void RunGameFrames(bool walk_to_finish, bool& left);
  bool PauseDuringGame(bool leave);
  // After a loss: play again (true) or the main menu.
  bool AfterLoss();
  // After a win: the name entry when it shows, then the next level (true) or the main menu.
  bool AfterWin();
  void EnterName();
  void Expect(bool condition, const char* what) const;
  void Idle(int max_frames);
  bool Chance(int percent) { return std::uniform_int_distribution<int>(1, 100)(rng_) <= percent; }
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  SoakMachine& machine_;
  std::mt19937 rng_;
  Pilot pilot_;
  SoakTally tally_;
  bool traffic_ = true;
  bool finishing_ = false;
};

}  // namespace jizdavo::soak
