#include "tibetan/tibetan_converter.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "engine/output_pairs.h"

namespace vexa::family::tibetan {

namespace {

constexpr unsigned char kCaretMark = 0x01;
constexpr unsigned char kSpace = 0x20;
constexpr char16_t kAChung = 0x0F71;
constexpr char16_t kUSign = 0x0F74;
constexpr char16_t kSubjoinedOffset = 0x50;
constexpr char16_t kHalanta = 0x0F84;

bool IsConsonant(char16_t c) { return c >= 0x0F40 && c <= 0x0F6C; }
bool IsSubjoined(char16_t c) { return (c >= 0x0F90 && c <= 0x0FBC) || c == kAChung; }
bool IsSign(char16_t c) {
    return c == 0x0F72 || (c >= 0x0F7A && c <= 0x0F7F) || c == 0x0F80 || c == 0x0F82 ||
           c == 0x0F83 || c == 0x0F84;
}

const Standalone* FindStandalone(const Rules& rules, char16_t letter) {
    for (const auto& e : rules.standalone) {
        if (e.letter == letter) return &e;
    }
    return nullptr;
}

int SkipCaret(const unsigned char* s, int p) {
    while (s[p] == kCaretMark) ++p;
    return p;
}

}  // namespace

Stack ReadStack(const Rules& rules, const unsigned char* s) {
    Stack out;
    const unsigned char b = s[0];
    if (b < 0xA0) return out;  // space, caret mark, English: one byte, no glyph
    const char16_t first = rules.bytes[b];
    if (b != rules.joiner && !IsConsonant(first) && !IsSubjoined(first) && first != kUSign &&
        !IsSign(first)) {
        if (first != 0 && FindStandalone(rules, first)) {
            out.kind = Stack::Kind::kStandalone;
            out.letter = first;
            const int q = SkipCaret(s, 1);
            if (s[q] == kSpace) {
                out.spaceAfter = true;
                out.consumed = q + 1;
            }
        }
        return out;
    }
    out.kind = Stack::Kind::kStack;
    int p = 0;
    if (IsConsonant(first)) {
        out.head = first;
        p = 1;
    }
    for (;;) {
        const int q = SkipCaret(s, p);
        const unsigned char c = s[q];
        if (c == 0) break;
        char16_t letter = rules.bytes[c];
        int next = q + 1;
        const bool open = !out.u && out.signCount == 0;
        if (c == rules.joiner) {
            // The joiner subjoins the letter after it; alone it draws nothing.
            const int q2 = SkipCaret(s, q + 1);
            const char16_t joined = s[q2] ? rules.bytes[s[q2]] : 0;
            if (!open || !(IsConsonant(joined) || IsSubjoined(joined))) {
                if (!open) break;
                p = q + 1;
                continue;
            }
            letter = IsConsonant(joined) ? static_cast<char16_t>(joined + kSubjoinedOffset) : joined;
            next = q2 + 1;
        }
        if (IsSubjoined(letter) && open && out.subjoinedCount < kMaxSubjoined) {
            out.subjoined[out.subjoinedCount++] = letter;
        } else if (letter == kUSign && open) {
            out.u = true;
        } else if (IsSign(letter) && out.signCount < kMaxSigns) {
            out.signs[out.signCount++] = letter;
        } else {
            break;
        }
        p = next;
    }
    out.consumed = std::max(p, 1);
    return out;
}

namespace {

class Assembler {
public:
    Assembler(const Rules& rules, std::span<const GlyphCode> codes, GlyphList& out)
        : rules_(rules), codes_(codes), out_(out) {}

    void Draw(const Stack& s) {
        if (s.kind == Stack::Kind::kStandalone) {
            if (const Standalone* e = FindStandalone(rules_, s.letter)) EmitSpan(e->first, e->count);
            if (s.spaceAfter) Emit(rules_.blank);
        } else if (s.kind == Stack::Kind::kStack) {
            Core(s);
            Signs(s);
        }
    }

private:
    bool Drawn(std::uint16_t g) const { return g < codes_.size() && codes_[g].code != 0; }

    bool AllDrawn(std::uint16_t first, std::uint16_t count) const {
        for (std::uint16_t i = 0; i < count; ++i) {
            if (first + i >= rules_.pool.size() || !Drawn(rules_.pool[first + i])) return false;
        }
        return true;
    }

    void Emit(std::uint16_t g) {
        out_.Push(g);
        if (g < rules_.isMark.size() && !rules_.isMark[g]) previous_ = static_cast<std::int32_t>(g);
    }

