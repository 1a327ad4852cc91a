#include "engine/brahmic_converter.h"

#include <algorithm>
#include <atomic>
#include <iterator>
#include <string_view>
#include <vector>

#include "engine/output_pairs.h"
#include "engine/per_rules.h"
#include "engine/syllable.h"

namespace vexa::family::engine {

namespace {

const Expansion* FindExpansion(const GlyphPieces* pieces, std::uint16_t g) {
    if (!pieces) return nullptr;
    auto it = std::lower_bound(pieces->expansions.begin(), pieces->expansions.end(), g,
                               [](const Expansion& e, std::uint16_t k) { return e.glyph < k; });
    if (it == pieces->expansions.end() || it->glyph != g) return nullptr;
    return &*it;
}

// The entries of a fusion table for one glyph and sign, in table order.
// Tables are sorted by (last glyph, sign), as the generator writes them, so
// the entries for a key are found by halving instead of a scan of all.
std::span<const Fusion> FusionsOf(std::span<const Fusion> table, std::uint16_t last,
                                  char16_t matra) {
    auto first = std::lower_bound(table.begin(), table.end(), last,
                                  [&](const Fusion& f, std::uint16_t g) {
                                      return f.last != g ? f.last < g : f.matra < matra;
                                  });
    auto end = first;
    while (end != table.end() && end->last == last && end->matra == matra) ++end;
    return {first, end};
}

// The entry of a cluster in a table sorted by key, or null. The table is
// large (thousands of clusters) and a text uses a few hundred of them, so
// the places of the clusters found last are remembered, one per slot of a
// small table shared by all threads. A slot holds only a position, and a
// hit is taken only when the entry there has the very key asked for, so a
// slot another thread (or another script's table) wrote gives at worst a
// miss, never a wrong entry.
const CoreEntry* LookUpCore(std::span<const CoreEntry> cores, std::u16string_view key) {
    static std::atomic<std::uint32_t> recent[1024];
    std::uint32_t hash = 2166136261u;
    for (char16_t c : key) hash = (hash ^ c) * 16777619u;
    std::atomic<std::uint32_t>& slot = recent[hash % std::size(recent)];
    const std::uint32_t remembered = slot.load(std::memory_order_relaxed);
    if (remembered != 0 && remembered <= cores.size() && cores[remembered - 1].key == key) {
        return &cores[remembered - 1];
    }
    auto it = std::lower_bound(cores.begin(), cores.end(), key,
                               [](const CoreEntry& e, std::u16string_view k) { return e.key < k; });
    if (it == cores.end() || it->key != key) return nullptr;
    slot.store(static_cast<std::uint32_t>(it - cores.begin()) + 1, std::memory_order_relaxed);
    return &*it;
}

// What the tables and fonts of one converter answer again and again: the
// tail for a (reph, vowel sign, modifier, virama) and whether the fonts draw
// it, the variant of a pre- or post-base family, the mark drawn after a
// glyph, a letter drawn alone, a vowel sign fused with a glyph, a cluster of
// up to three letters. Kept with the lookahead (one call at a time uses
// them) and forgotten when a call brings other rules or fonts; each answer
// is kept with its whole question, so a slot shared by two questions gives
// at worst a miss.
class Answers {
public:
    // Forgets everything when asked for other rules or fonts.
    void Use(const Rules& r, std::span<const GlyphCode> c, const GlyphPieces* p) {
        if (rules_ == &r && codes_ == c.data() && codesSize_ == c.size() && pieces_ == p) return;
        rules_ = &r;
        codes_ = c.data();
        codesSize_ = c.size();
        pieces_ = p;
        if (++generation_ == 0) {
            for (auto& t : tails_) t.generation = 0;
            for (auto& v : variants_) v.generation = 0;
            for (auto& o : others_) o.generation = 0;
            generation_ = 1;
        }
    }

    static std::uint64_t TailQuestion(bool reph, char16_t matra, char16_t modifier, bool virama) {
        return (std::uint64_t{reph} << 34) | (std::uint64_t{matra} << 18) |
               (std::uint64_t{modifier} << 2) | (std::uint64_t{virama} << 1);
    }

    // The tail's place in `tails` (-1: none drawn), when known.
    bool Tail(const TailTemplate* tails, std::uint64_t question, int& answer) const {
        const TailAnswer& a = tails_[TailSlot(tails, question)];
        if (a.generation != generation_ || a.tails != tails || a.question != question) return false;
        answer = a.answer;
        return true;
    }
    void SetTail(const TailTemplate* tails, std::uint64_t question, int answer) {
        tails_[TailSlot(tails, question)] = {generation_, tails, question, answer};
    }

    bool Variant(std::uint16_t family, std::uint8_t variant, int& answer) const {
        const std::uint32_t question = (std::uint32_t{family} << 8) | variant;
        const VariantAnswer& a = variants_[question % kVariantSlots];
        if (a.generation != generation_ || a.question != question) return false;
        answer = a.answer;
        return true;
    }
    void SetVariant(std::uint16_t family, std::uint8_t variant, int answer) {
        const std::uint32_t question = (std::uint32_t{family} << 8) | variant;
        variants_[question % kVariantSlots] = {generation_, question, answer};
    }

    // Other answers, by a question that names its table (Question below).
    enum class Table : std::uint64_t { kMark = 1, kStandalone = 2, kFusion = 3, kCore = 4 };
    static std::uint64_t Question(Table table, std::uint32_t a, std::uint32_t b) {
        return (static_cast<std::uint64_t>(table) << 56) | (std::uint64_t{a} << 24) | b;
    }
    bool Other(std::uint64_t question, int& answer) const {
        const OtherAnswer& a = others_[OtherSlot(question)];
        if (a.generation != generation_ || a.question != question) return false;
        answer = a.answer;
        return true;
    }
    void SetOther(std::uint64_t question, int answer) {
        others_[OtherSlot(question)] = {generation_, question, answer};
    }

private:
    static constexpr std::size_t kOtherSlots = 512;
    struct OtherAnswer {
        std::uint32_t generation = 0;
        std::uint64_t question = 0;
        int answer = -1;
    };
    static std::size_t OtherSlot(std::uint64_t question) {
        return static_cast<std::size_t>((question * 0x9E3779B97F4A7C15ull) >> 55) % kOtherSlots;
    }
    OtherAnswer others_[kOtherSlots];

