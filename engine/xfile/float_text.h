// Floats to and from text as std::to_chars and std::from_chars do (shortest text that reads back as
// the same float; decimal and "inf"/"nan" reading). Where the standard library has the
// floating-point forms they do the work; libc++ 13 (the web build's) has only the integer ones, and
// there a stand-in written on snprintf and strtod gives the same text and the same values.
#pragma once

#include <charconv>

namespace engine::xfile {

std::to_chars_result FloatToChars(char* first, char* last, float value);
std::from_chars_result FloatFromChars(const char* first, const char* last, float& value);
std::from_chars_result DoubleFromChars(const char* first, const char* last, double& value);

// The stand-in itself, built everywhere so that its tests compare it with the standard functions.
namespace standin {
std::to_chars_result FloatToChars(char* first, char* last, float value);
std::from_chars_result FloatFromChars(const char* first, const char* last, float& value);
std::from_chars_result DoubleFromChars(const char* first, const char* last, double& value);
}  // namespace standin

}  // namespace engine::xfile
