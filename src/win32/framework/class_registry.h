#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "defaults/settings_record.h"
#include "win32/framework/class_factory.h"

namespace vexa::win32 {

// A class the module builds, by the class table's name ("CVEditCtrl",
// "CVEditPropPage").
struct ClassCreator {
    std::string_view className;
    CreateObjectFn create;
};

// Every class of the module with its creator: the controls and the
// property pages. Defined once, by the module (src/win32/module_classes.cpp),
// the one place that knows both.
std::span<const ClassCreator> ModuleClasses();

// The creation function of a class, or null for a class this module does
// not build.
CreateObjectFn CreatorOf(std::string_view className);

// The CLSIDs of the pages a control lists, in order ("VEdit": general,
// more properties, about).
std::vector<std::string_view> PageClsidsOf(std::string_view controlName);

// The layout of a control's settings file ("VEdit": "VEdit.ini"), from its
// property table; null for a name that is not a control of the module.
// Defined with ModuleClasses.
const defaults::SettingsLayout* SettingsLayoutOf(std::string_view controlName);

}  // namespace vexa::win32
