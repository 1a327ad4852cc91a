// The phonetic keyboard library: "make_iscii" turns a word's key text into
// the ISCII word it spells.

#include <cstring>
#include <new>

#include "family_export.h"
#include "library_output.h"
#include "phonetic_scheme.h"

VEXA_FAMILY_EXPORT int VEXA_STDCALL make_iscii(const unsigned char* input, unsigned char* output) {
    if (output == nullptr) return 0;
    output[0] = 0;
    if (input == nullptr) return 0;
    std::size_t n = std::strlen(reinterpret_cast<const char*>(input));
    try {
        std::string word =
            vexa::family::phonetic::MakeIscii({reinterpret_cast<const char*>(input), n});
        return vexa::family::PutOutput(word, n, output);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}