    static constexpr std::size_t kTailSlots = 128;
    static constexpr std::size_t kVariantSlots = 64;
    struct TailAnswer {
        std::uint32_t generation = 0;  // 0: empty
        const TailTemplate* tails = nullptr;
        std::uint64_t question = 0;
        int answer = -1;
    };
    struct VariantAnswer {
        std::uint32_t generation = 0;
        std::uint32_t question = 0;
        int answer = -1;
    };
    static std::size_t TailSlot(const TailTemplate* tails, std::uint64_t question) {
        const auto mixed =
            (question ^ reinterpret_cast<std::uintptr_t>(tails)) * 0x9E3779B97F4A7C15ull;
        return static_cast<std::size_t>(mixed >> 57) % kTailSlots;
    }

    const Rules* rules_ = nullptr;
    const GlyphCode* codes_ = nullptr;
    std::size_t codesSize_ = 0;
    const GlyphPieces* pieces_ = nullptr;
    std::uint32_t generation_ = 0;
    TailAnswer tails_[kTailSlots];
    VariantAnswer variants_[kVariantSlots];
};

class Assembler {
public:
    Assembler(const Rules& rules, const BelowBase* below, std::span<const std::uint8_t> isMark,
              std::span<const GlyphCode> codes, const GlyphPieces* pieces, GlyphList& out,
              Answers* answers = nullptr)
        : rules_(rules), below_(below), isMark_(isMark), codes_(codes), pieces_(pieces), out_(out),
          tails_(below ? below->plain : rules.templates), answers_(answers) {}

    void Syllable(const engine::Syllable& s) {
        int modifiersDrawn = 0;
        if (s.kind == Syllable::Kind::kStandalone) {
            if (s.modifierCount > 0 && Standalone(s.letter, s.modifiers[0])) {
                modifiersDrawn = 1;
            } else {
                Standalone(s.letter);
            }
        } else if (s.kind == Syllable::Kind::kCluster) {
            if (below_) {
                BelowBaseCluster(s);
            } else {
                Cluster(s);
            }
        }
        if (s.kind != Syllable::Kind::kNothing) {
            for (int i = modifiersDrawn; i < s.modifierCount; ++i) {
                if (i > 0 || s.kind == Syllable::Kind::kStandalone) Tail(false, 0, s.modifiers[i], false);
            }
            for (int i = 0; i < s.accentCount; ++i) Standalone(s.accents[i]);
        }
    }

private:
    // A glyph the converter's fonts hold, whole or in pieces.
    bool Drawn(std::uint16_t g) const {
        return (g < codes_.size() && codes_[g].code != 0) || FindExpansion(pieces_, g) != nullptr;
    }

    bool AllDrawn(std::uint16_t first, std::uint16_t count) const {
        for (std::uint16_t i = 0; i < count; ++i) {
            if (first + i >= rules_.pool.size() || !Drawn(rules_.pool[first + i])) return false;
        }
        return true;
    }

    // The learned entry of a cluster, when the converter's fonts hold all its
    // glyphs (a face with fewer codes falls back to smaller pieces).
    const CoreEntry* FindCore(std::u16string_view key) const {
        // Clusters of up to three letters (most of those asked for) are
        // answered from what earlier syllables learned.
        if (!answers_ || key.empty() || key.size() > 3) return FindDrawnCore(key);
        const std::uint32_t first = (std::uint32_t{key[0]} << 16) | (key.size() > 1 ? key[1] : 0u);
        const std::uint32_t rest =
            (static_cast<std::uint32_t>(key.size()) << 16) | (key.size() > 2 ? key[2] : 0u);
        const std::uint64_t question = Answers::Question(Answers::Table::kCore, first, rest);
        int at = -1;
        if (!answers_->Other(question, at)) {
            const CoreEntry* e = FindDrawnCore(key);
            at = e ? static_cast<int>(e - rules_.cores.data()) : -1;
            answers_->SetOther(question, at);
        }
        return at >= 0 ? &rules_.cores[static_cast<std::size_t>(at)] : nullptr;
    }

    const CoreEntry* FindDrawnCore(std::u16string_view key) const {
        const CoreEntry* e = LookUpCore(rules_.cores, key);
        return e && AllDrawn(e->first, e->count) ? e : nullptr;
    }

    void Emit(std::uint16_t g) {
        out_.Push(g);
        if (g < isMark_.size() && !isMark_[g]) previous_ = static_cast<std::int16_t>(g);
    }

    // A nukta the cluster draws apart (its consonant has no nukta form in
    // these fonts) goes where the font puts it under that consonant.
    void EmitCoreGlyph(std::uint16_t g) {
        constexpr std::uint16_t kNuktaSymbol = 1;
        const int nukta = Default(kNuktaSymbol);
        if (nukta >= 0 && g == nukta && previous_ >= 0) {
            const int placed = MarkFor(kNuktaSymbol);
            if (placed >= 0 && Drawn(static_cast<std::uint16_t>(placed))) g = static_cast<std::uint16_t>(placed);
        }
        Emit(g);
    }

    void EmitSpan(std::uint16_t first, std::uint16_t count) {
        for (std::uint16_t i = 0; i < count && first + i < rules_.pool.size(); ++i) Emit(rules_.pool[first + i]);
    }