    void EmitSpan(std::uint16_t first, std::uint16_t count) {
        for (std::uint16_t i = 0; i < count && first + i < rules_.pool.size(); ++i) {
            Emit(rules_.pool[first + i]);
        }
    }

    const tibetan::Core* FindCore(std::u16string_view key) const {
        auto it = std::lower_bound(rules_.cores.begin(), rules_.cores.end(), key,
                                   [](const tibetan::Core& e, std::u16string_view k) { return e.key < k; });
        if (it == rules_.cores.end() || it->key != key) return nullptr;
        return AllDrawn(it->first, it->count) ? &*it : nullptr;
    }

    void Core(const Stack& s) {
        char16_t key[2 + kMaxSubjoined] = {};
        std::size_t n = 0;
        if (s.head) key[n++] = s.head;
        for (int i = 0; i < s.subjoinedCount; ++i) key[n++] = s.subjoined[i];
        if (s.u) key[n++] = kUSign;
        if (const tibetan::Core* c = FindCore({key, n})) {
            EmitSpan(c->first, c->count);
            return;
        }
        // The stack without the u-sign and then without the a-chung, and
        // those as marks.
        std::size_t m = n;
        int peeled = 0;
        for (char16_t sign : {kUSign, kAChung}) {
            if (m > 1 && key[m - 1] == sign) {
                --m;
                peeledSigns_[1 - peeled++] = sign;
                if (const tibetan::Core* c = FindCore({key, m})) {
                    EmitSpan(c->first, c->count);
                    peeledCount_ = peeled;
                    return;
                }
            }
        }
        if (s.subjoinedCount == 0 && s.head) {
            // A letter with a u-sign the face lacks: the letter alone.
            if (const tibetan::Core* c = FindCore({key, 1})) EmitSpan(c->first, c->count);
            return;
        }
        Build(s);
    }

    // A stack from pieces: the head's shortened form, then each subjoined
    // letter at the anchor under it, lowered by the pieces above.
    void Build(const Stack& s) {
        const Base* reference = nullptr;
        const Base* base = nullptr;
        for (const auto& b : rules_.bases) {
            if (b.letter == 0x0F40) reference = &b;
            if (b.letter == s.head) base = &b;
        }
        const Base* head = base;
        // The short head only when the face has a piece for every letter.
        for (int i = 0; i < s.subjoinedCount && base; ++i) {
            const Piece* piece = FindPiece(s.subjoined[i]);
            if (!piece || NearestPiece(piece->group, 0, 0) < 0) base = nullptr;
        }
        if (base && !Drawn(base->glyph)) base = nullptr;
        int first = 0;
        if (base) {
            Emit(base->glyph);
        } else if (s.head) {
            // No short head in the face: the longest learned part of the
            // stack, and pieces for the rest.
            char16_t key[1 + kMaxSubjoined] = {s.head};
            for (int i = 0; i < s.subjoinedCount; ++i) key[i + 1] = s.subjoined[i];
            for (first = s.subjoinedCount; first >= 0; --first) {
                if (const tibetan::Core* c = FindCore({key, static_cast<std::size_t>(first) + 1})) {
                    EmitSpan(c->first, c->count);
                    break;
                }
            }
            if (first < 0) return;
        }
        const Base* anchor = base ? base : reference;
        if (!anchor) return;
        int y = anchor->dy;
        if (!base && head && first == 0) {
            // Under the full letter.
            anchor = head;
            y = head->fullDy;
        }
        for (int i = 0; i < s.subjoinedCount; ++i) {
            if (i < first) {
                if (const Piece* piece = FindPiece(s.subjoined[i])) y -= piece->height;
                continue;
            }
            const Piece* piece = FindPiece(s.subjoined[i]);
            if (!piece) continue;
            const bool fused = s.u && i == s.subjoinedCount - 1 && piece->uGroup >= 0;
            const int group = fused ? piece->uGroup : piece->group;
            const int dx = anchor->dx + (fused ? piece->udx : piece->dx);
            const int dy = y + (fused ? piece->udy : piece->dy);
            const int g = NearestPiece(static_cast<std::uint16_t>(group), dx, dy);
            if (g < 0) {
                Linear(s, i);
                return;
            }
            Emit(static_cast<std::uint16_t>(g));
            y -= piece->height;
        }
    }

