// Command arguments ("x", "Front", "left") are compared after converting them to upper case.
#pragma once

#include <cctype>
#include <string>

namespace kubisto {

inline std::string ToUpperAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace kubisto
