// vexa-unicode-text-bench: writing and reading 1 MB of text through VEdit's
// UnicodeText beside the same text through its ISCII Text, late bound
// through IDispatch as a script host calls them, in one process and one run.
//
//   vexa-unicode-text-bench [--size BYTES] [--rounds R]
//
// The text is Devanagari words and spaces with a line end every dozen words
// (ISCII for Text, the same text in UTF-16 for UnicodeText). The control is
// made without a window or site, so the figures are the conversion and the
// text replacement, not painting. The rounds alternate the two members, so
// that a busy machine slows both alike; each figure is the best round's.
// Run it under Wine with `make bench-win`.

#include <ocidl.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_clock.h"
#include "wintest_util.h"

namespace {

using wintest::IdOf;

// "namaste bharat " in ISCII and in UTF-16.
const char kIscii[] = "\xC6\xCC\xD7\xE8\xC2\xE1 \xCB\xDA\xCF\xC2 ";
const wchar_t kUnicode[] = L"\u0928\u092E\u0938\u094D\u0924\u0947 \u092D\u093E\u0930\u0924 ";

// Milliseconds to put `text` into the member, and to read it back; false
// when either call failed or the value read is not the value written.
bool Time(IDispatch* d, DISPID id, BSTR text, double& write, double& read) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = text;
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{&v, &put, 1, 1};
    double start = Now();
    HRESULT hr = d->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
    write = Now() - start;
    if (FAILED(hr)) return false;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT out;
    VariantInit(&out);
    start = Now();
    hr = d->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &out, nullptr, nullptr);
    read = Now() - start;
    const bool same = SUCCEEDED(hr) && out.vt == VT_BSTR && SysStringLen(out.bstrVal) >= SysStringLen(text) &&
                      SysStringLen(out.bstrVal) <= SysStringLen(text) + SysStringLen(text) / 10;
    VariantClear(&out);
    return same;
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t size = 1 << 20;
    int rounds = 15;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--size") size = std::strtoul(argv[i + 1], nullptr, 10);
        if (std::string(argv[i]) == "--rounds") rounds = std::atoi(argv[i + 1]);
    }
    OleInitialize(nullptr);
    CLSID clsid;
    IDispatch* d = nullptr;
    if (FAILED(CLSIDFromProgID(L"VEXAOCX.VEditCtrl", &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&d)))) {
        std::printf("FAIL: VEdit is not registered\n");
        return 1;
    }
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(L"Devanagari");
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{&v, &put, 1, 1};
    d->Invoke(IdOf(d, L"ScriptName"), IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
    VariantClear(&v);
    v.vt = VT_BOOL;
    v.boolVal = VARIANT_TRUE;
    d->Invoke(IdOf(d, L"MultiLine"), IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);

    // The same words in both forms, a line end after every dozen words.
    std::wstring iscii, unicode;
    for (int words = 1; iscii.size() < size; ++words) {
        for (const char* c = kIscii; *c; ++c) iscii += static_cast<wchar_t>(static_cast<unsigned char>(*c));
        unicode += kUnicode;
        if (words % 12 == 0) {
            iscii += L"\r\n";
            unicode += L"\r\n";
        }
    }
    BSTR isciiText = SysAllocStringLen(iscii.data(), static_cast<UINT>(iscii.size()));
    BSTR unicodeText = SysAllocStringLen(unicode.data(), static_cast<UINT>(unicode.size()));
    const DISPID text = IdOf(d, L"Text"), unicodeId = IdOf(d, L"UnicodeText");
    double best[4] = {1e30, 1e30, 1e30, 1e30};
    bool ok = true;
    for (int r = 0; r < rounds; ++r) {
        double w, rd;
        ok = Time(d, text, isciiText, w, rd) && ok;
        best[0] = std::min(best[0], w);
        best[1] = std::min(best[1], rd);
        ok = Time(d, unicodeId, unicodeText, w, rd) && ok;
        best[2] = std::min(best[2], w);
        best[3] = std::min(best[3], rd);
    }
    std::printf("VEdit, %zu bytes of ISCII (%zu UTF-16 units), best of %d rounds:\n", iscii.size(),
                unicode.size(), rounds);
    std::printf("  %-12s write %8.2f ms   read %8.2f ms\n", "Text", best[0], best[1]);
    std::printf("  %-12s write %8.2f ms   read %8.2f ms\n", "UnicodeText", best[2], best[3]);
    std::printf("  UnicodeText / Text: write %.2fx, read %.2fx\n", best[2] / best[0], best[3] / best[1]);
    SysFreeString(isciiText);
    SysFreeString(unicodeText);
    d->Release();
    OleUninitialize();
    if (!ok) std::printf("FAIL: a call failed or read back another length\n");
    return ok ? 0 : 1;
}
