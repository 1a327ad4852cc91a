#pragma once

#include <string>
#include <string_view>

namespace vexa::common {

// The filter of the control's own text when it is loaded again (the stored
// text at window creation, and Undo): the host's 8-bit filter, widened to
// keep tabs, Vedic pairs (0xF0 followed by a byte from 0xA1 up) and the
// ISCII digits 0xF1 to 0xFA, which the control itself produces (the digits
// come from Unicode text and typing).
std::string FilterOwnText(std::string_view text);

}  // namespace vexa::common
