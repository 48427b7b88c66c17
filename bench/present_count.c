/* Counts the frames a program presents through SDL, for bench/cpu-while-playing.sh. Loaded with
   LD_PRELOAD, it adds one to a 64-bit counter kept in the file named by JIZDAVO_PRESENT_COUNT at every
   SDL_RenderPresent, through a shared mapping: no system call per frame, so the CPU figures stay true.
   Build: cc -O2 -shared -fPIC present_count.c -o present_count.so -ldl */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

typedef struct SDL_Renderer SDL_Renderer;
typedef void (*PresentFunction)(SDL_Renderer*);

static volatile uint64_t* counter;

__attribute__((constructor)) static void open_counter(void) {
  const char* path = getenv("JIZDAVO_PRESENT_COUNT");
  if (path == NULL) return;
  int fd = open(path, O_RDWR | O_CREAT, 0644);
  if (fd < 0) return;
  if (ftruncate(fd, sizeof(uint64_t)) == 0) {
    void* mapped = mmap(NULL, sizeof(uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (mapped != MAP_FAILED) counter = mapped;
  }
  close(fd);
}

void SDL_RenderPresent(SDL_Renderer* renderer) {
  static PresentFunction real;
  if (real == NULL) real = (PresentFunction)dlsym(RTLD_NEXT, "SDL_RenderPresent");
  if (counter != NULL) ++*counter;
  real(renderer);
}
