#pragma once
// Read before every source of the page build (cmake/web.cmake): what the C++ library of Debian's
// emscripten (libc++ 13) lacks of C++20 and the game uses, written as the standard defines it.

#include <version>

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 14000
#include <cstring>
#include <type_traits>

namespace std {

template <class To, class From>
  requires(sizeof(To) == sizeof(From) && is_trivially_copyable_v<To> && is_trivially_copyable_v<From>)
To bit_cast(const From& from) noexcept {
  To to;
  memcpy(&to, &from, sizeof(To));
  return to;
}

}  // namespace std
#endif

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 15000
#include <algorithm>
#include <functional>
#include <iterator>

namespace std::ranges {

// The two-range form, with a comparison or without: the only one the game uses.
struct EqualRanges {
  template <class A, class B, class Same = std::equal_to<>>
  bool operator()(const A& a, const B& b, Same same = {}) const {
    return std::equal(std::begin(a), std::end(a), std::begin(b), std::end(b), same);
  }
};
inline constexpr EqualRanges equal{};

}  // namespace std::ranges
#endif
