#pragma once

#include <oaidl.h>

#include <windows.h>

#include <string>

namespace vexa::win32 {

// The module's own instance handle and the counts DllCanUnloadNow answers
// from: live objects and server locks.
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);
std::string ModulePath();

void ObjectCreated();
void ObjectDestroyed();
void LockServer(bool lock);
bool CanUnload();

// GUID text without braces ("A220A051-...") to a GUID; false when malformed.
bool ParseGuid(const std::string& text, GUID& guid);
std::string GuidText(const GUID& guid);  // without braces, upper case

// The type library embedded in the module, loaded once (null when the
// module has none).
ITypeLib* ModuleTypeLibrary();

}  // namespace vexa::win32
