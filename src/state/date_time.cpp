#include "state/date_time.h"

#include <cmath>
#include <cstdio>

namespace jizdavo {

namespace {

constexpr int64_t MsPerDay = 24LL * 60 * 60 * 1000;

std::optional<int> ParseDigits(std::string_view digits) {
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

TDateTime MakeTime(int hour, int minute, int second, int millisecond) {
  return (hour + (minute + (second + millisecond / 1000.0) / 60.0) / 60.0) / 24.0;
}

TimeParts SplitTime(TDateTime value) {
  // Rounding to whole milliseconds first keeps T(0, 1, 0, 0) from splitting into 0:59.999.
  int64_t ms = std::llround(std::fabs(value) * MsPerDay) % MsPerDay;
  TimeParts parts;
  parts.Hour = static_cast<int>(ms / 3600000);
  parts.Minute = static_cast<int>(ms / 60000 % 60);
  parts.Second = static_cast<int>(ms / 1000 % 60);
  parts.Millisecond = static_cast<int>(ms % 1000);
  return parts;
}

int64_t WholeMilliseconds(TDateTime value) { return std::llround(value * MsPerDay); }

std::string FormatTime(TDateTime value) {
  TimeParts p = SplitTime(value);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%03d", p.Minute, p.Second, p.Millisecond);
  return text;
}

std::optional<TDateTime> ParseTime(std::string_view text) {
  if (text.size() < 9) return std::nullopt;
  auto minute = ParseDigits(text.substr(0, 2));
  auto second = ParseDigits(text.substr(3, 2));
  auto millisecond = ParseDigits(text.substr(6, 3));
  if (!minute || !second || !millisecond) return std::nullopt;
  return MakeTime(0, *minute, *second, *millisecond);
}

}  // namespace jizdavo
