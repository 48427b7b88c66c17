// Feeds arbitrary bytes to the pointer file reader; whatever it accepts must be a consistent picture.
#include <cstdlib>

#include "platform/pictures/cursor_file.h"
#include "platform/error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  jizdavo::CursorImage cursor;
  try {
    cursor = jizdavo::DecodeCursor({data, size});
  } catch (const jizdavo::Error&) {
    return 0;
  }
  if (cursor.width <= 0 || cursor.height <= 0 || cursor.argb.size() != size_t(cursor.width) * cursor.height)
    std::abort();
  if (cursor.hot_x < 0 || cursor.hot_y < 0 || cursor.hot_x >= cursor.width || cursor.hot_y >= cursor.height)
    std::abort();
  return 0;
}
