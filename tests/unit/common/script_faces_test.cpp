#include <gtest/gtest.h>

#include "common/script_faces.h"
#include "common/stored_text.h"
#include "script/script_catalogue.h"
#include "unit/fixture_platform.h"

namespace vexa::common {
namespace {

using test::Bytes;

int Row(std::string_view name) {
    script::ScriptCatalogue::SetReach(1);
    return *script::ScriptCatalogue::FindRow(name);
}

TEST(SecondFace, DerivedFromTheFaceName) {
    EXPECT_EQ(DeriveSecondFace("DV-TTDorvan", "Devanagari"), "DV1-TTDorvan");
    EXPECT_EQ(DeriveSecondFace("TB-TTZamper", "Tibetan"), "TB3-TTZamper");
    EXPECT_EQ(DeriveSecondFace("BT-X-Y", "Bhutanese"), "BT3-X-Y");  // first "-" only
    EXPECT_EQ(DeriveSecondFace("Arial", "Devanagari"), "Arial");
    EXPECT_EQ(DeriveSecondFace("-X", "Tamil"), "1-X");
}

TEST(SecondFace, EnglishFaceOfARow) {
    int dev = Row("Devanagari");
    EXPECT_EQ(EnglishFaceForRow(dev, "DV-TTDorvan", 1), "DV1-TTDorvan");
    EXPECT_EQ(EnglishFaceForRow(dev, "DVB-TTDorvan", 0), "DVB-TTDorvan");
    int sanskrit = Row("Sanskrit");
    EXPECT_EQ(EnglishFaceForRow(sanskrit, "SD-TTDorvan", 0), "DV1-TTDorvan");
    // The monolingual default face keeps the catalogue's own second face.
    const auto& entry = script::ScriptCatalogue::Row(sanskrit);
    EXPECT_EQ(EnglishFaceForRow(sanskrit, std::string(entry.monoFace), 1), entry.monoSecondFace);
}

TEST(ScriptFaces, AFaceBelongsToTheScriptsOwnFacesAndFamily) {
    const int dev = Row("Devanagari"), tamil = Row("Tamil"), roman = Row("Roman");
    const int tibetan = Row("Tibetan");
    EXPECT_TRUE(FaceBelongsToRow("DVB-TTDorvan", dev, 0));
    EXPECT_TRUE(FaceBelongsToRow("DVB-TTDorvanEN", dev, 0));  // listed by GetFontList
    EXPECT_TRUE(FaceBelongsToRow("DVB-TTSurekh", dev, 0));    // another family of the script
    EXPECT_FALSE(FaceBelongsToRow("DVB-TTDorvan", tamil, 0));
    EXPECT_FALSE(FaceBelongsToRow("", tamil, 0));
    EXPECT_FALSE(FaceBelongsToRow("TMB-TTTesvor", tamil, 1));  // a bilingual face
    EXPECT_TRUE(FaceBelongsToRow("TM-TTTesvor", tamil, 1));
    // Scripts without a prefix have only the catalogue's faces.
    EXPECT_TRUE(FaceBelongsToRow("DV1-TTDorvan", roman, 0));
    EXPECT_FALSE(FaceBelongsToRow("DVB-TTDorvan", roman, 0));
    EXPECT_TRUE(FaceBelongsToRow("TB3-TTZamper", tibetan, 0));
    EXPECT_FALSE(FaceBelongsToRow("Arial", tibetan, 0));
    script::ScriptCatalogue::SetReach(0);
}

TEST(OwnTextFilter, KeepsTabsAndVedicPairsTheHostFilterDrops) {
    std::string own = Bytes({0xA4, 0x09, 0xF0, 0xB8, 'a', 0x0A, 'b'});
    EXPECT_EQ(FilterOwnText(own), Bytes({0xA4, 0x09, 0xF0, 0xB8, 'a', 0x0D, 0x0A, 'b'}));
    // Still dropped: 0xF0 before an English byte (with it), 0x1E, bytes 0x80-0xA0.
    EXPECT_EQ(FilterOwnText(Bytes({0xF0, 'x', 0x1E, 0x85, 0xA0, 0xEB, 'y'})), "y");
    EXPECT_EQ(FilterOwnText(Bytes({'a', 0xF0})), "a");  // a trailing mark goes alone
    EXPECT_EQ(FilterOwnText(Bytes({0x0A, 'a', 0x0D, 0x0A})), Bytes({0x0A, 'a', 0x0D, 0x0A}));
}

}  // namespace
}  // namespace vexa::common
