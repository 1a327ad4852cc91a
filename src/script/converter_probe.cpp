#include "script/converter_probe.h"

#include "platform/family_library.h"
#include "script/converter_messages.h"
#include "script/script_catalogue.h"

namespace vexa::script {

namespace {

// The creation probe has its own fixed range, whatever the reach.
constexpr int kProbeRows = 14;

bool ConverterLoads(const platform::Platform& platform, int row, int fontType) {
    std::string_view file = ScriptCatalogue::ConverterFile(row, fontType);
    return !file.empty() && platform::FamilyLibraryExists(platform, std::string(file));
}

}  // namespace

ScriptChoice ChooseScriptAtCreation(const platform::Platform& platform, int fontType,
                                    std::string_view requestedName) {
    ScriptChoice choice;
    choice.name = kEnglishScriptName;
    bool anyLoads = false;
    for (int row = 0; row < kProbeRows && !anyLoads; ++row) {
        anyLoads = ConverterLoads(platform, row, fontType);
    }
    if (!anyLoads) return choice;

    int lastCounting = -1;
    for (int row = 0; row < ScriptCatalogue::RowCount(); ++row) {
        if (!ConverterLoads(platform, row, fontType)) continue;
        lastCounting = row;
        if (ScriptCatalogue::Row(row).name == requestedName) break;
    }
    if (lastCounting < 0) return choice;  // only rows out of reach load
    choice.englishOnly = false;
    choice.row = lastCounting;
    choice.name = ScriptCatalogue::Row(lastCounting).name;
    return choice;
}

CreationBinding BindConverterAtCreation(const platform::Platform& platform,
                                        ConverterLibrary& converter, int fontType,
                                        std::string_view requestedName,
                                        std::string_view controlName) {
    CreationBinding binding;
    binding.choice = ChooseScriptAtCreation(platform, fontType, requestedName);
    bool bound = false;
    if (!binding.choice.englishOnly) {
        const ScriptEntry& entry = ScriptCatalogue::Row(binding.choice.row);
        bound = converter.Load(ScriptCatalogue::ConverterFile(binding.choice.row, fontType),
                               entry.converterEntry);
    }
    if (!bound) {
        platform::MessageAnswer answer = platform.messages.Show(
            MissingConverterCaption(controlName), std::string(MissingConverterText(fontType)),
            platform::MessageButtons::YesNo, platform::MessageIcon::Stop);
        binding.proceed = answer != platform::MessageAnswer::No;
    }
    return binding;
}

}  // namespace vexa::script
