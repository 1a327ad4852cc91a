// Converts a sample of mixed ISCII and English text through the installed
// converter libraries and prints the font-code runs and the data formats.

#include <cstdio>
#include <string>

#include "script/converter_probe.h"
#include "script/font_code.h"
#include "script/iscii_text.h"
#include "script/script_catalogue.h"
#include "sim/sim_platform.h"

namespace {

using vexa::script::ScriptCatalogue;

std::string Hex(const std::string& bytes) {
    std::string out;
    char buffer[4];
    for (unsigned char b : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X ", b);
        out += buffer;
    }
    if (!out.empty()) out.pop_back();
    return out;
}

std::string Printable(const std::string& bytes) {
    std::string out;
    for (unsigned char b : bytes) out += (b >= 0x20 && b < 0x7F) ? static_cast<char>(b) : '.';
    return out;
}

}  // namespace

int main() {
    vexa::sim::SimPlatform sim;
    std::printf("family folder: %s\n\n", sim.paths.SystemDirectory().c_str());

    // "namaste vexa" in Devanagari ISCII, then English.
    const std::string sample = "\xC6\xCC\xD7\xE8\xC2\xE1 \xD4\xE1\xB3\xE8\xD7\xDA Vexa 2026";

    ScriptCatalogue::SetReach(1);
    for (int fontType : {0, 1}) {
        vexa::script::ConverterLibrary converter(sim);
        vexa::script::CreationBinding binding =
            vexa::script::BindConverterAtCreation(sim, converter, fontType, "Devanagari");
        std::printf("font type %d: script %s%s\n", fontType, binding.choice.name.c_str(),
                    converter.HasFunction() ? "" : " (no converter: text stays unconverted)");
        std::string run = vexa::script::ToFontCodeRun(converter, sample, binding.choice.englishOnly);
        std::printf("  font-code run: %s\n", Hex(run).c_str());
    }

    std::printf("\ntext (8-bit):  %s\n", Hex(sample).c_str());
    for (int format : {1, 2}) {
        std::string out = *vexa::script::StoredTextInFormat(sample, format);
        std::printf("format %d:      %s\n", format,
                    format == 1 ? Printable(out).c_str() : Hex(out).c_str());
        bool same = *vexa::script::AssignedTextFromFormat(out, format) == sample;
        std::printf("  read back:   %s\n", same ? "identical" : "DIFFERENT");
    }
    return 0;
}
