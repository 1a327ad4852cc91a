#include "script/script_catalogue.h"

#include <gtest/gtest.h>

namespace vexa::script {
namespace {

// The reach is process-wide: each test sets what it relies on and puts the
// load-time value back.
class CatalogueTest : public ::testing::Test {
protected:
    void TearDown() override { ScriptCatalogue::SetReach(0); }
};

TEST_F(CatalogueTest, ReachFollowsTheFontTypeAndIgnoresOtherValues) {
    EXPECT_EQ(ScriptCatalogue::RowCount(), 14);
    ScriptCatalogue::SetReach(1);
    EXPECT_EQ(ScriptCatalogue::RowCount(), 15);
    ScriptCatalogue::SetReach(7);
    EXPECT_EQ(ScriptCatalogue::RowCount(), 15);
    ScriptCatalogue::SetReach(-1);
    EXPECT_EQ(ScriptCatalogue::RowCount(), 15);
    ScriptCatalogue::SetReach(0);
    EXPECT_EQ(ScriptCatalogue::RowCount(), 14);
}

TEST_F(CatalogueTest, VedicIsFoundOnlyWithinTheMonolingualReach) {
    ScriptCatalogue::SetReach(0);
    EXPECT_FALSE(ScriptCatalogue::FindRow("Vedic").has_value());
    ScriptCatalogue::SetReach(1);
    EXPECT_EQ(ScriptCatalogue::FindRow("Vedic"), 14);
}

TEST_F(CatalogueTest, NamesMatchExactlyAndInFull) {
    EXPECT_EQ(ScriptCatalogue::FindRow("Assamese"), 0);
    EXPECT_EQ(ScriptCatalogue::FindRow("Devanagari"), 3);
    EXPECT_EQ(ScriptCatalogue::FindRow("Tibetan"), 13);
    EXPECT_FALSE(ScriptCatalogue::FindRow("devanagari"));
    EXPECT_FALSE(ScriptCatalogue::FindRow("Devanagari "));
    EXPECT_FALSE(ScriptCatalogue::FindRow("Deva"));
    EXPECT_FALSE(ScriptCatalogue::FindRow("Marathi"));
    EXPECT_FALSE(ScriptCatalogue::FindRow("English"));
    EXPECT_FALSE(ScriptCatalogue::FindRow(""));
}

TEST_F(CatalogueTest, RowsFollowTheNamingPatternOfCodesFilesAndFaces) {
    const auto& rows = ScriptCatalogue::Rows();
    for (const ScriptEntry& row : rows) {
        SCOPED_TRACE(std::string(row.name));
        EXPECT_EQ(row.monoConverter, std::string(row.code) + "MCV32.DLL");
        EXPECT_EQ(row.converterEntry.substr(0, 5), "iscii");
        EXPECT_EQ(row.converterEntry.substr(row.converterEntry.size() - 5), "zirvo");
        // Every face but Roman's borrowed Devanagari one starts with the code.
        if (row.name != "Roman") {
            EXPECT_EQ(row.monoFace.substr(0, 2), row.code);
        }
    }
    // Bilingual converters are the "B" files except for the four scripts that
    // use their monolingual file in both font types, and Vedic, which has none.
    for (std::string_view name : {"Bhutanese", "Roman", "Sanskrit", "Tibetan"}) {
        int row = *ScriptCatalogue::FindRow(name);
        EXPECT_EQ(ScriptCatalogue::ConverterFile(row, 0), ScriptCatalogue::ConverterFile(row, 1));
    }
    EXPECT_EQ(ScriptCatalogue::ConverterFile(3, 0), "DVBCV32.DLL");
    EXPECT_EQ(ScriptCatalogue::ConverterFile(3, 1), "DVMCV32.DLL");
    EXPECT_EQ(ScriptCatalogue::ConverterFile(14, 0), "");
    EXPECT_EQ(ScriptCatalogue::ConverterFile(14, 1), "VDMCV32.DLL");
    EXPECT_EQ(rows[2].converterEntry, rows[13].converterEntry);
    EXPECT_NE(rows[2].monoConverter, rows[13].monoConverter);
}

// Which column a font type reads; the faces themselves are the rows' data
// (the binding tests use Sanskrit's, Devanagari's and Tamil's).
TEST_F(CatalogueTest, FaceColumnsPickByFontType) {
    const ScriptEntry& devanagari = ScriptCatalogue::Row(3);
    EXPECT_EQ(ScriptCatalogue::DefaultFace(3, 0), devanagari.biFace);
    EXPECT_EQ(ScriptCatalogue::DefaultFace(3, 1), devanagari.monoFace);
    EXPECT_EQ(ScriptCatalogue::ExtensionFace(3, 0), devanagari.biExtensionFace);
    EXPECT_EQ(ScriptCatalogue::ExtensionFace(3, 1), devanagari.monoExtensionFace);
    EXPECT_NE(devanagari.biExtensionFace, devanagari.monoExtensionFace);
    EXPECT_EQ(ScriptCatalogue::DefaultFace(3, 2), "");
    // Roman's one borrowed face stands in both columns.
    EXPECT_EQ(ScriptCatalogue::DefaultFace(9, 0), ScriptCatalogue::DefaultFace(9, 1));
}

TEST_F(CatalogueTest, FacePrefixesIncludeMarathiAndAreEmptyWhenAbsent) {
    EXPECT_EQ(ScriptCatalogue::FacePrefix("Marathi", 0), "DVB-");
    EXPECT_EQ(ScriptCatalogue::FacePrefix("Marathi", 1), "DV-");
    EXPECT_EQ(ScriptCatalogue::FacePrefix("Sanskrit", 0), "SDB-");
    EXPECT_EQ(ScriptCatalogue::FacePrefix("Vedic", 0), "");
    EXPECT_EQ(ScriptCatalogue::FacePrefix("Vedic", 1), "VD-");
    EXPECT_EQ(ScriptCatalogue::FacePrefix("Tibetan", 0), "");
    EXPECT_EQ(ScriptCatalogue::FacePrefix("English", 1), "");
    EXPECT_EQ(ScriptCatalogue::FacePrefix("tamil", 1), "");
}

}  // namespace
}  // namespace vexa::script
