// UTF-16 to ISCII: a lookup by offset in the script's block, the shared
// characters (dandas, joiners, line ends) and, for Tibetan, the family's
// byte table. Whatever has no ISCII form in the script is counted.

#include <algorithm>
#include <string>

#include "script/unicode_tables.h"
#include "script/unicode_text.h"

namespace vexa::script {

namespace {

using namespace unicode;

constexpr unsigned char kIsciiDha = 0xC0;

bool IsLineSeparator(char16_t c) { return c == 0x2028 || c == 0x2029 || c == 0x0085; }

class Writer {
  public:
    Writer(const ScriptTables& t, std::u16string_view text, IsciiFromUnicode& result)
        : t_(t), text_(text), result_(result) {
        result_.iscii.resize(2 * text.size());  // no code unit gives more than two bytes
        o_ = reinterpret_cast<unsigned char*>(result_.iscii.data());
        start_ = o_;
    }

    void Run() {
        const std::size_t n = text_.size();
        while (i_ < n) {
            // The common path: a letter of the block or a printable ASCII
            // character, one byte each.
            {
                std::size_t i = i_;
                unsigned char* o = o_;
                while (i < n) {
                    const char16_t c = text_[i];
                    const unsigned offset = static_cast<unsigned>(c) - t_.block;
                    if (offset < 0x80 && t_.fastFromBlock[offset] != 0) {
                        *o++ = t_.fastFromBlock[offset];
                    } else if (c >= 0x21 && c < 0x7F) {
                        *o++ = static_cast<unsigned char>(c);
                    } else {
                        break;
                    }
                    ++i;
                }
                i_ = i;
                o_ = o;
                if (i_ == n) break;
            }
            const char16_t c = text_[i_];
            if (c < 0x80) {
                Ascii(c);
            } else if (t_.tibetan) {
                Tibetan(c);
            } else if (t_.english) {
                ++i_;
                if (c <= 0xFF)
                    *o_++ = static_cast<unsigned char>(c);
                else
                    Drop(c);
            } else {
                Indic(c);
            }
        }
        result_.iscii.resize(static_cast<std::size_t>(o_ - start_));
    }

  private:
    char16_t At(std::size_t k) const { return k < text_.size() ? text_[k] : 0; }

    void Ascii(char16_t c) {
        ++i_;
        if (c == 0x0D || c == 0x0A) {
            if (c == 0x0D && At(i_) == 0x0A) ++i_;
            *o_++ = 0x0D;
        } else {
            *o_++ = static_cast<unsigned char>(c);
        }
    }

    void Drop(char16_t c) {
        if (c == 0xFEFF) return;  // a byte-order mark is no character of the text
        if (IsLineSeparator(c)) {
            *o_++ = 0x0D;
            return;
        }
        char32_t character = c;
        // A surrogate pair is one character.
        if (c >= 0xD800 && c <= 0xDBFF && At(i_) >= 0xDC00 && At(i_) <= 0xDFFF) {
            character = 0x10000 + ((c - 0xD800) << 10) + (At(i_) - 0xDC00);
            ++i_;
        }
        Dropped(character, i_ - (character > 0xFFFF ? 2 : 1));
    }

    void Dropped(char32_t character, std::size_t position) {
        if (result_.dropped++ == 0) result_.firstDropped = UnicodeRefusal{character, position};
    }

