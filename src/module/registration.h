#pragma once

#include <string>
#include <vector>

#include "platform/registry_store.h"

namespace vexa::module {

// Writes the class keys of every implemented class of the class table (the
// others have no factory, so a host must not find them): the CLSID key with
// its name, the in-process server (apartment-threaded), the ProgID; for
// controls also the control, insertable, toolbox bitmap, misc status, type
// library and version keys. A versioned ProgID gets its version-independent
// twin beside it (with CurVer naming the versioned one). `modulePath` is the module's full file name. False at the first
// write that fails.
bool RegisterClasses(platform::RegistryStore& registry, const std::string& modulePath);

// Removes the keys of every class of the table, implemented or not, so that
// keys an earlier version of the module wrote go too. The ProgID key of the
// edit control keeps its "DefaultValues" subkey (the default values outlive
// unregistration), so only its own values and class subkeys go. The
// version-independent ProgID goes when its CurVer names this module's ProgID
// (or is missing): a newer module's registration stays.
bool UnregisterClasses(platform::RegistryStore& registry);

// The keys of this module's registration still present: class keys, ProgID
// keys and values (the kept default values aside), the type library and its
// interfaces. Empty after a complete unregistration.
std::vector<std::string> RegistrationLeftBehind(platform::RegistryStore& registry);

std::string BracedGuid(std::string_view guid);

// The ProgID without its version ("VEXAOCX.VEditCtrl" of "VEXAOCX.VEditCtrl.1"),
// which hosts use to create the current version; empty when the ProgID has no
// version number at its end.
std::string VersionIndependentProgId(std::string_view progId);

}  // namespace vexa::module
