#pragma once

#include <oaidl.h>
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace vexa::win32 {

// Properties of any automation object by name: how property pages and the
// editors they host reach controls, whoever built them.
DISPID DispIdOf(IDispatch* object, std::string_view name);
// The property converted to `type`; a failure HRESULT when the object has
// no such property or refuses it.
HRESULT GetProperty(IDispatch* object, std::string_view name, VARTYPE type, VARIANT& out);
// Writes the property; on failure `why` holds "Name: description".
HRESULT PutProperty(IDispatch* object, std::string_view name, VARIANT& value, std::string& why);

std::optional<std::string> GetText(IDispatch* object, std::string_view name);
std::optional<long> GetNumber(IDispatch* object, std::string_view name);
bool PutText(IDispatch* object, std::string_view name, const std::string& text);
bool PutNumber(IDispatch* object, std::string_view name, long number, VARTYPE type = VT_I4);
bool PutBool(IDispatch* object, std::string_view name, bool value);

}  // namespace vexa::win32
