#pragma once

#include "common/text_bytes.h"

namespace vexa::edit {
// The edit control works in the controls' shared text conventions.
using namespace vexa::common::text;
}  // namespace vexa::edit