    // A letter drawn alone; with a modifier, the glyph the fonts join the two
    // into (the mark where the reference puts it, not inside the letter),
    // when they hold it.
    bool Standalone(char16_t letter, char16_t modifier = 0) {
        int at = -1;
        const std::uint64_t question = Answers::Question(Answers::Table::kStandalone, letter, modifier);
        if (!answers_ || !answers_->Other(question, at)) {
            for (std::size_t i = 0; i < rules_.standalone.size(); ++i) {
                const engine::Standalone& e = rules_.standalone[i];
                if (e.letter == letter && e.modifier == modifier && (!modifier || AllDrawn(e.first, e.count))) {
                    at = static_cast<int>(i);
                    break;
                }
            }
            if (answers_) answers_->SetOther(question, at);
        }
        if (at < 0) return false;
        const engine::Standalone& e = rules_.standalone[static_cast<std::size_t>(at)];
        EmitSpan(e.first, e.count);
        return true;
    }

    int Default(std::uint16_t symbol) const {
        return symbol < rules_.defaults.size() ? rules_.defaults[symbol] : -1;
    }

    int MarkFor(std::uint16_t symbol) const {
        if (!answers_) return FindMark(symbol);
        const std::uint64_t question = Answers::Question(Answers::Table::kMark, symbol,
                                                         static_cast<std::uint32_t>(previous_ + 1));
        int answer = -1;
        if (!answers_->Other(question, answer)) {
            answer = FindMark(symbol);
            answers_->SetOther(question, answer);
        }
        return answer;
    }

    int FindMark(std::uint16_t symbol) const {
        const Attachment key{symbol, previous_, 0};
        auto it = std::lower_bound(rules_.attachments.begin(), rules_.attachments.end(), key,
                                   [](const Attachment& a, const Attachment& b) {
                                       return a.symbol != b.symbol ? a.symbol < b.symbol
                                                                   : a.previous < b.previous;
                                   });
        if (it != rules_.attachments.end() && it->symbol == symbol && it->previous == previous_) {
            return it->glyph;
        }
        return Default(symbol);
    }

    // The variant of a pre- or post-base family the cluster asks for; when the
    // fonts lack that one, the first variant they hold (a sign a little too
    // wide or narrow is still the sign; a missing one would be a wrong word).
    int Variant(std::uint16_t family, std::uint8_t variant) const {
        int answer = -1;
        if (answers_ && answers_->Variant(family, variant, answer)) return answer;
        answer = FindVariant(family, variant);
        if (answers_) answers_->SetVariant(family, variant, answer);
        return answer;
    }

    int FindVariant(std::uint16_t family, std::uint8_t variant) const {
        int any = -1;
        int held = -1;
        int exact = -1;
        for (const auto& v : rules_.familyVariants) {
            if (v.family != family) continue;
            if (v.variant == variant && exact < 0) exact = v.glyph;
            if (any < 0) any = v.glyph;
            if (held < 0 && Drawn(v.glyph)) held = v.glyph;
        }
        if (exact >= 0 && Drawn(static_cast<std::uint16_t>(exact))) return exact;
        if (held >= 0) return held;
        if (exact >= 0) return exact;
        return any >= 0 ? any : Default(family);
    }

    // The learned tail, when the converter's fonts can draw every item of it.
    // A tail whose glyph they lack (a vowel sign fused with a modifier or a
    // reph that did not get a code) is not used: the caller draws its parts
    // apart instead (the sign, then the modifier or the reph), so that no
    // sign of the text vanishes.
    const TailTemplate* FindTail(bool reph, char16_t matra, char16_t modifier, bool virama) const {
        if (!answers_) return ScanTails(reph, matra, modifier, virama);
        const std::uint64_t question = Answers::TailQuestion(reph, matra, modifier, virama);
        int answer = -1;
        if (!answers_->Tail(tails_.data(), question, answer)) {
            const TailTemplate* t = ScanTails(reph, matra, modifier, virama);
            answer = t ? static_cast<int>(t - tails_.data()) : -1;
            answers_->SetTail(tails_.data(), question, answer);
        }
        return answer >= 0 ? &tails_[static_cast<std::size_t>(answer)] : nullptr;
    }

    const TailTemplate* ScanTails(bool reph, char16_t matra, char16_t modifier, bool virama) const {
        for (const auto& t : tails_) {
            if (t.matra == matra && t.reph == reph && t.modifier == modifier &&
                t.virama == virama) {
                return TailDrawn(t) ? &t : nullptr;
            }
        }
        return nullptr;
    }

    // Can some form of the item's glyph be drawn (any variant of a pre- or
    // post-base family, any attachment variant of a mark)?
    bool SymbolDrawn(const TemplateItem& item) const {
        const int fallback = Default(item.symbol);
        if (fallback >= 0 && Drawn(static_cast<std::uint16_t>(fallback))) return true;
        if (item.kind == ItemKind::kPre || item.kind == ItemKind::kPost) {
            for (const auto& v : rules_.familyVariants) {
                if (v.family == item.symbol && Drawn(v.glyph)) return true;
            }
            return false;
        }
        auto it = std::lower_bound(rules_.attachments.begin(), rules_.attachments.end(), item.symbol,
                                   [](const Attachment& a, std::uint16_t symbol) { return a.symbol < symbol; });
        for (; it != rules_.attachments.end() && it->symbol == item.symbol; ++it) {
            if (Drawn(it->glyph)) return true;
        }
        return false;
    }

    bool TailDrawn(const TailTemplate& t) const {
        for (std::uint16_t i = 0; i < t.count && t.first + i < rules_.items.size(); ++i) {
            if (!SymbolDrawn(rules_.items[t.first + i])) return false;
        }
        return true;
    }

    // The items of a tail with no pre-base part, emitted after what is there.
    void Tail(bool reph, char16_t matra, char16_t modifier, bool virama) {
        const TailTemplate* t = FindTail(reph, matra, modifier, virama);
        if (!t) return;
        Items(*t, 0, false);
    }

