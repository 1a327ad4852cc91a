#pragma once

#include <string>

#include "module/automation_types.h"

namespace vexa::module {

// The type library description in the IDL that widl compiles.
std::string WriteIdl(const TypeLibrary& library);

}  // namespace vexa::module
