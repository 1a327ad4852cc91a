#include "phonetic_scheme.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vexa::family::phonetic {

namespace {

enum class Kind : std::uint8_t {
    Vowel,      // independent form, vowel sign (0 for the inherent a)
    Consonant,  // the consonant's bytes
    Modifier,   // candrabindu, anusvara, visarga
    Virama,
    Nukta,
    Other,      // bytes emitted as they are
    Separator,  // "_": ends a consonant, joins nothing
};

struct Token {
    std::string_view keys;
    Kind kind;
    std::array<unsigned char, 4> bytes;  // Vowel: {independent, sign}
};

constexpr unsigned char kVirama = 0xE8;
constexpr unsigned char kNukta = 0xE9;

// The first spelling listed for a byte is the one the reverse uses.
constexpr Token kTokens[] = {
    // Vowels: independent form, then sign.
    {"a", Kind::Vowel, {0xA4, 0x00}},
    {"aa", Kind::Vowel, {0xA5, 0xDA}},
    {"A", Kind::Vowel, {0xA5, 0xDA}},
    {"i", Kind::Vowel, {0xA6, 0xDB}},
    {"ii", Kind::Vowel, {0xA7, 0xDC}},
    {"I", Kind::Vowel, {0xA7, 0xDC}},
    {"u", Kind::Vowel, {0xA8, 0xDD}},
    {"uu", Kind::Vowel, {0xA9, 0xDE}},
    {"U", Kind::Vowel, {0xA9, 0xDE}},
    {"RRi", Kind::Vowel, {0xAA, 0xDF}},
    {"R^i", Kind::Vowel, {0xAA, 0xDF}},
    {"^e", Kind::Vowel, {0xAB, 0xE0}},
    {"e", Kind::Vowel, {0xAC, 0xE1}},
    {"ai", Kind::Vowel, {0xAD, 0xE2}},
    {"E", Kind::Vowel, {0xAE, 0xE3}},
    {"^o", Kind::Vowel, {0xAF, 0xE4}},
    {"o", Kind::Vowel, {0xB0, 0xE5}},
    {"au", Kind::Vowel, {0xB1, 0xE6}},
    {"O", Kind::Vowel, {0xB2, 0xE7}},
    // Consonants.
    {"k", Kind::Consonant, {0xB3}},
    {"kh", Kind::Consonant, {0xB4}},
    {"g", Kind::Consonant, {0xB5}},
    {"gh", Kind::Consonant, {0xB6}},
    {"~N", Kind::Consonant, {0xB7}},
    {"ch", Kind::Consonant, {0xB8}},
    {"Ch", Kind::Consonant, {0xB9}},
    {"chh", Kind::Consonant, {0xB9}},
    {"j", Kind::Consonant, {0xBA}},
    {"jh", Kind::Consonant, {0xBB}},
    {"~n", Kind::Consonant, {0xBC}},
    {"T", Kind::Consonant, {0xBD}},
    {"Th", Kind::Consonant, {0xBE}},
    {"D", Kind::Consonant, {0xBF}},
    {"Dh", Kind::Consonant, {0xC0}},
    {"N", Kind::Consonant, {0xC1}},
    {"t", Kind::Consonant, {0xC2}},
    {"th", Kind::Consonant, {0xC3}},
    {"d", Kind::Consonant, {0xC4}},
    {"dh", Kind::Consonant, {0xC5}},
    {"n", Kind::Consonant, {0xC6}},
    {"^n", Kind::Consonant, {0xC7}},
    {"p", Kind::Consonant, {0xC8}},
    {"ph", Kind::Consonant, {0xC9}},
    {"b", Kind::Consonant, {0xCA}},
    {"bh", Kind::Consonant, {0xCB}},
    {"m", Kind::Consonant, {0xCC}},
    {"y", Kind::Consonant, {0xCD}},
    {"Y", Kind::Consonant, {0xCE}},
    {"r", Kind::Consonant, {0xCF}},
    {"^r", Kind::Consonant, {0xD0}},
    {"l", Kind::Consonant, {0xD1}},
    {"L", Kind::Consonant, {0xD2}},
    {"^L", Kind::Consonant, {0xD3}},
    {"v", Kind::Consonant, {0xD4}},
    {"w", Kind::Consonant, {0xD4}},
    {"sh", Kind::Consonant, {0xD5}},
    {"Sh", Kind::Consonant, {0xD6}},
    {"shh", Kind::Consonant, {0xD6}},
    {"s", Kind::Consonant, {0xD7}},
    {"h", Kind::Consonant, {0xD8}},
    {"&", Kind::Consonant, {0xD9}},
    // Consonants with nukta, and the two common conjuncts.
    {"q", Kind::Consonant, {0xB3, kNukta}},
    {"K", Kind::Consonant, {0xB4, kNukta}},
    {"G", Kind::Consonant, {0xB5, kNukta}},
    {"z", Kind::Consonant, {0xBA, kNukta}},
    {".D", Kind::Consonant, {0xBF, kNukta}},
    {".Dh", Kind::Consonant, {0xC0, kNukta}},
    {"f", Kind::Consonant, {0xC9, kNukta}},
    {"x", Kind::Consonant, {0xB3, kVirama, 0xD6}},
    {"GY", Kind::Consonant, {0xBA, kVirama, 0xBC}},
    // Signs and marks.
    {".N", Kind::Modifier, {0xA1}},
    {"M", Kind::Modifier, {0xA2}},
    {".n", Kind::Modifier, {0xA2}},
    {"H", Kind::Modifier, {0xA3}},
    {".h", Kind::Virama, {kVirama}},
    {".z", Kind::Nukta, {kNukta}},
    {".a", Kind::Other, {0xEA, kNukta}},
    {"OM", Kind::Other, {0xA1, kNukta}},
    {"|", Kind::Other, {0xEA}},
    {"#0", Kind::Other, {0xF1}},
    {"#1", Kind::Other, {0xF2}},
    {"#2", Kind::Other, {0xF3}},
    {"#3", Kind::Other, {0xF4}},
    {"#4", Kind::Other, {0xF5}},
    {"#5", Kind::Other, {0xF6}},
    {"#6", Kind::Other, {0xF7}},
    {"#7", Kind::Other, {0xF8}},
    {"#8", Kind::Other, {0xF9}},
    {"#9", Kind::Other, {0xFA}},
    {"_", Kind::Separator, {}},
};

constexpr std::size_t kLongestToken = 3;
constexpr std::string_view kEnglishMark = "##";

std::size_t ByteCount(const Token& token) {
    std::size_t n = 0;
    while (n < token.bytes.size() && token.bytes[n] != 0) ++n;
    return n;
}

// The tokens by their first character, longest first, so that a match
// looks at a handful of tokens instead of all of them.
struct TokenIndex {
    std::array<std::vector<const Token*>, 128> byFirst;

