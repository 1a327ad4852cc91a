// The family's converters beside HarfBuzz on the same words: a line of modern
// words of each script (family/words) converted through ToFontCodeRun, the
// way the controls convert a line, and the same words in Unicode shaped by
// HarfBuzz with the Noto face the family's glyphs come from. Compare the
// bytes per second of the pairs run together: BM_FontCodeRun/<script> and
// BM_HarfBuzzShape/<script>.
//
// HarfBuzz is opened at run time (libharfbuzz.so.0), so the benchmark needs
// no development package; without the library or the Noto face the HarfBuzz
// half is skipped.

#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <fstream>
#include <string>

#include "script/converter_library.h"
#include "script/font_code.h"
#include "script/unicode_text.h"
#include "sim/sim_platform.h"

namespace {

using vexa::script::UnicodeScript;

struct Script {
    const char* words;      // family/words/modern-<lang>.txt
    UnicodeScript unicode;
    const char* converter;  // the bilingual library
    const char* entry;
    const char* noto;
};

constexpr Script kHindi{"hi", UnicodeScript::kDevanagari, "DVBCV32.DLL", "iscii2devzirvo",
                        "NotoSansDevanagari-Regular.ttf"};
constexpr Script kBengali{"bn", UnicodeScript::kBengali, "BNBCV32.DLL", "iscii2bengalizirvo",
                          "NotoSansBengali-Regular.ttf"};
constexpr Script kTamil{"ta", UnicodeScript::kTamil, "TMBCV32.DLL", "iscii2tamilzirvo",
                        "NotoSansTamil-Regular.ttf"};
constexpr Script kTelugu{"te", UnicodeScript::kTelugu, "TLBCV32.DLL", "iscii2teluguzirvo",
                         "NotoSansTelugu-Regular.ttf"};

// The same words in both forms: every word of the list ISCII can write, one
// in fifteen, about 1000 ISCII bytes.
struct Line {
    std::string iscii;
    std::string utf8;
};

void AppendUtf8(std::string& out, std::u16string_view text) {
    for (char16_t c : text) {  // the Indic blocks: no surrogates
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
}

std::u16string FromUtf8(std::string_view s) {
    std::u16string out;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out += static_cast<char16_t>(b);
            i += 1;
        } else if (b < 0xE0 && i + 1 < s.size()) {
            out += static_cast<char16_t>(((b & 0x1F) << 6) | (s[i + 1] & 0x3F));
            i += 2;
        } else if (b < 0xF0 && i + 2 < s.size()) {
            out += static_cast<char16_t>(((b & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F));
            i += 3;
        } else {
            i += 1;
        }
    }
    return out;
}

Line WordsLine(const Script& script) {
    std::ifstream in(std::string(VEXA_SOURCE_DIR) + "/family/words/modern-" + script.words + ".txt");
    Line line;
    std::string word;
    for (int n = 0; std::getline(in, word) && line.iscii.size() < 1000;) {
        if (word.empty() || word[0] == '#' || n++ % 15 != 0) continue;
        const std::u16string text = FromUtf8(word);
        vexa::script::IsciiFromUnicode iscii = vexa::script::UnicodeToIscii(text, script.unicode);
        if (iscii.dropped != 0 || iscii.iscii.empty()) continue;
        line.iscii += iscii.iscii + " ";
        AppendUtf8(line.utf8, vexa::script::IsciiToUnicode(iscii.iscii, script.unicode));
        line.utf8 += " ";
    }
    return line;
}

void BM_FontCodeRun(benchmark::State& state, const Script& script) {
    vexa::sim::SimPlatform sim;
    vexa::script::ConverterLibrary converter(sim);
    const Line line = WordsLine(script);
    if (!converter.Load(script.converter, script.entry) || line.iscii.empty()) {
        state.SkipWithError("converter or words missing");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(vexa::script::ToFontCodeRun(converter, line.iscii, false));
    state.SetItemsProcessed(state.iterations());  // lines
    state.counters["iscii_bytes"] = static_cast<double>(line.iscii.size());
}

// The few HarfBuzz calls the comparison needs, by their C signatures.
struct HarfBuzz {
    using Blob = void*(const char*);
    using Face = void*(void*, unsigned);
    using Font = void*(void*);
    using Buffer = void*();
    using AddUtf8 = void(void*, const char*, int, unsigned, int);
    using Guess = void(void*);
    using Shape = void(void*, void*, const void*, unsigned);
    using Clear = void(void*);
    using Length = unsigned(void*);
    using Destroy = void(void*);

    void* library = dlopen("libharfbuzz.so.0", RTLD_NOW | RTLD_LOCAL);
    template <class F>
    F* Find(const char* name) const {
        return library ? reinterpret_cast<F*>(dlsym(library, name)) : nullptr;
    }
    Blob* blob = Find<Blob>("hb_blob_create_from_file");
    Face* face = Find<Face>("hb_face_create");
    Font* font = Find<Font>("hb_font_create");
    Buffer* buffer = Find<Buffer>("hb_buffer_create");
    AddUtf8* addUtf8 = Find<AddUtf8>("hb_buffer_add_utf8");
    Guess* guess = Find<Guess>("hb_buffer_guess_segment_properties");
    Shape* shape = Find<Shape>("hb_shape");
    Clear* clear = Find<Clear>("hb_buffer_clear_contents");
    Length* length = Find<Length>("hb_buffer_get_length");
    Destroy* destroyBuffer = Find<Destroy>("hb_buffer_destroy");
    Destroy* destroyFont = Find<Destroy>("hb_font_destroy");
    Destroy* destroyFace = Find<Destroy>("hb_face_destroy");
    Destroy* destroyBlob = Find<Destroy>("hb_blob_destroy");

    bool Usable() const {
        return blob && face && font && buffer && addUtf8 && guess && shape && clear && length &&
               destroyBuffer && destroyFont && destroyFace && destroyBlob;
    }
};

void BM_HarfBuzzShape(benchmark::State& state, const Script& script) {
    static const HarfBuzz hb;
    const std::string path = std::string("/usr/share/fonts/truetype/noto/") + script.noto;
    const Line line = WordsLine(script);
    if (!hb.Usable() || !std::ifstream(path) || line.utf8.empty()) {
        state.SkipWithError("libharfbuzz.so.0, the Noto face or the words missing");
        return;
    }
    void* blob = hb.blob(path.c_str());
    void* face = hb.face(blob, 0);
    void* font = hb.font(face);
    void* buffer = hb.buffer();
    for (auto _ : state) {
        hb.clear(buffer);
        hb.addUtf8(buffer, line.utf8.data(), static_cast<int>(line.utf8.size()), 0,
                   static_cast<int>(line.utf8.size()));
        hb.guess(buffer);
        hb.shape(font, buffer, nullptr, 0);
        benchmark::DoNotOptimize(hb.length(buffer));
    }
    hb.destroyBuffer(buffer);
    hb.destroyFont(font);
    hb.destroyFace(face);
    hb.destroyBlob(blob);
    state.SetItemsProcessed(state.iterations());  // lines
}

BENCHMARK_CAPTURE(BM_FontCodeRun, hindi, kHindi);
BENCHMARK_CAPTURE(BM_HarfBuzzShape, hindi, kHindi);
BENCHMARK_CAPTURE(BM_FontCodeRun, bengali, kBengali);
BENCHMARK_CAPTURE(BM_HarfBuzzShape, bengali, kBengali);
BENCHMARK_CAPTURE(BM_FontCodeRun, tamil, kTamil);
BENCHMARK_CAPTURE(BM_HarfBuzzShape, tamil, kTamil);
BENCHMARK_CAPTURE(BM_FontCodeRun, telugu, kTelugu);
BENCHMARK_CAPTURE(BM_HarfBuzzShape, telugu, kTelugu);

}  // namespace
