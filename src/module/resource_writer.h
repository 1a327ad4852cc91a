#pragma once

#include <string>

namespace vexa::module {

// The string table of the module's resources (registered names).
std::string WriteStringTable();

// A 16 by 15 pixel, 16-colour toolbox bitmap of the control with the given
// bitmap id (1 to 7), as a .bmp file.
std::string WriteToolboxBitmap(int bitmapId);

}  // namespace vexa::module
