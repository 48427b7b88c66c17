#pragma once
// The media libraries' own text for their error codes, and errors raised with it.

#include <string>

namespace jizdavo {

std::string AvErrorText(int code);
// Raises an Error with that text for a negative result.
void CheckAv(int result);

}  // namespace jizdavo
