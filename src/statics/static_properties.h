#pragma once

#include "common/property_table.h"
#include "statics/static_logic.h"

namespace vexa::statics {

// Every property of the label: automation, stream, settings file, pages.
const common::PropertyTable<StaticLogic>& StaticPropertyTable();

// "VStatic.ini", laid out by the table's settings-file rows; two numbers
// after them are reserved.
const defaults::SettingsLayout& StaticSettingsLayout();

}  // namespace vexa::statics
