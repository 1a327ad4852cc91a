#pragma once

#include <string_view>

#include "win32/framework/class_factory.h"

namespace vexa::win32 {

// The creation function of a class of the class table (by its class name,
// "CVEditCtrl"), or null for a class this module does not build yet.
CreateObjectFn CreatorOf(std::string_view className);

}  // namespace vexa::win32
