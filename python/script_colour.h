// Colours as scripts name them: a Windows colour value 0x00BBGGRR, "#RRGGBB", or one of the six
// colours of the main window's colour menu by its English or Japanese name.
#pragma once

#include <cstdint>
#include <string>

namespace kubisto::script {

// The colour value of a name; throws std::invalid_argument for a name it does not know.
std::int32_t ColourFromName(const std::string& name);
// Checks a colour value; throws std::invalid_argument outside 0..0xFFFFFF.
std::int32_t ColourFromValue(long long value);

}  // namespace kubisto::script
