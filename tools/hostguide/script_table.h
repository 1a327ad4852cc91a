#pragma once

// The host guide's table of scripts: each row of the script catalogue with
// its converter libraries and the faces its text is drawn with, so that a
// host knows which fonts to install beside the libraries.

#include <ostream>

namespace vexa::hostguide {

void WriteScriptTable(std::ostream& out);

}  // namespace vexa::hostguide
