// The edit control and the Windows clipboard: Copy puts the selection as
// "ISCII8", plain text and Unicode text; Paste takes the Unicode text
// another program put there.

#include <ocidl.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/win/wintest_util.h"

using wintest::Check;
using wintest::GetText;
using wintest::IdOf;

namespace {

HRESULT Put(IDispatch* d, const wchar_t* name, VARIANT value) {
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &put, 1, 1};
    return d->Invoke(IdOf(d, name), IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                     nullptr);
}

HRESULT Call(IDispatch* d, const wchar_t* name) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    return d->Invoke(IdOf(d, name), IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr);
}

VARIANT Number(long n) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = n;
    return v;
}

// The bytes of a clipboard format, or "<none>".
std::string ClipboardBlock(UINT format) {
    std::string block = "<none>";
    if (!OpenClipboard(nullptr)) return "<not opened>";
    if (HANDLE h = GetClipboardData(format)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            block.assign(p, GlobalSize(h));
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return block;
}

std::string HexCode(HRESULT code) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08lX", static_cast<unsigned long>(code));
    return hex;
}

}  // namespace

void CheckClipboard(IDispatch* d) {
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"x\u00B3\u00DAy tail");  // the bytes x B3 DA y ...
    Check(SUCCEEDED(Put(d, L"Text", text)), "Text assigned");
    VariantClear(&text);
    Check(SUCCEEDED(Put(d, L"SelStart", Number(0))) && SUCCEEDED(Put(d, L"SelLength", Number(4))),
          "selection set");
    const HRESULT copied = Call(d, L"Copy");
    Check(copied == S_OK, "Copy succeeds: " + HexCode(copied));
    const std::string iscii = ClipboardBlock(RegisterClipboardFormatA("ISCII8"));
    Check(iscii == std::string("x\xB3\xDAy\0\0", 6), "ISCII8 holds the bytes and two zeros");
    const std::string unicode = ClipboardBlock(CF_UNICODETEXT);
    const std::string expected("x\0\x15\x09\x3E\x09y\0\0\0", 10);
    Check(unicode.compare(0, expected.size(), expected) == 0,
          "CF_UNICODETEXT is the Devanagari text");
    const std::string plain = ClipboardBlock(CF_TEXT);
    Check(plain.size() > 3 && plain.find('\x02') == std::string::npos &&
              plain.find('\x03') == std::string::npos && plain.find('\0') > 2,
          "CF_TEXT is font code without switch bytes");

    // Another program's Unicode text, pasted at the start.
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        const wchar_t other[] = L"\u0916 z";
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, sizeof other);
        std::memcpy(GlobalLock(h), other, sizeof other);
        GlobalUnlock(h);
        SetClipboardData(CF_UNICODETEXT, h);
        CloseClipboard();
    }
    Check(SUCCEEDED(Put(d, L"SelStart", Number(0))) && SUCCEEDED(Put(d, L"SelLength", Number(0))),
          "caret at the start");
    const HRESULT pasted = Call(d, L"Paste");
    Check(pasted == S_OK, "Paste succeeds: " + HexCode(pasted));
    Check(GetText(d, L"Text").rfind("\xB4 zx\xB3\xDAy", 0) == 0,
          "Unicode text pasted as ISCII: " + GetText(d, L"Text"));

    // Unicode text without a terminator: the block's size (GlobalSize) bounds
    // it and its last character is pasted too. The block has an odd byte
    // after its three characters: Wine 8 writes a zero over the last unit of
    // an unterminated text block, which here is that byte alone (an
    // even-sized block loses its last character inside Wine, before any
    // reader sees it).
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        const wchar_t unterminated[] = {L'q', L' ', L'\u0916', L'A'};
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 7);
        std::memcpy(GlobalLock(h), unterminated, 7);
        GlobalUnlock(h);
        SetClipboardData(CF_UNICODETEXT, h);
        CloseClipboard();
    }
    Check(SUCCEEDED(Put(d, L"SelStart", Number(0))) && SUCCEEDED(Put(d, L"SelLength", Number(0))),
          "caret at the start again");
    Check(Call(d, L"Paste") == S_OK, "Paste of unterminated text succeeds");
    Check(GetText(d, L"Text").rfind("q \xB4\xB4 z", 0) == 0,
          "every character of unterminated Unicode text pasted: " + GetText(d, L"Text"));

    // A clipboard held open elsewhere: Copy fails with the clipboard's error.
    if (OpenClipboard(nullptr)) {
        Check(SUCCEEDED(Put(d, L"SelLength", Number(2))), "selection set again");
        EXCEPINFO excep{};
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        const HRESULT busy = d->Invoke(IdOf(d, L"Copy"), IID_NULL, 0, DISPATCH_METHOD, &none,
                                       nullptr, &excep, nullptr);
        CloseClipboard();
        Check(FAILED(busy) && (busy == CLIPBRD_E_CANT_OPEN || excep.scode == CLIPBRD_E_CANT_OPEN),
              "Copy on a busy clipboard fails: " + HexCode(busy));
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
    }
}
