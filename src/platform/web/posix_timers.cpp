// The browser's C library has no per-process timers. The page's one copy of the game never waits on
// a lock that another holds, so a wait given a deadline simply has none: creating one fails.

#include <cerrno>
#include <csignal>
#include <ctime>

extern "C" {

int timer_create(clockid_t, sigevent*, timer_t*) {
  errno = ENOSYS;
  return -1;
}

int timer_settime(timer_t, int, const itimerspec*, itimerspec*) {
  errno = ENOSYS;
  return -1;
}

int timer_delete(timer_t) {
  errno = ENOSYS;
  return -1;
}

}  // extern "C"
