#include "platform/family_library.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "unit/fixture_platform.h"

namespace vexa {
namespace {

using ::testing::ElementsAre;

TEST(FamilyLibrary, LoadsByFullPathFromTheSystemDirectoryOnly) {
    test::FixturePlatform sim;
    auto library = platform::FamilyLibrary::Open(sim, "DVBCV32.DLL");
    ASSERT_TRUE(library.IsLoaded());
    EXPECT_NE(library.FindEntry("iscii2devzirvo"), nullptr);
    EXPECT_EQ(library.FindEntry("no_such_entry"), nullptr);
    EXPECT_THAT(sim.libraries.RequestedPaths(),
                ElementsAre(std::string(VEXA_FIXTURE_DIR) + "/DVBCV32.DLL"));
}

TEST(FamilyLibrary, FallsBackToTheModuleDirectoryAndNeverToABareName) {
    test::FixturePlatform sim;
    sim.paths.SetSystemDirectory("/nonexistent-system");
    sim.paths.SetModuleDirectory(VEXA_FIXTURE_DIR);
    auto library = platform::FamilyLibrary::Open(sim, "TMBCV32.DLL");
    EXPECT_TRUE(library.IsLoaded());

    auto missing = platform::FamilyLibrary::Open(sim, "ASBCV32.DLL");
    EXPECT_FALSE(missing.IsLoaded());
    EXPECT_FALSE(platform::FamilyLibraryExists(sim, "ASBCV32.DLL"));
    // Both folders were asked for each file's attributes; only a file that
    // is there reached the loader.
    EXPECT_THAT(sim.libraries.RequestedPaths(),
                ElementsAre(std::string(VEXA_FIXTURE_DIR) + "/TMBCV32.DLL"));
    EXPECT_THAT(sim.files.ProbedPaths(),
                ElementsAre("/nonexistent-system/TMBCV32.DLL",
                            std::string(VEXA_FIXTURE_DIR) + "/TMBCV32.DLL",
                            "/nonexistent-system/ASBCV32.DLL",
                            std::string(VEXA_FIXTURE_DIR) + "/ASBCV32.DLL",
                            "/nonexistent-system/ASBCV32.DLL",
                            std::string(VEXA_FIXTURE_DIR) + "/ASBCV32.DLL"));
    EXPECT_EQ(sim.files.Opens(), 0);
}

TEST(FamilyLibrary, WithNoDirectoriesNothingIsLoaded) {
    test::FixturePlatform sim;
    sim.paths.SetSystemDirectory("");
    EXPECT_FALSE(platform::FamilyLibrary::Open(sim, "DVBCV32.DLL").IsLoaded());
    EXPECT_TRUE(sim.libraries.RequestedPaths().empty());
    // A device name is never asked about, let alone loaded.
    sim.paths.SetSystemDirectory(VEXA_FIXTURE_DIR);
    EXPECT_FALSE(platform::FamilyLibraryExists(sim, "COM1.DLL"));
    EXPECT_EQ(sim.files.Probe(VEXA_FIXTURE_DIR, "aux"), platform::FileKind::Missing);
    EXPECT_EQ(sim.files.Probe(VEXA_FIXTURE_DIR, "DVBCV32.DLL"), platform::FileKind::Regular);
    EXPECT_EQ(sim.files.Probe("/", "tmp"), platform::FileKind::Other);
    EXPECT_TRUE(sim.libraries.RequestedPaths().empty());
}

TEST(FamilyLibrary, ReleasesOnDestructionAndMove) {
    test::FixturePlatform sim;
    {
        auto a = platform::FamilyLibrary::Open(sim, "DVBCV32.DLL");
        EXPECT_EQ(sim.libraries.OpenCount(), 1);
        platform::FamilyLibrary b = std::move(a);
        EXPECT_FALSE(a.IsLoaded());
        EXPECT_TRUE(b.IsLoaded());
        b = platform::FamilyLibrary::Open(sim, "TMBCV32.DLL");
        EXPECT_EQ(sim.libraries.OpenCount(), 1);
    }
    EXPECT_EQ(sim.libraries.OpenCount(), 0);
    EXPECT_TRUE(platform::FamilyLibraryExists(sim, "DVMCV32.DLL"));
    EXPECT_EQ(sim.libraries.OpenCount(), 0);
}

}  // namespace
}  // namespace vexa