    // skipMatra: the vowel sign fused with the cluster, so its item (the
    // first mark or spacing glyph of the tail) is already drawn.
    void Items(const TailTemplate& t, std::uint8_t postVariant, bool skipMatra) {
        for (std::uint16_t i = 0; i < t.count && t.first + i < rules_.items.size(); ++i) {
            const TemplateItem& item = rules_.items[t.first + i];
            int g = -1;
            switch (item.kind) {
                case ItemKind::kPre:
                    continue;
                case ItemKind::kPost:
                    if (skipMatra) {  // a fused ii-sign (Gujarati jii)
                        skipMatra = false;
                        continue;
                    }
                    g = Variant(item.symbol, postVariant);
                    break;
                case ItemKind::kSpacing:
                    if (skipMatra) {
                        skipMatra = false;
                        continue;
                    }
                    // A spacing glyph may take a form moved by the kerning
                    // of the glyph before it.
                    g = MarkFor(item.symbol);
                    if (g >= 0 && static_cast<std::size_t>(g) < isMark_.size() && isMark_[g]) {
                        g = Default(item.symbol);
                    }
                    break;
                case ItemKind::kMark:
                    if (skipMatra) {
                        skipMatra = false;
                        continue;
                    }
                    g = MarkFor(item.symbol);
                    break;
            }
            if (g >= 0) Emit(static_cast<std::uint16_t>(g));
        }
    }

    // The family of the template's pre-base item; -1 without one.
    int PreSymbol(const TailTemplate& t) const {
        for (std::uint16_t i = 0; i < t.count && t.first + i < rules_.items.size(); ++i) {
            if (rules_.items[t.first + i].kind == ItemKind::kPre) return rules_.items[t.first + i].symbol;
        }
        return -1;
    }

    // Does the template's pre-base item (if any) have the width the cluster
    // asks for in these fonts?
    bool PreVariantDrawn(const TailTemplate& t, std::uint8_t variant) const {
        const int family = PreSymbol(t);
        if (family < 0) return true;
        for (const auto& v : rules_.familyVariants) {
            if (v.family == family && v.variant == variant) return Drawn(v.glyph);
        }
        return false;
    }

    // Do the fonts hold the forms the template's marks take after the glyph
    // emitted last?
    bool MarksDrawnHere(const TailTemplate& t) const {
        for (std::uint16_t i = 0; i < t.count && t.first + i < rules_.items.size(); ++i) {
            const TemplateItem& item = rules_.items[t.first + i];
            if (item.kind != ItemKind::kMark) continue;
            const int g = MarkFor(item.symbol);
            if (g < 0 || !Drawn(static_cast<std::uint16_t>(g))) return false;
        }
        return true;
    }

    // The glyphs a template draws after the cluster (its pre-base glyph aside).
    int SignItems(const TailTemplate& t) const {
        int n = 0;
        for (std::uint16_t i = 0; i < t.count && t.first + i < rules_.items.size(); ++i) {
            n += rules_.items[t.first + i].kind != ItemKind::kPre;
        }
        return n;
    }

    // Glyphs of the consonant cluster, with where a pre-base glyph goes and
    // which variants of the pre- and post-base families fit it.
    struct Core {
        GlyphList glyphs;
        int preAt = 0;
        std::uint8_t preVariant = 0;
        std::uint8_t postVariant = 0;
    };

    void AppendEntry(Core& core, const CoreEntry& e) const {
        for (int i = 0; i < e.count && e.first + i < static_cast<int>(rules_.pool.size()); ++i) {
            core.glyphs.Push(rules_.pool[e.first + i]);
        }
    }

    void AppendLetter(Core& core, char16_t c, bool nukta) const {
        const char16_t key[1] = {c};
        if (const CoreEntry* e = FindCore({key, 1})) {
            AppendEntry(core, *e);
        } else if (IsYaphalaVowel(c)) {
            // The base vowel of a ya-phala cluster: the vowel as drawn alone.
            for (const auto& s : rules_.standalone) {
                if (s.letter == c && s.modifier == 0) {
                    for (int i = 0; i < s.count; ++i) core.glyphs.Push(rules_.pool[s.first + i]);
                }
            }
        }
        if (nukta && rules_.defaults.size() > 1 && rules_.defaults[1] >= 0) {
            core.glyphs.Push(static_cast<std::uint16_t>(rules_.defaults[1]));
        }
    }

    bool IsYaphalaVowel(char16_t c) const {
        return rules_.yaphalaVowels.find(c) != std::u16string_view::npos;
    }

    Core BuildCore(std::u16string_view key) const {
        Core core;
        if (key.size() == 1 && key[0] == kInvisible) return core;
        if (const CoreEntry* e = FindCore(key)) {
            AppendEntry(core, *e);
            core.preAt = e->preAt;
            core.preVariant = e->preVariant;
            core.postVariant = e->postVariant;
            return core;
        }
        // Split into consonant units (consonant, nukta, virama, joiner).
        std::size_t starts[kMaxConsonants + 1];
        int units = 0;
        for (std::size_t i = 0; i < key.size(); ++i) {
            const char16_t c = key[i];
            if ((IsConsonant(rules_, c) || c == kInvisible || (i == 0 && IsYaphalaVowel(c))) &&
                units < kMaxConsonants) {
                starts[units++] = i;
            }
        }
        if (units == 0) return core;
        starts[units] = key.size();
        if (below_) return BelowBaseCore(key, starts, units);
        // The longest learned tail of the cluster; the consonants before it
        // take their half forms.
        int split = units - 1;
        const CoreEntry* tail = nullptr;
        for (int k = std::min(units - 1, 3); k >= 0 && !tail; --k) {
            if (k == 0) break;
            tail = FindCore(key.substr(starts[units - 1 - k] ));
            if (tail) split = units - 1 - k;
        }
        if (!tail) tail = FindCore(key.substr(starts[units - 1]));
        for (int u = 0; u < split; ++u) {
            std::u16string_view unit = key.substr(starts[u], starts[u + 1] - starts[u]);
            char16_t half[4] = {unit[0], rules_.letters.virama, kZwj, 0};
            if (unit[0] == kInvisible) continue;
            bool nukta = unit.size() > 1 && unit[1] == rules_.letters.nukta;
            const CoreEntry* h = FindCore({half, 3});
            if (nukta) {
                AppendLetter(core, unit[0], true);
                if (rules_.defaults.size() > 0 && rules_.defaults[0] >= 0) {
                    core.glyphs.Push(static_cast<std::uint16_t>(rules_.defaults[0]));
                }
            } else if (h) {
                AppendEntry(core, *h);
            } else {
                // No half form in these fonts: the full consonant and a virama.
                AppendLetter(core, unit[0], false);
                if (rules_.defaults.size() > 0 && rules_.defaults[0] >= 0) {
                    core.glyphs.Push(static_cast<std::uint16_t>(rules_.defaults[0]));
                }
            }
        }
        const int before = core.glyphs.count;
        if (tail) {
            AppendEntry(core, *tail);
            core.preAt = before + tail->preAt;
            core.preVariant = tail->preVariant;
            core.postVariant = tail->postVariant;
        } else {
            std::u16string_view last = key.substr(starts[units - 1]);
            if (last[0] != kInvisible) {
                AppendLetter(core, last[0], last.size() > 1 && last[1] == rules_.letters.nukta);
            }
            core.preAt = before;
        }
        return core;
    }

