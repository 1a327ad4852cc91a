#pragma once

#include <vector>

#include "win32/framework/class_registry.h"

namespace vexa::win32 {

// The property page classes, one per row of the page table, by their class
// table names.
std::vector<ClassCreator> PageClasses();

}  // namespace vexa::win32
