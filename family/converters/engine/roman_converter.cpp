#include "engine/roman_converter.h"

#include <algorithm>

#include "engine/output_pairs.h"
#include "engine/syllable.h"

namespace vexa::family::engine {

namespace {

constexpr char16_t kInherentVowel = 0x0905;

class RomanWriter {
public:
    RomanWriter(std::span<const RomanLetter> letters, char* output)
        : letters_(letters), pairs_(output) {}

    void Letter(char16_t c) {
        auto it = std::lower_bound(letters_.begin(), letters_.end(), c,
                                   [](const RomanLetter& l, char16_t k) { return l.letter < k; });
        if (it == letters_.end() || it->letter != c) return;
        for (int i = 0; i < it->count && i < 4; ++i) pairs_.Add(it->codes[i], '1');
    }

private:
    std::span<const RomanLetter> letters_;
    OutputPairs pairs_;
};

}  // namespace

void ConvertSyllableToRoman(const Rules& rules, std::span<const RomanLetter> letters,
                            const unsigned char* source, char* output, int* consumed) {
    RomanWriter out(letters, output);
    if (source[0] == 0) {
        *consumed = 1;
        return;
    }
    const Syllable s = ReadSyllable(rules, source);
    *consumed = s.consumed;
    if (s.kind == Syllable::Kind::kStandalone) {
        out.Letter(s.letter);
    } else if (s.kind == Syllable::Kind::kCluster) {
        if (s.reph) out.Letter(rules.letters.ra);
        bool visible = false;
        for (char16_t c : s.Core()) {
            if (IsConsonant(rules, c)) {
                out.Letter(c);
                visible = true;
            }
        }
        if (s.matra) {
            out.Letter(s.matra);
        } else if (!s.finalVirama && visible && s.Core().back() != kZwj) {
            out.Letter(kInherentVowel);
        }
    }
    if (s.kind != Syllable::Kind::kNothing) {
        for (int i = 0; i < s.modifierCount; ++i) out.Letter(s.modifiers[i]);
    }
}

}  // namespace vexa::family::engine
