#pragma once

#include "common/property_table.h"
#include "statics/static_logic.h"

namespace vexa::statics {

// Every property of the label: automation, stream, settings file, pages.
const common::PropertyTable<StaticLogic>& StaticPropertyTable();

}  // namespace vexa::statics