    // A cluster the table does not hold: its longest learned start, then each
    // later consonant in the form it takes after the reference pair.
    Core BelowBaseCore(std::u16string_view key, const std::size_t* starts, int units) const {
        Core core;
        int done = 0;
        for (int k = units - 1; k >= 1 && done == 0; --k) {
            // The first k + 1 consonants, without the virama that joins the next.
            std::size_t end = starts[k + 1];
            while (k + 1 < units && end > 0 &&
                   (key[end - 1] == rules_.letters.virama || key[end - 1] == kZwj)) {
                --end;
            }
            if (const CoreEntry* e = FindCore(key.substr(0, end))) {
                AppendEntry(core, *e);
                done = k + 1;
            }
        }
        if (done == 0) {
            std::u16string_view first = key.substr(0, starts[1]);
            if (first[0] != kInvisible) {
                AppendLetter(core, first[0], first.size() > 1 && first[1] == rules_.letters.nukta);
            }
            done = 1;
        }
        for (int u = done; u < units; ++u) {
            std::u16string_view unit = key.substr(starts[u], starts[u + 1] - starts[u]);
            if (unit[0] == kInvisible) continue;
            // The form the consonant takes after the reference consonant (in
            // second place) or after the reference pair (later).
            if (AppendSubscript(core, unit[0], u == 1 ? 2 : below_->subscriptPrefix.size()) ||
                AppendSubscript(core, unit[0], below_->subscriptPrefix.size())) {
                continue;
            }
            // No subscript form: the full letter after a visible virama.
            if (rules_.defaults.size() > 0 && rules_.defaults[0] >= 0) {
                core.glyphs.Push(static_cast<std::uint16_t>(rules_.defaults[0]));
            }
            AppendLetter(core, unit[0], unit.size() > 1 && unit[1] == rules_.letters.nukta);
        }
        return core;
    }

    // Appends the glyphs `consonant` takes after the first `prefix` letters of
    // the subscript prefix (the reference consonant and virama, or the
    // reference pair and virama), without the prefix's own glyphs.
    bool AppendSubscript(Core& core, char16_t consonant, std::size_t prefix) const {
        char16_t text[16];
        const std::u16string_view pre = below_->subscriptPrefix.substr(0, prefix);
        if (pre.size() + 1 > std::size(text)) return false;
        std::copy(pre.begin(), pre.end(), text);
        text[pre.size()] = consonant;
        const int skip = prefix == 2 ? 1 : below_->subscriptSkip;
        const CoreEntry* e = FindCore({text, pre.size() + 1});
        if (!e || e->count <= skip) return false;
        for (int i = skip; i < e->count; ++i) core.glyphs.Push(rules_.pool[e->first + i]);
        return true;
    }

    // The glyphs of a vowel sign or virama drawn with a base that has no
    // learned base part: the sign as it is drawn alone.
    const engine::Standalone* SignAlone(char16_t sign) const {
        for (const auto& e : rules_.standalone) {
            if (e.letter == sign && e.modifier == 0) return AllDrawn(e.first, e.count) ? &e : nullptr;
        }
        return nullptr;
    }

    // Consonants joined by virama + ZWJ keep their virama forms and stand
    // before the cluster that follows: emits them, returns the rest.
    std::u16string_view ExplicitViramaForms(std::u16string_view key) {
        const std::size_t last = key.find_last_of(kZwj);
        if (last == std::u16string_view::npos || last + 1 >= key.size()) return key;
        std::u16string_view lead = key.substr(0, last + 1);
        while (!lead.empty()) {
            const std::size_t end = lead.find(kZwj) + 1;
            const std::u16string_view chunk = lead.substr(0, end);
            if (const CoreEntry* e = FindCore(chunk)) {
                EmitSpan(e->first, e->count);
            } else {
                Core part = BuildCore(chunk.substr(0, chunk.size() >= 2 ? chunk.size() - 2 : 0));
                for (int i = 0; i < part.glyphs.count; ++i) Emit(part.glyphs.glyphs[i]);
                if (rules_.defaults.size() > 0 && rules_.defaults[0] >= 0) {
                    Emit(static_cast<std::uint16_t>(rules_.defaults[0]));
                }
            }
            lead = lead.substr(end);
        }
        return key.substr(last + 1);
    }

    std::uint16_t SignedSubscript(std::uint16_t g, char16_t sign) const {
        if (!sign) return g;
        for (const auto& f : FusionsOf(below_->signedSubscripts, g, sign)) {
            if (f.count == 1 && AllDrawn(f.first, f.count)) {
                return rules_.pool[f.first];
            }
        }
        return g;
    }

    bool IsMark(std::uint16_t g) const { return g < isMark_.size() && isMark_[g]; }

