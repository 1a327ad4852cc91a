#pragma once

#include <cstddef>
#include <string_view>

namespace vexa::platform {

// Why an address is not opened. A control's URL comes from any script or
// saved page, so only plain web and mail addresses ever reach the shell:
// never a program, a file, a network share or a script URL.
enum class AddressVerdict {
    Accepted,
    Empty,
    TooLong,            // longer than kMaxWebAddress
    ForbiddenCharacter, // control characters, spaces, quotes, backslashes, non-ASCII...
    BadEscape,          // "%" not followed by two hex digits
    SchemeNotAllowed,   // anything but http:, https: and mailto:
    BadHost,            // http(s) without "//host", with user information, or a bad port
    BadMailAddress,     // mailto: without an address, or with a parameter other than the usual five
};

inline constexpr std::size_t kMaxWebAddress = 2048;

// Accepts an absolute "http://host...", "https://host..." or
// "mailto:someone..." address (scheme in any case), made only of the
// characters a URL may hold. The address is opened exactly as given.
AddressVerdict CheckWebAddress(std::string_view address);

inline bool IsWebAddress(std::string_view address) {
    return CheckWebAddress(address) == AddressVerdict::Accepted;
}

}  // namespace vexa::platform
