#pragma once

#include "common/property_table.h"
#include "listbox/listbox_logic.h"

namespace vexa::listbox {

// Every property of the list box: automation, stream, settings file, pages.
const common::PropertyTable<ListBoxLogic>& ListBoxPropertyTable();

// "VListBox.ini", laid out by the table's settings-file rows.
const defaults::SettingsLayout& ListBoxSettingsLayout();
// Its methods but GetSelectedItems, which writes into the caller's array.
const common::MethodTable<ListBoxLogic>& ListBoxMethodTable();

}  // namespace vexa::listbox