    void Indic(char16_t c) {
        ++i_;
        const unsigned offset = static_cast<unsigned>(c) - t_.block;
        if (offset < 0x80) {
            if (c == kDevanagariShortA && t_.block == 0x0900) {
                *o_++ = kIsciiShortA;
                *o_++ = 0xE0;
                return;
            }
            if (unsigned char b = t_.fromBlock[offset]) {
                if (b == kIsciiVirama) return Virama();
                // Gurmukhi dha with nukta is the rrha of ISCII, read back as
                // rra, virama, ha: a nukta written after a dha would come back
                // as other letters, so it is dropped there.
                if (t_.gurmukhi && b == kIsciiNukta && o_ != start_ && o_[-1] == kIsciiDha) {
                    return Drop(c);
                }
                *o_++ = b;
                return;
            }
            if (unsigned char b = t_.fromBlockNukta[offset]) {
                *o_++ = b;
                *o_++ = kIsciiNukta;
                return;
            }
            if (t_.gurmukhi && Gurmukhi(c)) return;
        }
        switch (c) {
            case kDanda:
                *o_++ = kIsciiDanda;
                return;
            case kDoubleDanda:
                *o_++ = kIsciiDanda;
                *o_++ = kIsciiDanda;
                return;
            case kZwj:  // after a lone virama it makes the soft one
            {
                const bool soft = o_ == loneViramaEnd_;
                *o_++ = soft ? kIsciiNukta : kIsciiInv;
                return;
            }
            default:
                break;
        }
        const auto v = std::find(t_.vedic.begin(), t_.vedic.end(), c);
        if (v != t_.vedic.end()) {
            *o_++ = kIsciiExtension;
            *o_++ = static_cast<unsigned char>(kFirstExtended + (v - t_.vedic.begin()));
            return;
        }
        Drop(c);
    }

    bool Gurmukhi(char16_t c) {
        if (c == kGurmukhiTippi) {
            *o_++ = 0xA2;
            return true;
        }
        // The addak doubles the consonant after it: C virama C.
        if (c == kGurmukhiAddak) {
            const unsigned next = static_cast<unsigned>(At(i_)) - t_.block;
            if (next < 0x80 && At(i_) >= 0x0A15 && At(i_) <= 0x0A39 && t_.fromBlock[next] != 0) {
                *o_++ = t_.fromBlock[next];
                *o_++ = kIsciiVirama;
                return true;
            }
        }
        return false;
    }

    // A virama, with the joiner after it (ZWNJ: explicit, ZWJ: soft). A
    // second virama right after a lone one has no ISCII form: the pair of
    // codes would read as the explicit virama.
    void Virama() {
        const char16_t joiner = At(i_);
        const bool joined = joiner == kZwnj || joiner == kZwj;
        if (joined) ++i_;
        if (o_ == loneViramaEnd_) {
            const std::size_t at = i_ - (joined ? 2 : 1);
            Dropped(t_.virama, at);
            if (joined) Dropped(joiner, at + 1);
            return;
        }
        *o_++ = kIsciiVirama;
        if (joined) {
            *o_++ = joiner == kZwnj ? kIsciiVirama : kIsciiNukta;
        } else {
            loneViramaEnd_ = o_;
        }
    }

    void Tibetan(char16_t c) {
        ++i_;
        if (c == kTsheg || c == kNonBreakingTsheg) {
            *o_++ = ' ';
            return;
        }
        const unsigned offset = static_cast<unsigned>(c) - 0x0F00;
        if (offset < 0x100) {
            if (unsigned char b = t_.fromBlock[offset]) {
                *o_++ = b;
                return;
            }
            // A subjoined letter without a byte of its own: the joiner and
            // the head letter.
            if (c >= 0x0F90 && c <= 0x0FBC) {
                if (unsigned char b = t_.fromBlock[offset - 0x50]) {
                    *o_++ = kTibetanJoiner;
                    *o_++ = b;
                    return;
                }
            }
        }
        Drop(c);
    }

    const ScriptTables& t_;
    std::u16string_view text_;
    IsciiFromUnicode& result_;
    std::size_t i_ = 0;
    unsigned char* o_ = nullptr;
    unsigned char* start_ = nullptr;
    // Where the output stood right after a lone virama: a byte written since
    // moves it away.
    const unsigned char* loneViramaEnd_ = nullptr;
};

}  // namespace

IsciiFromUnicode UnicodeToIscii(std::u16string_view text, UnicodeScript script) {
    IsciiFromUnicode result;
    Writer(TablesFor(script), text, result).Run();
    return result;
}

}  // namespace vexa::script
