#include "state/game_state.h"

namespace jizdavo {

TGameState Game;
TJizdavo* Jizdavo = nullptr;

}  // namespace jizdavo
