#pragma once

#include <string_view>

#include "win32/framework/class_factory.h"

namespace vexa::win32 {

// The creation function of a property page class of the class table
// ("CVEditPropPage"), or null when the page table has no such page.
CreateObjectFn PageCreatorOf(std::string_view className);

}  // namespace vexa::win32

#include <vector>

namespace vexa::win32 {

// The CLSIDs of the pages a control lists, in order ("VEdit": general,
// more properties, about).
std::vector<std::string_view> PageClsidsOf(std::string_view controlName);

}  // namespace vexa::win32
