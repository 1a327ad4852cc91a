#include "platform/device_names.h"

#include <initializer_list>
#include <type_traits>

namespace vexa::platform {

namespace {

template <class Char>
unsigned Unit(Char c) {
    return static_cast<std::make_unsigned_t<Char>>(c);
}

template <class Char>
bool SameLetters(std::basic_string_view<Char> text, std::string_view upper) {
    if (text.size() != upper.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned c = Unit(text[i]);
        if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
        if (c != static_cast<unsigned char>(upper[i])) return false;
    }
    return true;
}

bool IsDeviceDigit(unsigned c) {
    return (c >= '0' && c <= '9') || c == 0xB9 || c == 0xB2 || c == 0xB3;
}

template <class Char>
bool IsReserved(std::basic_string_view<Char> path) {
    // The last component of the path.
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (Unit(path[i]) == '\\' || Unit(path[i]) == '/') start = i + 1;
    }
    std::basic_string_view<Char> name = path.substr(start);
    // Windows drops trailing dots and spaces of a name; what stands before
    // the first dot (or a colon), less its trailing spaces, names the device.
    while (!name.empty() && (Unit(name.back()) == '.' || Unit(name.back()) == ' '))
        name.remove_suffix(1);
    std::size_t end = 0;
    while (end < name.size() && Unit(name[end]) != '.' && Unit(name[end]) != ':') ++end;
    std::basic_string_view<Char> base = name.substr(0, end);
    while (!base.empty() && Unit(base.back()) == ' ') base.remove_suffix(1);

    for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (SameLetters(base, device)) return true;
    }
    if (base.size() != 4 || !IsDeviceDigit(Unit(base[3]))) return false;
    return SameLetters(base.substr(0, 3), "COM") || SameLetters(base.substr(0, 3), "LPT");
}

}  // namespace

bool IsReservedDeviceName(std::string_view path) { return IsReserved(path); }

bool IsReservedDeviceName(std::u16string_view path) { return IsReserved(path); }

}  // namespace vexa::platform
