#pragma once

#include <string_view>

namespace vexa::platform {

// True when the last component of `path` (after its last '\' or '/') names a
// device on Windows, which opens the device instead of a file in every
// folder: CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM0-9 and LPT0-9 (also with
// the superscript digits 1, 2 and 3), in any case, with any extension, and
// with trailing dots or spaces. Such a name must be refused before anything
// asks the file system about it: opening a serial port or the console may
// never return.
//
// The byte form takes Windows-1252 text (the superscripts are 0xB9, 0xB2 and
// 0xB3); the UTF-16 form the same characters U+00B9, U+00B2 and U+00B3.
bool IsReservedDeviceName(std::string_view path);
bool IsReservedDeviceName(std::u16string_view path);

}  // namespace vexa::platform
