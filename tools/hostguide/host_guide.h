#pragma once

// The reference part of the guide for host developers (docs/host-guide.md),
// written from the automation catalogue and the class table so that it
// always names the members, DispIDs, types and values the module has.

#include <string>

#include "module/automation_types.h"

namespace vexa::hostguide {

// The whole page in Markdown.
std::string HostGuide(const module::TypeLibrary& library);

// How the page names an automation type ("Boolean", "OLE_COLOR", ...).
std::string TypeName(module::VarType type);

}  // namespace vexa::hostguide
