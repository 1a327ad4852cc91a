#pragma once

#include <string>

#include "module/automation_types.h"

namespace vexa::module {

// The identifiers hosts know the standard colour and handle types by.
inline constexpr std::string_view kOleColorGuid = "66504301-BE0F-101A-8BBB-00AA00300CAB";
inline constexpr std::string_view kOleHandleGuid = "66504313-BE0F-101A-8BBB-00AA00300CAB";

// The name an automation type has in the IDL and in the compiled library,
// as a host reads it back ("OLE_COLOR" for colours).
const char* IdlType(VarType type);

// The type library description in the IDL that widl compiles. Classes the
// class table does not implement are declared noncreatable.
std::string WriteIdl(const TypeLibrary& library);

}  // namespace vexa::module
