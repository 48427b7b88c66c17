#pragma once
// The one exception type the platform raises: an error carrying the message text the game shows.

#include <stdexcept>
#include <string>

namespace jizdavo {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace jizdavo