    // No piece for a subjoined letter in the face: it and the letters below
    // it follow as full letters, each after a halanta (as a Brahmic face
    // without a conjunct shows a visible virama); a u-sign follows as a mark.
    void Linear(const Stack& s, int from) {
        for (int i = from; i < s.subjoinedCount; ++i) {
            const char16_t sub = s.subjoined[i];
            if (sub == kAChung) {
                EmitSign(FindUnit({&sub, 1}));
                continue;
            }
            EmitSign(FindUnit({&kHalanta, 1}));
            const char16_t letter = static_cast<char16_t>(sub - kSubjoinedOffset);
            if (const tibetan::Core* c = FindCore({&letter, 1})) EmitSpan(c->first, c->count);
        }
        if (s.u) {
            peeledSigns_[1] = kUSign;
            peeledCount_ = 1;
        }
    }

    const Piece* FindPiece(char16_t letter) const {
        for (const auto& p : rules_.pieces) {
            if (p.letter == letter) return &p;
        }
        return nullptr;
    }

    int NearestPiece(std::uint16_t group, int dx, int dy) const {
        auto it = std::lower_bound(rules_.pieceGlyphs.begin(), rules_.pieceGlyphs.end(), group,
                                   [](const PieceGlyph& p, std::uint16_t g) { return p.group < g; });
        int best = -1;
        int bestDistance = 0;
        for (; it != rules_.pieceGlyphs.end() && it->group == group; ++it) {
            if (!Drawn(it->glyph)) continue;
            const int d = std::abs(it->dx - dx) + std::abs(it->dy - dy);
            if (best < 0 || d < bestDistance) {
                best = it->glyph;
                bestDistance = d;
            }
        }
        return best;
    }

    void Signs(const Stack& s) {
        char16_t signs[kMaxSigns + 2] = {};
        int count = 0;
        for (int i = 2 - peeledCount_; i < 2; ++i) signs[count++] = peeledSigns_[i];
        for (int i = 0; i < s.signCount; ++i) signs[count++] = s.signs[i];
        int i = 0;
        while (i < count) {
            int unit = -1;
            if (i + 1 < count) unit = FindUnit({signs + i, 2});
            int length = unit >= 0 ? 2 : 1;
            if (unit < 0) unit = FindUnit({signs + i, 1});
            i += length;
            EmitSign(unit);
        }
    }

    // A sign unit at the offset for the glyph before it (or its usual one).
    void EmitSign(int unit) {
        if (unit < 0) return;
        const SignAttachment key{static_cast<std::uint16_t>(unit),
                                 static_cast<std::uint16_t>(previous_ < 0 ? 0xFFFF : previous_), 0, 0};
        auto it = std::lower_bound(rules_.attachments.begin(), rules_.attachments.end(), key,
                                   [](const SignAttachment& a, const SignAttachment& b) {
                                       return a.unit != b.unit ? a.unit < b.unit
                                                               : a.previous < b.previous;
                                   });
        if (previous_ >= 0 && it != rules_.attachments.end() && it->unit == key.unit &&
            it->previous == key.previous && AllDrawn(it->first, it->count)) {
            EmitSpan(it->first, it->count);
        } else {
            const SignUnit& u = rules_.units[static_cast<std::size_t>(unit)];
            EmitSpan(u.first, u.count);
        }
    }

    int FindUnit(std::u16string_view signs) const {
        for (std::size_t i = 0; i < rules_.units.size(); ++i) {
            if (rules_.units[i].signs == signs) return static_cast<int>(i);
        }
        return -1;
    }

    const Rules& rules_;
    std::span<const GlyphCode> codes_;
    GlyphList& out_;
    std::int32_t previous_ = -1;
    // Signs taken off the end of a core the face lacks, in drawing order
    // at the end of the array.
    char16_t peeledSigns_[2] = {};
    int peeledCount_ = 0;
};

}  // namespace

int StackGlyphs(const Rules& rules, std::span<const GlyphCode> codes, const unsigned char* source,
                GlyphList& out) {
    const Stack s = ReadStack(rules, source);
    Assembler(rules, codes, out).Draw(s);
    return s.consumed;
}

void ConvertStack(const Rules& rules, std::span<const GlyphCode> codes, const unsigned char* source,
                  char* output, int* consumed) {
    engine::OutputPairs pairs(output);
    if (source[0] == 0) {
        *consumed = 1;
        return;
    }
    GlyphList glyphs;
    *consumed = StackGlyphs(rules, codes, source, glyphs);
    for (int i = 0; i < glyphs.count; ++i) {
        const std::uint16_t g = glyphs.glyphs[i];
        if (g < codes.size() && codes[g].code != 0) pairs.Add(codes[g].code, codes[g].digit);
    }
}

}  // namespace vexa::family::tibetan
