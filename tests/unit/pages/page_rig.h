#pragma once

#include <string>

#include <gtest/gtest.h>

#include "keyboard/keyboard_library.h"
#include "unit/fixture_platform.h"

namespace vexa::pages {

// A system directory of its own, holding only the family files a test
// installs (copied from the natively built family).
class PageRig : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(system_ / "module");
        sim.paths.SetSystemDirectory(system_.string());
        sim.paths.SetModuleDirectory((system_ / "module").string());
    }
    void TearDown() override { keyboard::ReleaseKeyboardLibraries(sim.libraries); }
    void Install(const std::string& name) { folder_.Copy(VEXA_FAMILY_DIR, name); }
    void Put(const std::string& name, const std::string& bytes = "layout") { folder_.Put(name, bytes); }
    bool Requested(const std::string& fileName) const {
        for (const std::string& path : sim.libraries.RequestedPaths())
            if (path.size() >= fileName.size() && path.ends_with(fileName)) return true;
        return false;
    }

    sim::SimPlatform sim;
    test::TempDirectory folder_{"vexa-pages-"};
    const std::filesystem::path& system_ = folder_.path;
};

}  // namespace vexa::pages
