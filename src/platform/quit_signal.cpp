#include "platform/quit_signal.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace jizdavo {

namespace {

std::atomic<bool> noting{false};
std::atomic<bool> signalled{false};

void OnQuitSignal(int) {
  if (!noting.load()) ::_exit(0);
  signalled.store(true);
}

}  // namespace

void EndAtOnceOnQuitSignals() {
  struct sigaction action {};
  action.sa_handler = OnQuitSignal;
  ::sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT}) ::sigaction(signal, &action, nullptr);
}

void NoteQuitSignals() { noting.store(true); }

bool QuitSignalled() { return signalled.load(); }

}  // namespace jizdavo
