// The reverse converter of the phonetic keyboard: "Iscii2Ascii" turns an
// ISCII word into key text from which "make_iscii" gives the word back.

#include <cstring>
#include <new>

#include "family_export.h"
#include "library_output.h"
#include "phonetic_scheme.h"

VEXA_FAMILY_EXPORT int VEXA_STDCALL Iscii2Ascii(const unsigned char* input, unsigned char* output) {
    if (output == nullptr) return 0;
    output[0] = 0;
    if (input == nullptr) return 0;
    std::size_t n = std::strlen(reinterpret_cast<const char*>(input));
    try {
        // A spelling that would not fit the caller's buffer is replaced by
        // the word itself, which "make_iscii" also reads back.
        std::string keys = vexa::family::phonetic::SpellIscii(
            {reinterpret_cast<const char*>(input), n}, VEXA_KEYBOARD_OUTPUT_SIZE(n));
        return vexa::family::PutOutput(keys, n, output);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}
