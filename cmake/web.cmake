# The browser: Debian's emscripten, linking the libraries scripts/web-libraries.sh built from Debian's
# source packages. Configure with
#   cmake -S . -B build-web -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/web.cmake \
#         -DJIZDAVO_WEB_LIBRARIES=<what web-libraries.sh prints> -DJIZDAVO_HOST_ASSETGEN=build/assetgen
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# The toolchain is read again for every compiler check; these come along.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES JIZDAVO_WEB_LIBRARIES)
if(NOT JIZDAVO_WEB_LIBRARIES)
  message(FATAL_ERROR "JIZDAVO_WEB_LIBRARIES names the folder scripts/web-libraries.sh prints")
endif()
list(APPEND CMAKE_FIND_ROOT_PATH ${JIZDAVO_WEB_LIBRARIES})
# pkg-config finds the browser's libraries only, never the desktop's.
set(ENV{PKG_CONFIG_LIBDIR} ${JIZDAVO_WEB_LIBRARIES}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# Debian's emscripten brings libc++ 13: what it lacks of C++20 comes from our own header. Its
# wasm32 has a 32-bit size_t, which the streamed sound's reads (sizes under 64 KiB held in 64-bit
# counts) narrow into.
set(CMAKE_CXX_FLAGS_INIT "-include ${CMAKE_CURRENT_LIST_DIR}/../src/platform/web/libcxx_compat.h -Wno-c++11-narrowing")

# The page has no fontconfig and runs no tests; its pixel loops are the plain ones.
set(JIZDAVO_BUNDLED_FONTS ON CACHE BOOL "" FORCE)
set(JIZDAVO_TESTS OFF CACHE BOOL "" FORCE)
set(JIZDAVO_BENCH OFF CACHE BOOL "" FORCE)
set(JIZDAVO_VECTOR_LOOPS OFF CACHE BOOL "" FORCE)
set(CMAKE_BUILD_TYPE Release CACHE STRING "" FORCE)
