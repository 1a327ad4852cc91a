#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vexa::script {

// The forms in which a container reads and writes a control's text.
enum class IsciiDataFormat : int { EightBit = 0, SevenBit = 1, PcIscii = 2 };

inline constexpr std::string_view kInvalidFormatCaption = "VEdit Control";
inline constexpr std::string_view kInvalidFormatText = "Invalid property value for ISCIIDataFormat";
inline constexpr std::string_view kInvalidFormatHelpText =
    "Invalid property value for ISCIIDataFormat, see help documentation";

// Filter of text assigned in 8-bit form: a 0x1F, 0xEF or 0xF0 goes with the
// byte after it (alone when it is the last byte); a 0x0A gets a 0x0D before
// it unless it starts the text or follows one; line-end bytes 0x0D, 0x04,
// 0x05, 0x1D stay; of the rest only 0x20-0x7E and 0xA1-0xEA stay.
std::string FilterEightBitInput(std::string_view input);

// Filter of text assigned in 7-bit or PC-ISCII form, after decoding: the
// soft line ends a reader was given come back as what they stand for (0x04
// and 0x05 become spaces, 0x1D goes); 0x0D and 0x0A stay; 0x7F and the other
// bytes below 0x20 go.
std::string FilterDecodedInput(std::string_view decoded);

// The stored 8-bit text in `format`; nullopt for a format outside 0 to 2.
std::optional<std::string> StoredTextInFormat(std::string_view stored, int format);

// Text assigned in `format`, decoded and filtered, ready to be stored;
// nullopt for a format outside 0 to 2.
std::optional<std::string> AssignedTextFromFormat(std::string_view input, int format);

}  // namespace vexa::script
