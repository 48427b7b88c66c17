#pragma once
// Date-time values as the game keeps its clocks: doubles counting days, one hour being 1/24.
// Times are shown and stored as "nn:ss:zzz" (minutes, seconds, milliseconds; hours dropped).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "state/game_state.h"

namespace jizdavo {

struct TimeParts {
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
};

// (h + (m + (s + ms / 1000) / 60) / 60) / 24.
TDateTime MakeTime(int hour, int minute, int second, int millisecond);

// The time of day of `value`, to the nearest millisecond (whole days are dropped).
TimeParts SplitTime(TDateTime value);

// `value` in whole milliseconds, rounded.
int64_t WholeMilliseconds(TDateTime value);

// "nn:ss:zzz", each part zero-padded.
std::string FormatTime(TDateTime value);

// Reads characters 1-2, 4-5 and 7-9 as minutes, seconds and milliseconds; the separators are not
// looked at. Nothing when the text is too short or a part is not a decimal number.
std::optional<TDateTime> ParseTime(std::string_view text);

}  // namespace jizdavo
