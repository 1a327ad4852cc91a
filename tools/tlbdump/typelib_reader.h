#pragma once

#include <oaidl.h>

#include "module/typelib_model.h"

// Reads every type of a loaded type library through ITypeLib and ITypeInfo,
// the way a host's object browser does. Restricted functions (the IDispatch
// plumbing) are left out.
vexa::module::TlbLibrary ReadTypeLibrary(ITypeLib* library);
