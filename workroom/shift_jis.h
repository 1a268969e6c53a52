// Shift_JIS encoding of the text that the layout file carries in Shift_JIS: its title line.
#pragma once

#include <string>
#include <string_view>

namespace kubisto {

// Encodes UTF-8 text as Shift_JIS bytes. ASCII passes unchanged; of the other characters only
// those of the program's title are known. An unknown character or malformed UTF-8 throws
// std::invalid_argument.
std::string ToShiftJis(std::string_view utf8);

}  // namespace kubisto
