#pragma once

#include "module/automation_types.h"

namespace vexa::module {

// The automation catalogue of the module: every property, method and event of
// the seven controls, of the declared-only VComboBox and of the two dialog
// classes. The type library, the dispatch code and the registration all read
// this one table.
const TypeLibrary& Catalogue();

// Standard DispIDs used by the controls.
inline constexpr int kDispIdValue = 0;
inline constexpr int kDispIdBackColor = -501;
inline constexpr int kDispIdBorderStyle = -504;
inline constexpr int kDispIdForeColor = -513;
inline constexpr int kDispIdEnabled = -514;
inline constexpr int kDispIdHwnd = -515;
inline constexpr int kDispIdText = -517;
inline constexpr int kDispIdAppearance = -520;
inline constexpr int kDispIdAboutBox = -552;
inline constexpr int kDispIdClick = -600;
inline constexpr int kDispIdDblClick = -601;
inline constexpr int kDispIdKeyDown = -602;
inline constexpr int kDispIdKeyPress = -603;
inline constexpr int kDispIdKeyUp = -604;

}  // namespace vexa::module
