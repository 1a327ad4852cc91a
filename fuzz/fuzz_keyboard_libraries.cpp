// The phonetic, reverse and typewriter conversions on arbitrary bytes, both
// directly and through the built libraries as the module calls them: no
// output beyond the contract's 2n + 32 bytes, and every ISCII word comes back
// from its key text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "family/keyboards/phonetic_scheme.h"
#include "family/keyboards/typewriter_rules.h"
#include "fuzz/fuzz_check.h"
#include "keyboard/keyboard_library.h"
#include "sim/sim_platform.h"

using namespace vexa;

namespace {

struct Libraries {
    sim::SimPlatform platform{VEXA_FAMILY_DIR};
    keyboard::KeyboardBinding phonetic;
    keyboard::KeyboardBinding typewriter;

    Libraries() {
        platform::EntryAddress a = nullptr;
        FUZZ_CHECK(keyboard::BindKeyboardEntry(platform, "pe1lay32.dll", "make_iscii", a) ==
                   keyboard::EntryLoad::Bound);
        phonetic.makeIscii = reinterpret_cast<VexaMakeIsciiFn>(a);
        FUZZ_CHECK(keyboard::BindKeyboardEntry(platform, "rc2as32.dll", "Iscii2Ascii", a) ==
                   keyboard::EntryLoad::Bound);
        phonetic.iscii2Ascii = reinterpret_cast<VexaIscii2AsciiFn>(a);
        FUZZ_CHECK(keyboard::BindKeyboardEntry(platform, "bn1lay32.dll", "make_iscii", a) ==
                   keyboard::EntryLoad::Bound);
        typewriter.makeIscii = reinterpret_cast<VexaMakeIsciiFn>(a);
    }
};

bool AllIscii(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) < 0xA0) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Libraries libraries;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view word = input.substr(0, input.find('\0'));
    std::size_t limit = 2 * word.size() + 32;

    // Directly: the conversions never fail, and the reverse fits its limit.
    std::string keys = family::phonetic::SpellIscii(word, limit);
    FUZZ_CHECK(keys.size() < limit);
    if (AllIscii(word)) FUZZ_CHECK(family::phonetic::MakeIscii(keys) == word);
    family::phonetic::MakeIscii(input);
    family::typewriter::MakeIscii(input, {true, true});

    // Through the libraries, as the module calls them.
    std::string iscii = libraries.phonetic.Convert(input);
    FUZZ_CHECK(iscii.size() < limit);
    std::string reverse = libraries.phonetic.Reverse(input);
    FUZZ_CHECK(reverse.size() < limit);
    if (AllIscii(word)) FUZZ_CHECK(libraries.phonetic.Convert(reverse) == word);
    FUZZ_CHECK(libraries.typewriter.Convert(input).size() < limit);
    return 0;
}
