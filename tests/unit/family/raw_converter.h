#pragma once

// Calls a family converter exactly as the contract allows, and watches that
// it keeps to it: the output buffer is 256 bytes with a guard pattern after
// the 100 bytes a converter may write.

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "script/converter_abi.h"
#include "sim/sim_platform.h"

namespace vexa::test {

struct RawResult {
    std::string output;  // up to the terminator
    int consumed = 0;
    bool guardIntact = true;
    bool terminated = true;
};

class RawConverter {
public:
    RawConverter(sim::SimPlatform& sim, const std::string& file, const std::string& entry)
        : sim_(sim) {
        handle_ = sim_.libraries.Load(sim_.paths.SystemDirectory(), file);
        if (handle_) {
            fn_ = reinterpret_cast<VexaConvertSyllableFn>(sim_.libraries.FindEntry(handle_, entry));
        }
    }
    ~RawConverter() {
        if (handle_) sim_.libraries.Free(handle_);
    }
    RawConverter(const RawConverter&) = delete;
    RawConverter& operator=(const RawConverter&) = delete;

    bool Loaded() const { return fn_ != nullptr; }

    // Converts the syllable at text + at (text is NUL-terminated).
    RawResult Call(const std::string& text, std::size_t at = 0) const {
        constexpr unsigned char kGuard = 0xA5;
        char buffer[256];
        std::memset(buffer, 0, VEXA_CONVERTER_OUTPUT_LIMIT);
        std::memset(buffer + VEXA_CONVERTER_OUTPUT_LIMIT, kGuard,
                    sizeof buffer - VEXA_CONVERTER_OUTPUT_LIMIT);
        int consumed = 0;
        int reserved = 0;
        fn_(reinterpret_cast<const unsigned char*>(text.c_str()) + at, buffer, &consumed,
            &reserved, 0);
        RawResult r;
        r.consumed = consumed;
        for (std::size_t i = VEXA_CONVERTER_OUTPUT_LIMIT; i < sizeof buffer; ++i) {
            if (static_cast<unsigned char>(buffer[i]) != kGuard) r.guardIntact = false;
        }
        r.terminated = std::memchr(buffer, 0, VEXA_CONVERTER_OUTPUT_LIMIT) != nullptr;
        r.output.assign(buffer, r.terminated ? std::strlen(buffer) : VEXA_CONVERTER_OUTPUT_LIMIT);
        return r;
    }

    // Every syllable of a text, as the controls walk it.
    std::string ConvertAll(const std::string& text, std::vector<int>* counts = nullptr) const {
        std::string all;
        std::size_t p = 0;
        while (p < text.size()) {
            RawResult r = Call(text, p);
            all += r.output;
            if (counts) counts->push_back(r.consumed);
            p += static_cast<std::size_t>(r.consumed > 0 ? r.consumed : 1);
        }
        return all;
    }

private:
    sim::SimPlatform& sim_;
    platform::LibraryHandle handle_ = nullptr;
    VexaConvertSyllableFn fn_ = nullptr;
};

// The five converter libraries of the Devanagari family.
struct FamilyLibrary {
    const char* file;
    const char* entry;
    bool usesExtension;  // may answer digit '2'
    int firstScriptCode; // lowest code a script glyph of the script font may have
};

inline constexpr FamilyLibrary kDevanagariLibraries[] = {
    {"DVBCV32.DLL", "iscii2devzirvo", true, 0x80},
    {"DVMCV32.DLL", "iscii2devzirvo", true, 0x21},
    {"SDMCV32.DLL", "iscii2devsanskritzirvo", false, 0x21},
    {"VDMCV32.DLL", "iscii2vediczirvo", true, 0x21},
    {"RMMCV32.DLL", "iscii2rmzirvo", false, 0x21},
};

// The converter libraries of the Tamil and Malayalam families.
inline constexpr FamilyLibrary kTamilMalayalamLibraries[] = {
    {"TMBCV32.DLL", "iscii2tamilzirvo", false, 0x80},
    {"TMMCV32.DLL", "iscii2tamilzirvo", false, 0x21},
    {"MLBCV32.DLL", "iscii2malayalamzirvo", false, 0x80},
    {"MLMCV32.DLL", "iscii2malayalamzirvo", false, 0x21},
};

// The libraries of the Bengali script (Bengali, Assamese) and of Oriya.
inline constexpr FamilyLibrary kEasternLibraries[] = {
    {"BNBCV32.DLL", "iscii2bengalizirvo", true, 0x80},
    {"BNMCV32.DLL", "iscii2bengalizirvo", true, 0x21},
    {"ASBCV32.DLL", "iscii2assamesezirvo", true, 0x80},
    {"ASMCV32.DLL", "iscii2assamesezirvo", true, 0x21},
    {"ORBCV32.DLL", "iscii2oriyazirvo", true, 0x80},
    {"ORMCV32.DLL", "iscii2oriyazirvo", false, 0x21},
};

inline constexpr FamilyLibrary kGujaratiLibraries[] = {
    {"GJBCV32.DLL", "iscii2gjzirvo", true, 0x80},
    {"GJMCV32.DLL", "iscii2gjzirvo", false, 0x21},
};

inline constexpr FamilyLibrary kPunjabiLibraries[] = {
    {"PNBCV32.DLL", "iscii2punjabizirvo", true, 0x80},
    {"PNMCV32.DLL", "iscii2punjabizirvo", false, 0x21},
};

inline void PrintTo(const FamilyLibrary& library, std::ostream* os) { *os << library.file; }

inline std::string Iscii(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

}  // namespace vexa::test