    // Can the base part (a span of the pool) take the subscripts after the
    // base's body: is its first glyph the base itself, or a merged form whose
    // pieces say where the body ends?
    bool SplitsAtBody(std::uint16_t first, std::uint16_t count, const Core& core) const {
        if (count == 0) return false;
        const std::uint16_t g = rules_.pool[first];
        if (g == core.glyphs.glyphs[0]) return true;
        const Expansion* e = FindExpansion(pieces_, g);
        return e && e->bodyEnd > 0;
    }

    // Emits the base part with the subscripts of `core` right after the
    // base's body (see SplitsAtBody).
    void EmitAroundBody(std::uint16_t first, std::uint16_t count, const Core& core) {
        const std::uint16_t g = rules_.pool[first];
        if (g == core.glyphs.glyphs[0]) {
            Emit(g);
            EmitSubscripts(core);
        } else {
            const Expansion* e = FindExpansion(pieces_, g);
            for (int k = 0; k < e->count; ++k) {
                Emit(pieces_->pieces[e->first + k]);
                if (k + 1 == e->bodyEnd) EmitSubscripts(core);
            }
        }
        EmitSpan(first + 1, count - 1);
    }

    void EmitSubscripts(const Core& core) {
        for (int i = 1; i < core.glyphs.count; ++i) Emit(core.glyphs.glyphs[i]);
    }

    void BelowBaseCluster(const engine::Syllable& s) {
        Core core = BuildCore(ExplicitViramaForms(s.Core()));
        const bool subscripts = core.glyphs.count > 1;
        tails_ = subscripts ? below_->subscripted : below_->plain;
        const char16_t modifier = s.modifierCount > 0 ? s.modifiers[0] : 0;
        const TailTemplate* t = FindTail(s.reph, s.matra, modifier, s.finalVirama);
        bool rephLater = false;
        if (!t && s.reph) {
            t = FindTail(false, s.matra, modifier, s.finalVirama);
            rephLater = true;
        }
        if (!t) t = FindTail(false, s.matra, 0, s.finalVirama);

        // The base part: the base glyph merged with the sign, or the base and
        // the sign as drawn alone.
        const char16_t sign = s.matra ? s.matra : (s.finalVirama ? rules_.letters.virama : 0);
        // Subscript marks that keep their place under the base go right after
        // its body, in the form they have without a sign.
        bool early = core.glyphs.count > 1 && sign && below_->subscriptsFromBody;
        for (int i = 1; early && i < core.glyphs.count; ++i) early = IsMark(core.glyphs.glyphs[i]);
        bool done = false;
        if (core.glyphs.count > 0 && sign) {
            const std::uint16_t base = core.glyphs.glyphs[0];
            for (const auto& f : FusionsOf(below_->fusions, base, sign)) {
                if (AllDrawn(f.first, f.count)) {
                    if (early && SplitsAtBody(f.first, f.count, core)) {
                        EmitAroundBody(f.first, f.count, core);
                    } else {
                        EmitSpan(f.first, f.count);
                        early = false;
                    }
                    done = true;
                    break;
                }
            }
        }
        if (!done) {
            if (core.glyphs.count > 0) Emit(core.glyphs.glyphs[0]);
            if (early) EmitSubscripts(core);
            if (sign && below_->baseSigns.find(sign) != std::u16string_view::npos) {
                if (const engine::Standalone* alone = SignAlone(sign)) EmitSpan(alone->first, alone->count);
            }
        }
        if (!early) {
            for (int i = 1; i < core.glyphs.count; ++i) Emit(SignedSubscript(core.glyphs.glyphs[i], sign));
        }
        if (t) Items(*t, 0, false);
        if (s.modifierCount > 0 && t && t->modifier == 0) Tail(false, 0, modifier, false);
        if (rephLater && rules_.defaults.size() > 2 && rules_.defaults[2] >= 0) {
            Emit(static_cast<std::uint16_t>(MarkFor(2)));
        }
    }

