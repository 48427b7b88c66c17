#pragma once
// SIGTERM and SIGINT. While the program starts they end it at once, with exit code 0: nothing has been
// changed yet that a clean end would keep, and some steps of a start (a driver's trial, a window
// manager's answer, the film) may take seconds. Once the game runs they are a request to end, which
// its loop takes up at its next turn (a tenth of a second at most).

namespace jizdavo {

// The first thing the program does.
void EndAtOnceOnQuitSignals();
// From now on a signal is only noted, for QuitSignalled.
void NoteQuitSignals();
bool QuitSignalled();

}  // namespace jizdavo
