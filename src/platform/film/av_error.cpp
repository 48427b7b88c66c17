#include "platform/film/av_error.h"

#include "platform/error.h"

extern "C" {
#include <libavutil/error.h>
}

namespace jizdavo {

std::string AvErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

void CheckAv(int result) {
  if (result < 0) throw Error(AvErrorText(result));
}

}  // namespace jizdavo
