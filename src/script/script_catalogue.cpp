#include "script/script_catalogue.h"

namespace vexa::script {

namespace {

constexpr std::array<ScriptEntry, kCatalogueRows> kRows{{
    // name, code, entry, mono converter, bi converter,
    // mono face, mono second, mono extension, bi face, bi second, bi extension
    // (The monolingual extension faces of Assamese, Bengali, Devanagari and
    // Telugu and Telugu's bilingual one are newer than the rest: their
    // converters draw without them where a system lacks them.)
    {"Assamese", "AS", "iscii2assamesezirvo", "ASMCV32.DLL", "ASBCV32.DLL",
     "AS-TTBelmo", "AS1-TTBelmo", "AS2-TTBelmo", "ASB-TTBelmo", "", "ASB-TTBelmoEN"},
    {"Bengali", "BN", "iscii2bengalizirvo", "BNMCV32.DLL", "BNBCV32.DLL",
     "BN-TTBelmo", "BN1-TTBelmo", "BN2-TTBelmo", "BNB-TTBelmo", "", "BNB-TTBelmoEN"},
    {"Bhutanese", "DR", "iscii2tibetanzirvo", "DRMCV32.DLL", "DRMCV32.DLL",
     "DR-TTTrasko", "DR3-TTTrasko", "", "DR-TTTrasko", "DR3-TTTrasko", ""},
    {"Devanagari", "DV", "iscii2devzirvo", "DVMCV32.DLL", "DVBCV32.DLL",
     "DV-TTDorvan", "DV1-TTDorvan", "DV2-TTDorvan", "DVB-TTDorvan", "", "DVB-TTDorvanEN"},
    {"Gujarati", "GJ", "iscii2gjzirvo", "GJMCV32.DLL", "GJBCV32.DLL",
     "GJ-TTFelida", "GJ1-TTFelida", "", "GJB-TTFelida", "", "GJB-TTFelidaEN"},
    {"Kannada", "KN", "iscii2kannadazirvo", "KNMCV32.DLL", "KNBCV32.DLL",
     "KN-TTOkira", "KN1-TTOkira", "", "KNB-TTOkira", "", ""},
    {"Malayalam", "ML", "iscii2malayalamzirvo", "MLMCV32.DLL", "MLBCV32.DLL",
     "ML-TTMerun", "ML1-TTMerun", "", "MLB-TTMerun", "", ""},
    {"Oriya", "OR", "iscii2oriyazirvo", "ORMCV32.DLL", "ORBCV32.DLL",
     "OR-TTGalvi", "OR1-TTGalvi", "", "ORB-TTGalvi", "", "ORB-TTGalviEN"},
    {"Punjabi", "PN", "iscii2punjabizirvo", "PNMCV32.DLL", "PNBCV32.DLL",
     "PN-TTPirel", "PN1-TTPirel", "", "PNB-TTPirel", "", "PNB-TTPirelEN"},
    {"Roman", "RM", "iscii2rmzirvo", "RMMCV32.DLL", "RMMCV32.DLL",
     "DV1-TTDorvan", "DV1-TTDorvan", "", "DV1-TTDorvan", "", ""},
    {"Sanskrit", "SD", "iscii2devsanskritzirvo", "SDMCV32.DLL", "SDMCV32.DLL",
     "SD-TTDorvan", "DV1-TTDorvan", "", "SD-TTDorvan", "DV1-TTDorvan", "DV1-TTDorvan"},
    {"Tamil", "TM", "iscii2tamilzirvo", "TMMCV32.DLL", "TMBCV32.DLL",
     "TM-TTTesvor", "TM1-TTTesvor", "", "TMB-TTTesvor", "", ""},
    {"Telugu", "TL", "iscii2teluguzirvo", "TLMCV32.DLL", "TLBCV32.DLL",
     "TL-TTQuilan", "TL1-TTQuilan", "TL2-TTQuilan", "TLB-TTQuilan", "", "TLB-TTQuilanEN"},
    {"Tibetan", "TB", "iscii2tibetanzirvo", "TBMCV32.DLL", "TBMCV32.DLL",
     "TB-TTZamper", "TB3-TTZamper", "", "TB-TTZamper", "TB3-TTZamper", ""},
    {"Vedic", "VD", "iscii2vediczirvo", "VDMCV32.DLL", "",
     "VD-TTDorvan", "DV1-TTDorvan", "VD2-TTDorvan", "", "", ""},
}};

struct FacePrefixRow {
    std::string_view script;
    std::string_view bilingual;
    std::string_view monolingual;
};

constexpr std::array<FacePrefixRow, 13> kFacePrefixes{{
    {"Assamese", "ASB-", "AS-"},   {"Bengali", "BNB-", "BN-"},   {"Devanagari", "DVB-", "DV-"},
    {"Gujarati", "GJB-", "GJ-"},   {"Kannada", "KNB-", "KN-"},   {"Malayalam", "MLB-", "ML-"},
    {"Marathi", "DVB-", "DV-"},    {"Oriya", "ORB-", "OR-"},     {"Punjabi", "PNB-", "PN-"},
    {"Sanskrit", "SDB-", "SD-"},   {"Tamil", "TMB-", "TM-"},     {"Telugu", "TLB-", "TL-"},
    {"Vedic", "", "VD-"},
}};

constexpr int kReachBilingual = 14;
constexpr int kReachMonolingual = 15;

// One value for the whole process, shared by every control without locks:
// all controls run on their container's user-interface thread.
int g_reach = kReachBilingual;

// The bilingual or monolingual column; font types other than 0 and 1 have
// neither.
std::string_view Pick(int fontType, std::string_view bilingual, std::string_view monolingual) {
    if (fontType == static_cast<int>(FontType::Bilingual)) return bilingual;
    if (fontType == static_cast<int>(FontType::Monolingual)) return monolingual;
    return {};
}

}  // namespace

const std::array<ScriptEntry, kCatalogueRows>& ScriptCatalogue::Rows() { return kRows; }

const ScriptEntry& ScriptCatalogue::Row(int row) { return kRows.at(static_cast<std::size_t>(row)); }

void ScriptCatalogue::SetReach(int fontType) {
    if (fontType == static_cast<int>(FontType::Bilingual)) g_reach = kReachBilingual;
    if (fontType == static_cast<int>(FontType::Monolingual)) g_reach = kReachMonolingual;
}

int ScriptCatalogue::RowCount() { return g_reach; }

std::optional<int> ScriptCatalogue::FindRow(std::string_view name) {
    for (int row = 0; row < g_reach; ++row) {
        if (kRows[static_cast<std::size_t>(row)].name == name) return row;
    }
    return std::nullopt;
}

std::string_view ScriptCatalogue::ConverterFile(int row, int fontType) {
    const ScriptEntry& entry = Row(row);
    return Pick(fontType, entry.biConverter, entry.monoConverter);
}

std::string_view ScriptCatalogue::DefaultFace(int row, int fontType) {
    const ScriptEntry& entry = Row(row);
    return Pick(fontType, entry.biFace, entry.monoFace);
}

std::string_view ScriptCatalogue::ExtensionFace(int row, int fontType) {
    const ScriptEntry& entry = Row(row);
    return Pick(fontType, entry.biExtensionFace, entry.monoExtensionFace);
}

std::string_view ScriptCatalogue::FacePrefix(std::string_view scriptName, int fontType) {
    for (const FacePrefixRow& row : kFacePrefixes) {
        if (row.script == scriptName) return Pick(fontType, row.bilingual, row.monolingual);
    }
    return {};
}

}  // namespace vexa::script
