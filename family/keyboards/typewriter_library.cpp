// One typewriter keyboard library: "make_iscii" turns the key text of the
// script's typewriter layout into ISCII, "get_lay_name" gives the keyboard's
// display name. Built once per script with VEXA_TYPEWRITER_NAME and the
// composition flags defined.

#include <cstring>
#include <new>

#include "family_export.h"
#include "library_output.h"
#include "typewriter_rules.h"

#ifndef VEXA_TYPEWRITER_NAME
#error "VEXA_TYPEWRITER_NAME names the keyboard"
#endif
#ifndef VEXA_TYPEWRITER_LONG_A
#define VEXA_TYPEWRITER_LONG_A 0
#endif
#ifndef VEXA_TYPEWRITER_O
#define VEXA_TYPEWRITER_O 0
#endif

static_assert(sizeof(VEXA_TYPEWRITER_NAME) <= VEXA_LAY_NAME_SIZE, "display name too long");

VEXA_FAMILY_EXPORT int VEXA_STDCALL make_iscii(const unsigned char* input, unsigned char* output) {
    if (output == nullptr) return 0;
    output[0] = 0;
    if (input == nullptr) return 0;
    std::size_t n = std::strlen(reinterpret_cast<const char*>(input));
    try {
        vexa::family::typewriter::Rules rules{VEXA_TYPEWRITER_LONG_A != 0,
                                              VEXA_TYPEWRITER_O != 0};
        std::string word = vexa::family::typewriter::MakeIscii(
            {reinterpret_cast<const char*>(input), n}, rules);
        return vexa::family::PutOutput(word, n, output);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

VEXA_FAMILY_EXPORT int VEXA_STDCALL get_lay_name(char* output) {
    if (output == nullptr) return 0;
    std::memcpy(output, VEXA_TYPEWRITER_NAME, sizeof(VEXA_TYPEWRITER_NAME));
    return static_cast<int>(sizeof(VEXA_TYPEWRITER_NAME) - 1);
}
