#include "icu_oracle.h"

#include <unicode/normalizer2.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <cstdio>
#include <vector>

namespace vexa::script::testing {

namespace {

struct Converter {
    explicit Converter(int version) {
        UErrorCode e = U_ZERO_ERROR;
        const std::string name = "ISCII,version=" + std::to_string(version);
        cnv = ucnv_open(name.c_str(), &e);
        if (U_FAILURE(e)) cnv = nullptr;
    }
    ~Converter() {
        if (cnv) ucnv_close(cnv);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    UConverter* cnv;
};

}  // namespace

std::optional<int> IcuVersion(UnicodeScript script) {
    switch (script) {
        case UnicodeScript::kDevanagari:
            return 0;
        case UnicodeScript::kBengali:
        case UnicodeScript::kAssamese:
            return 1;
        case UnicodeScript::kGurmukhi:
            return 2;
        case UnicodeScript::kGujarati:
            return 3;
        case UnicodeScript::kOriya:
            return 4;
        case UnicodeScript::kTamil:
            return 5;
        case UnicodeScript::kTelugu:
            return 6;
        case UnicodeScript::kKannada:
            return 7;
        case UnicodeScript::kMalayalam:
            return 8;
        default:
            return std::nullopt;
    }
}

std::u16string IcuToUnicode(int version, std::string_view iscii) {
    Converter c(version);
    if (!c.cnv) return u"<no converter>";
    std::vector<UChar> out(iscii.size() * 4 + 16);
    UErrorCode e = U_ZERO_ERROR;
    int32_t n = ucnv_toUChars(c.cnv, out.data(), static_cast<int32_t>(out.size()), iscii.data(),
                              static_cast<int32_t>(iscii.size()), &e);
    if (U_FAILURE(e)) return u"<error>";
    return std::u16string(reinterpret_cast<const char16_t*>(out.data()),
                          static_cast<std::size_t>(n));
}

std::optional<std::string> IcuFromUnicode(int version, std::u16string_view text) {
    Converter c(version);
    if (!c.cnv) return std::nullopt;
    std::vector<char> out(text.size() * 8 + 16);
    UErrorCode e = U_ZERO_ERROR;
    int32_t n = ucnv_fromUChars(c.cnv, out.data(), static_cast<int32_t>(out.size()),
                                reinterpret_cast<const UChar*>(text.data()),
                                static_cast<int32_t>(text.size()), &e);
    if (U_FAILURE(e)) return std::nullopt;
    std::string bytes;
    for (int32_t i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(out[static_cast<std::size_t>(i)]);
        if (b == 0x1A) return std::nullopt;  // ICU's substitute: no ISCII form
        if (b == 0xEF) {
            ++i;  // the script attribute's argument
            continue;
        }
        bytes += static_cast<char>(b);
    }
    return bytes;
}

std::u16string Nfd(std::u16string_view text) {
    UErrorCode e = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(e);
    icu::UnicodeString in(false, reinterpret_cast<const UChar*>(text.data()),
                          static_cast<int32_t>(text.size()));
    icu::UnicodeString out = nfd->normalize(in, e);
    return std::u16string(reinterpret_cast<const char16_t*>(out.getBuffer()),
                          static_cast<std::size_t>(out.length()));
}

std::u16string Nfc(std::u16string_view text) {
    UErrorCode e = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(e);
    icu::UnicodeString in(false, reinterpret_cast<const UChar*>(text.data()),
                          static_cast<int32_t>(text.size()));
    icu::UnicodeString out = nfc->normalize(in, e);
    return std::u16string(reinterpret_cast<const char16_t*>(out.getBuffer()),
                          static_cast<std::size_t>(out.length()));
}

std::u16string FromUtf8(std::string_view utf8) {
    icu::UnicodeString s = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    return std::u16string(reinterpret_cast<const char16_t*>(s.getBuffer()),
                          static_cast<std::size_t>(s.length()));
}

std::string Hex(std::u16string_view text) {
    std::string out;
    char buf[8];
    for (char16_t c : text) {
        std::snprintf(buf, sizeof buf, " %04X", static_cast<unsigned>(c));
        out += buf;
    }
    return out;
}

std::string Hex(std::string_view bytes) {
    std::string out;
    char buf[8];
    for (char c : bytes) {
        std::snprintf(buf, sizeof buf, " %02X", static_cast<unsigned char>(c));
        out += buf;
    }
    return out;
}

}  // namespace vexa::script::testing
