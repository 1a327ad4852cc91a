#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "hostguide/host_guide.h"
#include "module/automation_catalogue.h"
#include "module/class_table.h"

namespace vexa::hostguide {
namespace {

// A change to the catalogue without `make regen-docs` fails here.
TEST(HostGuide, TheCommittedPageIsTheGeneratorsOutput) {
    std::ifstream file(VEXA_HOST_GUIDE, std::ios::binary);
    ASSERT_TRUE(file) << VEXA_HOST_GUIDE;
    std::stringstream committed;
    committed << file.rdbuf();
    EXPECT_TRUE(committed.str() == HostGuide(module::Catalogue()))
        << "docs/host-guide.md is out of date: run cmake --build --preset native --target regen-docs";
}

// Every member of every class is documented with its DispID, and every
// named value appears.
TEST(HostGuide, NamesEveryMemberAndValue) {
    const module::TypeLibrary& lib = module::Catalogue();
    const std::string page = HostGuide(lib);
    for (const module::CoClass& c : lib.classes) {
        std::size_t at = page.find("## " + std::string(c.name) + "\n");
        ASSERT_NE(at, std::string::npos) << c.name;
        std::size_t end = page.find("\n## ", at + 1);
        std::string section = page.substr(at, end - at);
        for (const module::Member& m : c.dispatch.members) {
            std::string row = "| " + std::to_string(m.dispId) + " | " + std::string(m.name);
            EXPECT_NE(section.find(row), std::string::npos) << c.name << "." << m.name;
            EXPECT_FALSE(m.helpString.empty()) << c.name << "." << m.name;
        }
        for (const module::Member& e : c.events.members) {
            std::string row = "| " + std::to_string(e.dispId) + " | " + std::string(e.name) + "(";
            EXPECT_NE(section.find(row), std::string::npos) << c.name << " event " << e.name;
        }
    }
    for (const module::EnumType& e : lib.enums)
        for (const module::EnumValue& v : e.values)
            EXPECT_NE(page.find("| " + std::to_string(v.value) + " | " + std::string(v.name) + " |"),
                      std::string::npos)
                << v.name;
}

// Hosts find the edit control by both its ProgIDs, and learn which classes
// they cannot create yet.
TEST(HostGuide, GivesTheProgIdsAndWhatIsCreatable) {
    const std::string page = HostGuide(module::Catalogue());
    EXPECT_NE(page.find("`VEXAOCX.VEditCtrl.1` (version-independent: `VEXAOCX.VEditCtrl`)"),
              std::string::npos);
    EXPECT_NE(page.find("| VEdit | `VEXAOCX.VEditCtrl.1` | yes |"), std::string::npos);
    for (const module::FactoryEntry& f : module::Factories()) {
        if (f.kind != module::FactoryKind::Control) continue;
        std::string row = "| " + std::string(f.controlName) + " | `" + std::string(f.progId) + "` | " +
                          (f.implemented ? "yes" : "no") + " |";
        EXPECT_NE(page.find(row), std::string::npos) << row;
    }
    EXPECT_NE(page.find("| 28 | GetFormattedZIRVOText(nFontSize As Integer (16-bit), nLineWidth As Long "
                        "(32-bit)) | String |"),
              std::string::npos);
    EXPECT_NE(page.find("KeyDown(ByRef KeyCode As Integer (16-bit), Shift As Integer (16-bit))"),
              std::string::npos);
}

}  // namespace
}  // namespace vexa::hostguide
