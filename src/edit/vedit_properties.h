#pragma once

#include "common/property_table.h"
#include "edit/vedit_logic.h"

namespace vexa::edit {

// Every property of the edit control: automation, stream, settings file,
// pages. SelStart and SelLength belong to the window side (the caret).
const common::PropertyTable<VEditLogic>& VEditPropertyTable();

// "VEdit.ini", laid out by the table's settings-file rows.
const defaults::SettingsLayout& VEditSettingsLayout();
// The methods the logic answers; the rest are the window side's.
const common::MethodTable<VEditLogic>& VEditMethodTable();

}  // namespace vexa::edit
