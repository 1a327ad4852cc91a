#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "keyboard/keyboard_library.h"
#include "sim/sim_platform.h"

namespace vexa::pages {

// A system directory of its own, holding only the family files a test
// installs (copied from the natively built family).
class PageRig : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        system_ = std::filesystem::temp_directory_path() / ("vexa-pages-" + std::to_string(seed()));
        std::filesystem::create_directories(system_ / "module");
        sim.paths.SetSystemDirectory(system_.string());
        sim.paths.SetModuleDirectory((system_ / "module").string());
    }
    void TearDown() override {
        keyboard::ReleaseKeyboardLibraries(sim.libraries);
        std::filesystem::remove_all(system_);
    }
    void Install(const std::string& name) {
        std::filesystem::copy_file(std::filesystem::path(VEXA_FAMILY_DIR) / name, system_ / name);
    }
    void Put(const std::string& name, const std::string& bytes = "layout") {
        std::ofstream(system_ / name, std::ios::binary) << bytes;
    }
    bool Requested(const std::string& fileName) const {
        for (const std::string& path : sim.libraries.RequestedPaths())
            if (path.size() >= fileName.size() && path.ends_with(fileName)) return true;
        return false;
    }

    sim::SimPlatform sim;
    std::filesystem::path system_;
};

}  // namespace vexa::pages
