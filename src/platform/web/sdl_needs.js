// What SDL's own JavaScript on emscripten calls (its sound device and timers), which the library
// build leaves out unless something asks for it: this does (emcc --js-library).
mergeInto(LibraryManager.library, {
  jizdavo_sdl_needs__deps: ['$autoResumeAudioContext', '$dynCall'],
  jizdavo_sdl_needs: function () {},
});