    void Cluster(const engine::Syllable& s) {
        Core core = BuildCore(s.Core());
        const char16_t modifier = s.modifierCount > 0 ? s.modifiers[0] : 0;
        const TailTemplate* t = FindTail(s.reph, s.matra, modifier, s.finalVirama);
        // Without the glyph of sign, reph and modifier together: the sign,
        // then the reph with the modifier beside it as the font draws the
        // two (the modifier apart from the reph would sit inside it).
        const TailTemplate* rephWithModifier = nullptr;
        if (!t && s.reph && modifier) {
            rephWithModifier = FindTail(true, 0, modifier, false);
            if (rephWithModifier) t = FindTail(false, s.matra, 0, s.finalVirama);
            if (!t) rephWithModifier = nullptr;
        }
        bool rephLater = false;
        if (!t && s.reph) {
            t = FindTail(false, s.matra, modifier, s.finalVirama);
            rephLater = true;
        }
        if (!t) t = FindTail(false, s.matra, 0, s.finalVirama);

        // A pre-base sign fused with the modifier (i with anusvara) spans a
        // set of widths. Where the fonts hold none of the width this cluster
        // asks for, the plain sign is drawn and the modifier goes over the
        // cluster's last glyph, as the reference draws clusters wider than
        // every fused form; a fused form of another width would put the
        // modifier over the wrong letter. (A pre-base sign that does not
        // carry the modifier keeps its template.)
        bool modifierApart = false;
        if (t && t->modifier && !rephWithModifier && !PreVariantDrawn(*t, core.preVariant)) {
            const TailTemplate* plain = FindTail(t->reph, s.matra, 0, s.finalVirama);
            if (plain && PreSymbol(*plain) != PreSymbol(*t)) {
                t = plain;
                modifierApart = true;
            }
        }
        int pre = -1;
        bool fused = false;
        if (t) {
            for (std::uint16_t i = 0; i < t->count; ++i) {
                const TemplateItem& item = rules_.items[t->first + i];
                if (item.kind == ItemKind::kPre) pre = Variant(item.symbol, core.preVariant);
            }
        }
        // A vowel sign that merges with the cluster's last glyph.
        if (s.matra && pre < 0 && core.glyphs.count > 0) {
            const std::uint16_t last = core.glyphs.glyphs[core.glyphs.count - 1];
            int at = -1;
            const std::uint64_t question =
                Answers::Question(Answers::Table::kFusion, last, s.matra);
            if (!answers_ || !answers_->Other(question, at)) {
                for (const auto& f : FusionsOf(rules_.fusions, last, s.matra)) {
                    // (An empty fusion would drop the consonant with its sign.)
                    if (f.count > 0 && AllDrawn(f.first, f.count)) {
                        at = static_cast<int>(&f - rules_.fusions.data());
                        break;
                    }
                }
                if (answers_) answers_->SetOther(question, at);
            }
            if (at >= 0) {
                const Fusion& f = rules_.fusions[static_cast<std::size_t>(at)];
                --core.glyphs.count;
                for (int i = 0; i < f.count; ++i) core.glyphs.Push(rules_.pool[f.first + i]);
                fused = true;
            }
        }
        // A template whose one sign glyph also carries the reph or the
        // modifier (Gujarati ii with reph or anusvara) gives that glyph up to
        // the fused sign; the reph and the modifier are then drawn as marks
        // of their own over the fused glyph, so that neither is lost.
        if (fused && t && (t->reph || t->modifier) && SignItems(*t) == 1) {
            if (t->reph && t->modifier) rephWithModifier = FindTail(true, 0, modifier, false);
            rephLater = rephLater || (t->reph && !rephWithModifier);
            modifierApart = modifierApart || (t->modifier != 0 && !rephWithModifier);
            t = FindTail(false, s.matra, 0, s.finalVirama);
        }
        if (s.geminate) {
            // Drawn over the glyph before the syllable, as the zero-advance
            // mark it is.
            const int g = Default(kGeminationSymbol);
            if (g >= 0) Emit(static_cast<std::uint16_t>(g));
        }
        const int preAt = std::clamp(core.preAt, 0, core.glyphs.count);
        for (int i = 0; i < core.glyphs.count; ++i) {
            if (i == preAt && pre >= 0) Emit(static_cast<std::uint16_t>(pre));
            EmitCoreGlyph(core.glyphs.glyphs[i]);
        }
        if (preAt == core.glyphs.count && pre >= 0) Emit(static_cast<std::uint16_t>(pre));
        if (t) Items(*t, core.postVariant, fused);
        if (rephWithModifier && !MarksDrawnHere(*rephWithModifier)) {
            // No form of the pair drawn over what is here: each apart.
            rephWithModifier = nullptr;
            rephLater = modifierApart = true;
        }
        if (rephWithModifier) {
            Items(*rephWithModifier, 0, false);
        } else if (s.modifierCount > 0 && ((t && t->modifier == 0) || modifierApart)) {
            Tail(false, 0, modifier, false);
        }
        if (rephLater && rules_.defaults.size() > 2 && rules_.defaults[2] >= 0) {
            Emit(static_cast<std::uint16_t>(MarkFor(2)));
        }
    }

    const Rules& rules_;
    const BelowBase* below_;
    std::span<const std::uint8_t> isMark_;
    std::span<const GlyphCode> codes_;
    const GlyphPieces* pieces_;
    GlyphList& out_;
    std::span<const TailTemplate> tails_;
    Answers* answers_;
    std::int16_t previous_ = -1;
};

// The syllable the kerning assembled last, by the bytes it was read from.
// The converter is called syllable by syllable along a text, so the next
// call usually asks for exactly the syllable the kerning of this one looked
// at. A syllable reads only the bytes it looked at (itself and what ended
// it) and draws the same from the same bytes with the same rules and fonts,
// so it is taken from here instead of being read and assembled again.
struct Lookahead {
    static constexpr int kMaxBytes = 32;
    const unsigned char* source = nullptr;  // where the bytes were read
    const Rules* rules = nullptr;  // null: nothing kept
    const BelowBase* belowBase = nullptr;
    const std::uint8_t* isMark = nullptr;
    std::size_t isMarkSize = 0;
    const GlyphCode* codes = nullptr;
    std::size_t codesSize = 0;
    const GlyphPieces* pieces = nullptr;
    int examined = 0;
    int consumed = 0;
    unsigned char bytes[kMaxBytes] = {};
    GlyphList glyphs;
    Answers answers;

    bool Holds(const Rules& r, const BelowBase* b, std::span<const std::uint8_t> m,
               std::span<const GlyphCode> c, const GlyphPieces* p, const unsigned char* at) const {
        // (The same bytes elsewhere would do as well; the next call's are
        // where the kerning read them.)
        if (source != at || rules != &r || belowBase != b || isMark != m.data() || isMarkSize != m.size() ||
            codes != c.data() || codesSize != c.size() || pieces != p) {
            return false;
        }
        // Stops at the first difference, so never reads past the text's end
        // (the kept bytes end at the latest with a terminator).
        for (int i = 0; i < examined; ++i) {
            if (at[i] != bytes[i]) return false;
        }
        return true;
    }
};

// One lookahead (and its answers) per library, used by one call at a time:
// a call that finds it in use (another thread converting) goes without. Taking it is one
// atomic exchange, far cheaper than a per-thread variable of a shared
// library, whose every use is a call to the runtime.
class ClaimedLookahead {
public:
    ClaimedLookahead() : kept_(busy_.exchange(true, std::memory_order_acquire) ? nullptr : &lookahead_) {}
    ~ClaimedLookahead() {
        if (kept_) busy_.store(false, std::memory_order_release);
    }
    ClaimedLookahead(const ClaimedLookahead&) = delete;
    ClaimedLookahead& operator=(const ClaimedLookahead&) = delete;

    Lookahead* get() const { return kept_; }

private:
    static inline std::atomic<bool> busy_{false};
    static inline Lookahead lookahead_;
    Lookahead* kept_;
};

// Where the kerning pairs of each left glyph start in the table (sorted by
// left, then right): the pairs of glyph g are [start[g], start[g + 1]).
struct KernIndex {
    const Rules* rules = nullptr;
    std::vector<std::uint32_t> start;

