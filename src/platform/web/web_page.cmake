# The game as a web page: the program compiled to WebAssembly beside its page (index.html for the
# game, <target>.html for another program) and the script that joins them to the browser (page.js),
# with the files beside the program packed into <target>.data. See page.js for storage, the main loop
# and the first gesture.
function(jizdavo_web_page target page)
  set(page_dir ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  target_sources(${target} PRIVATE ${page_dir}/posix_timers.cpp)
  target_link_options(${target} PRIVATE
    # SDL_Delay and the waits for events give the page its turn (emscripten_sleep): the game keeps
    # its own loop, and the browser's main thread sleeps between frames.
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
    -sALLOW_MEMORY_GROWTH -sINITIAL_MEMORY=128MB
    -sENVIRONMENT=web -sINVOKE_RUN=0 -sEXIT_RUNTIME=0
    "-sEXPORTED_RUNTIME_METHODS=['callMain','FS','IDBFS']" -lidbfs.js
    "SHELL:--js-library ${page_dir}/sdl_needs.js" -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=jizdavo_sdl_needs
    "SHELL:--pre-js ${page_dir}/page.js"
    # The files beside the program, at the root of the page's file system.
    "SHELL:--preload-file ${CMAKE_BINARY_DIR}/Graphics@/Graphics"
    "SHELL:--preload-file ${CMAKE_BINARY_DIR}/Music@/Music"
    "SHELL:--preload-file ${CMAKE_BINARY_DIR}/fonts@/fonts")
  set_target_properties(${target} PROPERTIES SUFFIX .js LINK_DEPENDS "${page_dir}/page.js;${page_dir}/sdl_needs.js")
  add_dependencies(${target} jizdavo_fonts)
  # emcc's own page cannot be made by Debian's emcc (its HTML minifier fails); ours is plain.
  set(JIZDAVO_PAGE_SCRIPT ${target}.js)
  configure_file(${page_dir}/index.html ${CMAKE_BINARY_DIR}/${page} @ONLY)
endfunction()
