# Sourced by test.sh and tools/soak/soak.sh: how programs built with the sanitizers run. Any error
# halts the program with a stack trace; leaks of the system libraries we cannot fix are suppressed, one
# documented entry each, in tests/lsan.supp.
jizdavo_sanitizer_environment() {
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1
  export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  # SDL's accelerated renderer loads Mesa's GL driver and unloads it again; what the driver leaks then
  # belongs to no loaded library, so it could neither be suppressed nor told apart from our own leaks.
  # The instrumented runs therefore present through SDL's software renderer (the plain suite covers GL).
  export SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0
}