    TokenIndex() {
        for (std::size_t length = kLongestToken; length > 0; --length) {
            for (const Token& token : kTokens) {
                if (token.keys.size() == length) {
                    byFirst[static_cast<unsigned char>(token.keys[0])].push_back(&token);
                }
            }
        }
    }
};

// The longest token at the start of `keys`, or null.
const Token* Match(std::string_view keys) {
    static const TokenIndex index;
    auto first = static_cast<unsigned char>(keys[0]);
    if (first >= index.byFirst.size()) return nullptr;
    for (const Token* token : index.byFirst[first]) {
        if (keys.substr(0, token->keys.size()) == token->keys) return token;
    }
    return nullptr;
}

bool IsIscii(unsigned char b) { return b >= 0xA0; }
bool IsConsonant(unsigned char b) { return b >= 0xB3 && b <= 0xD9; }
bool IsSign(unsigned char b) { return b >= 0xDA && b <= 0xE7; }

// Reads key text into ISCII. Bytes of 0xA0 and above are taken literally.
class Reader {
public:
    std::string Read(std::string_view keys) {
        std::size_t i = 0;
        while (i < keys.size()) {
            auto b = static_cast<unsigned char>(keys[i]);
            if (keys.substr(i, 2) == kEnglishMark) {
                Flush(true);
                std::size_t end = keys.find(kEnglishMark, i + 2);
                if (end == std::string_view::npos) end = keys.size();
                out_.append(keys.substr(i + 2, end - i - 2));
                i = end + 2;
                continue;
            }
            if (IsIscii(b)) {
                Literal(b);
                ++i;
                continue;
            }
            const Token* token = Match(keys.substr(i));
            if (token == nullptr) {
                Flush(true);
                out_ += static_cast<char>(b);  // English, as it stands
                ++i;
                continue;
            }
            Apply(*token);
            i += token->keys.size();
        }
        Flush(true);
        return std::move(out_);
    }

private:
    void Flush(bool withVirama) {
        if (pending_.empty()) return;
        out_ += pending_;
        if (withVirama) out_ += static_cast<char>(kVirama);
        pending_.clear();
    }

    void Emit(const Token& token) {
        out_.append(reinterpret_cast<const char*>(token.bytes.data()), ByteCount(token));
    }

    void Literal(unsigned char b) {
        if (!pending_.empty() && b == kNukta) {
            pending_ += static_cast<char>(b);
            return;
        }
        Flush(!(IsSign(b) || b == kVirama));
        out_ += static_cast<char>(b);
    }

    void Apply(const Token& token) {
        switch (token.kind) {
            case Kind::Vowel:
                if (pending_.empty()) {
                    out_ += static_cast<char>(token.bytes[0]);
                } else {
                    Flush(false);
                    if (token.bytes[1] != 0) out_ += static_cast<char>(token.bytes[1]);
                }
                return;
            case Kind::Consonant:
                Flush(true);
                pending_.assign(reinterpret_cast<const char*>(token.bytes.data()),
                                ByteCount(token));
                return;
            case Kind::Virama:
                if (pending_.empty()) {
                    out_ += static_cast<char>(kVirama);
                } else {
                    Flush(true);
                }
                return;
            case Kind::Nukta:
                if (pending_.empty()) {
                    out_ += static_cast<char>(kNukta);
                } else {
                    pending_ += static_cast<char>(kNukta);
                }
                return;
            case Kind::Separator: Flush(true); return;
            case Kind::Modifier:
            case Kind::Other: Flush(true); Emit(token); return;
        }
    }

