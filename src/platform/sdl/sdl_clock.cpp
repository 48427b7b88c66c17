#include "platform/sdl/sdl_clock.h"

#include <SDL.h>

namespace jizdavo {

uint32_t SdlClock::Now() const { return SDL_GetTicks(); }

}  // namespace jizdavo
