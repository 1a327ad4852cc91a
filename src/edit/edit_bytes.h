#pragma once

#include "controls/text_bytes.h"

namespace vexa::edit {
// The edit control works in the controls' shared text conventions.
using namespace vexa::controls::text;
}  // namespace vexa::edit
