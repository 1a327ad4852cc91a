#pragma once

#include <oaidl.h>
#include <windows.h>

#include <string>
#include <string_view>

#include "module/automation_types.h"
#include "common/property_exchange.h"

namespace vexa::win32 {

// The property type an automation type is exchanged as.
common::PropertyType PropertyTypeOf(module::VarType t);

// Converts any argument (by value or by reference) to the wanted type;
// DISP_E_OVERFLOW when the number does not fit it, DISP_E_TYPEMISMATCH when
// it cannot be converted at all.
// How a control holds a text member: bytes of the ANSI code page (the
// controls' own 8-bit text), or UTF-8 for a member that must keep every
// character as the caller gave it (an address that is checked, never
// transformed into another one by a code page's best fit).
enum class TextCoding { Ansi, Utf8 };

HRESULT FromVariant(const VARIANT* in, common::PropertyType type, common::PropertyValue& out,
                    TextCoding coding = TextCoding::Ansi);
void ToVariant(const common::PropertyValue& value, VARIANT* out,
               TextCoding coding = TextCoding::Ansi);

// Automation strings are 8-bit inside the controls, one character per byte
// in the ANSI code page.
std::string FromBstr(BSTR text);
BSTR ToBstr(const std::string& text);
// UTF-16 to UTF-8 and back, every character kept.
std::string Utf8FromBstr(BSTR text);
BSTR BstrFromUtf8(const std::string& text);

// A GUID from its text without braces.
GUID Guid(std::string_view text);

}  // namespace vexa::win32