    std::string out_;
    std::string pending_;  // a consonant still waiting for its vowel
};

// The reverse uses the first spelling listed for each byte.
const Token* SpellingOf(Kind kind, unsigned char b, int column = 0) {
    for (const Token& token : kTokens) {
        if (token.kind != kind || ByteCount(token) == 0) continue;
        if (kind == Kind::Consonant && ByteCount(token) != 1) continue;
        if (token.bytes[static_cast<std::size_t>(column)] == b) return &token;
    }
    return nullptr;
}

const Token* OtherSpelling(unsigned char first, unsigned char second) {
    for (const Token& token : kTokens) {
        if (token.kind != Kind::Other) continue;
        std::size_t n = ByteCount(token);
        if (token.bytes[0] != first) continue;
        if (n == 1 || (n == 2 && token.bytes[1] == second)) return &token;
    }
    return nullptr;
}

struct Piece {
    std::string keys;
    std::string bytes;
};

// One spelled piece of the word starting at `at`.
Piece NextPiece(std::string_view w, std::size_t at) {
    auto byte = [&](std::size_t i) -> unsigned char {
        return i < w.size() ? static_cast<unsigned char>(w[i]) : 0;
    };
    unsigned char b = byte(at);
    Piece piece;
    if (!IsIscii(b)) {
        std::size_t end = at;
        while (end < w.size() && !IsIscii(byte(end))) ++end;
        piece.bytes = std::string(w.substr(at, end - at));
        bool plain = Reader().Read(piece.bytes) == piece.bytes &&
                     piece.bytes.find('#') == std::string::npos;
        piece.keys = plain ? piece.bytes : std::string(kEnglishMark) + piece.bytes +
                                               std::string(kEnglishMark);
        return piece;
    }
    if (b == kVirama || b == kNukta) {
        const Token* t = SpellingOf(b == kVirama ? Kind::Virama : Kind::Nukta, b);
        return {std::string(t->keys), std::string(1, static_cast<char>(b))};
    }
    if (const Token* t = SpellingOf(Kind::Consonant, b); t != nullptr && IsConsonant(b)) {
        piece.keys = t->keys;
        piece.bytes += static_cast<char>(b);
        std::size_t j = at + 1;
        if (byte(j) == kNukta) {
            piece.keys += SpellingOf(Kind::Nukta, kNukta)->keys;
            piece.bytes += static_cast<char>(kNukta);
            ++j;
        }
        unsigned char next = byte(j);
        if (next == kVirama) {
            piece.bytes += static_cast<char>(kVirama);
            unsigned char after = byte(j + 1);
            // A second virama or a nukta after it must not attach to this
            // consonant, so its own virama is written out.
            if (after == kVirama || after == kNukta) {
                piece.keys += SpellingOf(Kind::Virama, kVirama)->keys;
            }
        } else if (const Token* sign = SpellingOf(Kind::Vowel, next, 1);
                   sign != nullptr && IsSign(next)) {
            piece.keys += sign->keys;
            piece.bytes += static_cast<char>(next);
        } else {
            piece.keys += "a";
        }
        return piece;
    }
    const Token* t = OtherSpelling(b, byte(at + 1));
    if (t == nullptr) t = SpellingOf(Kind::Vowel, b, 0);
    if (t == nullptr) t = SpellingOf(Kind::Modifier, b);
    if (t != nullptr) {
        std::size_t n = t->kind == Kind::Other ? ByteCount(*t) : 1;
        return {std::string(t->keys), std::string(w.substr(at, n))};
    }
    // No spelling: the byte itself, which the reader takes literally.
    return {std::string(1, static_cast<char>(b)), std::string(1, static_cast<char>(b))};
}

}  // namespace

std::string SpellIscii(std::string_view iscii, std::size_t limit) {
    std::string keys;
    Piece previous;
    std::size_t at = 0;
    while (at < iscii.size()) {
        Piece piece = NextPiece(iscii, at);
        at += piece.bytes.size();
        // Two spellings that run together into another reading (k + ha
        // reads kha) are kept apart by the separator.
        if (!previous.keys.empty() &&
            Reader().Read(previous.keys + piece.keys) != previous.bytes + piece.bytes) {
            keys += '_';
        }
        keys += piece.keys;
        previous = std::move(piece);
    }
    if (keys.size() >= limit || Reader().Read(keys) != iscii) return std::string(iscii);
    return keys;
}

std::string MakeIscii(std::string_view keys) {
    std::string expanded;
    std::size_t at = 0;
    while (at < keys.size()) {
        std::size_t end = at;
        bool iscii = IsIscii(static_cast<unsigned char>(keys[at]));
        while (end < keys.size() && IsIscii(static_cast<unsigned char>(keys[end])) == iscii) ++end;
        std::string_view run = keys.substr(at, end - at);
        expanded += iscii ? SpellIscii(run, std::string::npos) : std::string(run);
        at = end;
    }
    return Reader().Read(expanded);
}

}  // namespace vexa::family::phonetic
