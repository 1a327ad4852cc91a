// The Unicode conversion on arbitrary bytes and arbitrary UTF-16 (what other
// programs put on the clipboard): bounded output, no surrogate or NUL made up,
// and ISCII that went there and back once stays as it is.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "script/unicode_text.h"

using namespace vexa::script;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto script = static_cast<UnicodeScript>(data[0] % 12);
    const std::string_view iscii(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::u16string text = IsciiToUnicode(iscii, script);
    FUZZ_CHECK(text.size() <= 2 * iscii.size());
    const bool hadNul = iscii.find('\0') != std::string_view::npos;
    for (char16_t c : text) {
        FUZZ_CHECK(c < 0xD800 || c > 0xDFFF);
        FUZZ_CHECK(c != 0 || hadNul);
    }
    const IsciiFromUnicode back = UnicodeToIscii(text, script);
    FUZZ_CHECK(back.iscii.size() <= 2 * text.size());
    FUZZ_CHECK(back.dropped <= text.size());
    const IsciiFromUnicode again = UnicodeToIscii(IsciiToUnicode(back.iscii, script), script);
    FUZZ_CHECK(again.iscii == back.iscii);
    FUZZ_CHECK(again.dropped == 0);

    // The same bytes read as UTF-16, as a clipboard block would be.
    std::u16string units;
    for (std::size_t i = 1; i + 1 < size; i += 2)
        units += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    const IsciiFromUnicode pasted = UnicodeToIscii(units, script);
    FUZZ_CHECK(pasted.iscii.size() <= 2 * units.size());
    FUZZ_CHECK(pasted.dropped <= units.size());
    return 0;
}