    void Fill(const Rules& r) {
        rules = &r;
        start.clear();
        if (r.kerning.empty()) return;
        start.assign(r.kerning.back().left + 2u, 0);
        // The table holds long runs of one left glyph: find each run's end
        // by halving rather than stepping through it.
        const auto less = [](const KernPair& a, std::uint32_t left) { return a.left < left; };
        std::size_t g = 0;
        for (auto at = r.kerning.begin(); at != r.kerning.end();) {
            while (g <= at->left) start[g++] = static_cast<std::uint32_t>(at - r.kerning.begin());
            at = std::lower_bound(at, r.kerning.end(), at->left + 1u, less);
        }
        while (g < start.size()) start[g++] = static_cast<std::uint32_t>(r.kerning.size());
    }

    std::span<const KernPair> Of(std::uint16_t left) const {
        if (left + 1u >= start.size()) return {};
        return rules->kerning.subspan(start[left], start[left + 1] - start[left]);
    }
};

// The font narrows or widens a syllable's last glyph before the first glyph
// of the next syllable (kerning): look at the next syllable (past caret
// marks, so that the caret does not move the text) and take the kerned
// variant of the last glyph where the fonts hold it. The next syllable is
// assembled only when the last glyph kerns with something at all.
void Kern(const Rules& rules, const BelowBase* belowBase, std::span<const std::uint8_t> isMark,
          std::span<const GlyphCode> codes, const GlyphPieces* pieces, const unsigned char* next,
          GlyphList& out, Lookahead* kept) {
    Answers* answers = kept ? &kept->answers : nullptr;
    if (out.count == 0) return;
    const std::uint16_t last = out.glyphs[out.count - 1];
    if (last >= isMark.size() || isMark[last]) return;
    const std::span<const KernPair> pairs = PerRules<KernIndex>(rules).Of(last);
    if (pairs.empty()) return;
    while (*next == 0x01) ++next;
    if (*next < 0xA0) return;  // the end, a space, English: nothing drawn next
    const engine::Syllable s = ReadSyllable(rules, next);
    GlyphList own;
    GlyphList& following = kept ? kept->glyphs : own;
    if (kept) kept->rules = nullptr;
    following.count = 0;
    Assembler(rules, belowBase, isMark, codes, pieces, following, answers).Syllable(s);
    if (kept && s.examined <= Lookahead::kMaxBytes) {
        kept->source = next;
        kept->rules = &rules;
        kept->belowBase = belowBase;
        kept->isMark = isMark.data();
        kept->isMarkSize = isMark.size();
        kept->codes = codes.data();
        kept->codesSize = codes.size();
        kept->pieces = pieces;
        kept->examined = s.examined;
        kept->consumed = s.consumed;
        std::copy(next, next + s.examined, kept->bytes);
    }
    if (following.count == 0) return;
    const std::uint16_t right = following.glyphs[0];
    const auto it = std::lower_bound(pairs.begin(), pairs.end(), right,
                                     [](const KernPair& a, std::uint16_t r) { return a.right < r; });
    if (it == pairs.end() || it->right != right) return;
    if (it->replacement < codes.size() && codes[it->replacement].code != 0) {
        out.glyphs[out.count - 1] = it->replacement;
    }
}

}  // namespace

int SyllableGlyphs(const Rules& rules, const BelowBase* belowBase,
                   std::span<const std::uint8_t> isMark, std::span<const GlyphCode> codes,
                   const GlyphPieces* pieces, const unsigned char* source, GlyphList& out) {
    // A space, a caret mark or an English byte: one byte, nothing drawn, and
    // with nothing before it in the list, nothing to kern.
    if (source[0] < 0xA0 && out.count == 0) return 1;
    const ClaimedLookahead claim;
    Lookahead* kept = claim.get();
    Answers* answers = kept ? &kept->answers : nullptr;
    if (answers) answers->Use(rules, codes, pieces);
    if (rules.kerning.empty()) {
        const engine::Syllable s = ReadSyllable(rules, source);
        Assembler(rules, belowBase, isMark, codes, pieces, out, answers).Syllable(s);
        return s.consumed;
    }
    int consumed = 0;
    if (kept && kept->Holds(rules, belowBase, isMark, codes, pieces, source)) {
        for (int i = 0; i < kept->glyphs.count; ++i) out.Push(kept->glyphs.glyphs[i]);
        consumed = kept->consumed;
    } else {
        const engine::Syllable s = ReadSyllable(rules, source);
        Assembler(rules, belowBase, isMark, codes, pieces, out, answers).Syllable(s);
        consumed = s.consumed;
    }
    Kern(rules, belowBase, isMark, codes, pieces, source + consumed, out, kept);
    return consumed;
}

void ConvertSyllable(const Rules& rules, const BelowBase* belowBase,
                     std::span<const std::uint8_t> isMark, std::span<const GlyphCode> codes,
                     const GlyphPieces* pieces, const unsigned char* source, char* output,
                     int* consumed) {
    OutputPairs pairs(output);
    if (source[0] == 0) {
        *consumed = 1;
        return;
    }
    GlyphList glyphs;
    *consumed = SyllableGlyphs(rules, belowBase, isMark, codes, pieces, source, glyphs);
    for (int i = 0; i < glyphs.count; ++i) {
        const std::uint16_t g = glyphs.glyphs[i];
        if (g < codes.size() && codes[g].code != 0) {
            pairs.Add(codes[g].code, codes[g].digit);
        } else if (const Expansion* e = FindExpansion(pieces, g)) {
            for (int k = 0; k < e->count && e->first + k < static_cast<int>(pieces->pieces.size()); ++k) {
                const std::uint16_t p = pieces->pieces[e->first + k];
                if (p < codes.size() && codes[p].code != 0) pairs.Add(codes[p].code, codes[p].digit);
            }
        }
    }
}

}  // namespace vexa::family::engine
