#pragma once
// Crossing between the toolkit's strings and the standard ones used by the display-free code.
#include <fx.h>

#include <string>
#include <string_view>

inline std::string_view view(const FXString& s) {
  return std::string_view(s.text(), static_cast<size_t>(s.length()));
}
inline std::string str(const FXString& s) {
  return std::string(view(s));
}
inline FXString fx(std::string_view s) {
  return FXString(s.data(), static_cast<FXint>(s.size()));
}
