#pragma once

#include "captions/caption_logic.h"
#include "common/property_table.h"

namespace vexa::captions {

// Every property of one caption control kind: automation, stream order,
// settings file, pages.
const common::PropertyTable<CaptionLogic>& CaptionPropertyTable(CaptionKind kind);

// The kind's settings file ("VCheckBox.ini"), laid out by its table.
const defaults::SettingsLayout& CaptionSettingsLayout(CaptionKind kind);

}  // namespace vexa::captions
