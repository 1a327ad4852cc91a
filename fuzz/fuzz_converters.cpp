// Fuzz target: no byte string makes a family converter write past the bytes
// it may use, leave its output unterminated, report a consumed count of 0 or
// one past the text, or stop making progress.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "bengali/bengali_tables.inc"
#include "devanagari/devanagari_tables.inc"
#include "kannada/kannada_tables.inc"
#include "malayalam/malayalam_tables.inc"
#include "tamil/tamil_tables.inc"
#include "telugu/telugu_tables.inc"
#include "gujarati/gujarati_tables.inc"
#include "gurmukhi/gurmukhi_tables.inc"
#include "engine/brahmic_converter.h"
#include "engine/roman_converter.h"
#include "oriya/oriya_tables.inc"
#include "script/converter_abi.h"
#include "tibetan/tibetan_converter.h"
#include "tibetan/tibetan_tables.inc"

namespace {

using namespace vexa::family;

constexpr unsigned char kGuard = 0xA5;

void Require(bool condition) {
    if (!condition) std::abort();
}

template <class Convert>
void WalkText(const unsigned char* text, std::size_t length, Convert convert) {
    std::size_t p = 0;
    while (p < length) {
        char output[256];
        std::memset(output, 0, VEXA_CONVERTER_OUTPUT_LIMIT);
        std::memset(output + VEXA_CONVERTER_OUTPUT_LIMIT, kGuard,
                    sizeof output - VEXA_CONVERTER_OUTPUT_LIMIT);
        int consumed = 0;
        convert(text + p, output, &consumed);
        for (std::size_t i = VEXA_CONVERTER_OUTPUT_LIMIT; i < sizeof output; ++i) {
            Require(static_cast<unsigned char>(output[i]) == kGuard);
        }
        Require(std::memchr(output, 0, VEXA_CONVERTER_OUTPUT_LIMIT) != nullptr);
        Require(std::strlen(output) % 2 == 0);
        Require(consumed >= 1 && static_cast<std::size_t>(consumed) <= length - p);
        p += static_cast<std::size_t>(consumed);
    }
}

// One converter library: its family's rules and its own code table.
struct Library {
    const engine::Rules& rules;
    std::span<const std::uint8_t> isMark;
    std::span<const engine::GlyphCode> codes;
};

const Library kLibraries[] = {
    {devanagari::kRules, devanagari::kIsMark, devanagari::kDvbcv32Codes},
    {devanagari::kRules, devanagari::kIsMark, devanagari::kDvmcv32Codes},
    {devanagari::kRules, devanagari::kIsMark, devanagari::kSdmcv32Codes},
    {devanagari::kRules, devanagari::kIsMark, devanagari::kVdmcv32Codes},
    {gujarati::kRules, gujarati::kIsMark, gujarati::kGjbcv32Codes},
    {gujarati::kRules, gujarati::kIsMark, gujarati::kGjmcv32Codes},
    {gurmukhi::kRules, gurmukhi::kIsMark, gurmukhi::kPnbcv32Codes},
    {gurmukhi::kRules, gurmukhi::kIsMark, gurmukhi::kPnmcv32Codes},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The converters read NUL-terminated text: use the input up to its first NUL.
    std::vector<unsigned char> text(data, data + size);
    text.push_back(0);
    const std::size_t length = std::strlen(reinterpret_cast<const char*>(text.data()));
    for (const Library& library : kLibraries) {
        WalkText(text.data(), length, [&](const unsigned char* s, char* out, int* consumed) {
            engine::ConvertSyllable(library.rules, library.isMark, library.codes, s, out, consumed);
        });
    }
    // The families with base + subscript clusters.
    struct BelowBaseLibrary {
        const engine::Rules& rules;
        const engine::BelowBase& belowBase;
        std::span<const std::uint8_t> isMark;
        std::span<const engine::GlyphCode> codes;
        const engine::GlyphPieces& pieces;
    };
    for (const BelowBaseLibrary& lib :
         {BelowBaseLibrary{kannada::kRules, kannada::kBelowBase, kannada::kIsMark,
                           kannada::kKnbcv32Codes, kannada::kKnbcv32Pieces},
          BelowBaseLibrary{kannada::kRules, kannada::kBelowBase, kannada::kIsMark,
                           kannada::kKnmcv32Codes, kannada::kKnmcv32Pieces},
          BelowBaseLibrary{telugu::kRules, telugu::kBelowBase, telugu::kIsMark,
                           telugu::kTlbcv32Codes, telugu::kTlbcv32Pieces},
          BelowBaseLibrary{telugu::kRules, telugu::kBelowBase, telugu::kIsMark,
                           telugu::kTlmcv32Codes, telugu::kTlmcv32Pieces}}) {
        WalkText(text.data(), length, [&](const unsigned char* s, char* out, int* consumed) {
            engine::ConvertSyllable(lib.rules, &lib.belowBase, lib.isMark, lib.codes, &lib.pieces,
                                    s, out, consumed);
        });
    }
    // Tamil and Malayalam: pre-base and split signs, fused tails, chillus.
    for (std::span<const engine::GlyphCode> codes :
         {std::span<const engine::GlyphCode>(tamil::kTmbcv32Codes),
          std::span<const engine::GlyphCode>(tamil::kTmmcv32Codes)}) {
        WalkText(text.data(), length, [&](const unsigned char* s, char* out, int* consumed) {
            engine::ConvertSyllable(tamil::kRules, tamil::kIsMark, codes, s, out, consumed);
        });
    }
    for (std::span<const engine::GlyphCode> codes :
         {std::span<const engine::GlyphCode>(malayalam::kMlbcv32Codes),
          std::span<const engine::GlyphCode>(malayalam::kMlmcv32Codes)}) {
        WalkText(text.data(), length, [&](const unsigned char* s, char* out, int* consumed) {
            engine::ConvertSyllable(malayalam::kRules, malayalam::kIsMark, codes, s, out, consumed);
        });
    }
    // The Bengali script's converters: Bengali, and Assamese with its own rules.
    struct Library {
        const engine::Rules* rules;
        std::span<const engine::GlyphCode> codes;
    };
    for (const Library library :
         {Library{&bengali::kRules, bengali::kBnbcv32Codes},
          Library{&bengali::kRules, bengali::kBnmcv32Codes},
          Library{&bengali::kAsbcv32Rules, bengali::kAsbcv32Codes},
          Library{&bengali::kAsmcv32Rules, bengali::kAsmcv32Codes}}) {
        WalkText(text.data(), length, [&](const unsigned char* s, char* out, int* consumed) {
            engine::ConvertSyllable(*library.rules, bengali::kIsMark, library.codes, s, out,
                                    consumed);
        });
    }
    for (std::span<const engine::GlyphCode> codes :
         {std::span<const engine::GlyphCode>(oriya::kOrbcv32Codes),
          std::span<const engine::GlyphCode>(oriya::kOrmcv32Codes)}) {
        WalkText(text.data(), length, [&](const unsigned char* s, char* out, int* consumed) {
            engine::ConvertSyllable(oriya::kRules, oriya::kIsMark, codes, s, out, consumed);
        });
    }
    WalkText(text.data(), length, [](const unsigned char* s, char* out, int* consumed) {
        engine::ConvertSyllableToRoman(devanagari::kRules, devanagari::kRmmcv32Letters, s, out,
                                       consumed);
    });
    for (std::span<const engine::GlyphCode> codes :
         {std::span<const engine::GlyphCode>(tibetan::kTbmcv32Codes),
          std::span<const engine::GlyphCode>(tibetan::kDrmcv32Codes)}) {
        WalkText(text.data(), length, [&](const unsigned char* s, char* out, int* consumed) {
            tibetan::ConvertStack(tibetan::kRules, codes, s, out, consumed);
        });
    }
    return 0;
}
