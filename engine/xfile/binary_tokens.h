// Token codes of the binary mesh file encoding (shared by its reader and writer).
#pragma once

#include <cstdint>

namespace engine::xfile {

inline constexpr uint16_t kTokName = 1;
inline constexpr uint16_t kTokString = 2;
inline constexpr uint16_t kTokInteger = 3;
inline constexpr uint16_t kTokGuid = 5;
inline constexpr uint16_t kTokIntegerList = 6;
inline constexpr uint16_t kTokFloatList = 7;
inline constexpr uint16_t kTokOBrace = 10;
inline constexpr uint16_t kTokCBrace = 11;
inline constexpr uint16_t kTokComma = 19;
inline constexpr uint16_t kTokSemicolon = 20;
inline constexpr uint16_t kTokTemplate = 31;

}  // namespace engine::xfile
