#pragma once

#include <memory>
#include <string>
#include <vector>

#include "captions/caption_logic.h"
#include "common/script_fonts.h"
#include "defaults/default_values.h"
#include "sim/sim_fonts.h"
#include "sim/sim_registry.h"
#include "sim/sim_settings_files.h"
#include "sim/sim_window.h"
#include "sim/sim_platform.h"
#include "unit/exchange_rig.h"
#include "unit/fixture_platform.h"

namespace vexa::captions::test {

using vexa::test::Bytes;

// The window side of a caption control in memory: a simulated window with
// fonts built as the control builds them, and a record of what the logic
// asked of it.
struct CaptionRig : CaptionView {
    explicit CaptionRig(CaptionKind kind, std::string systemDirectory = VEXA_FIXTURE_DIR)
        : platform(std::move(systemDirectory)),
          window(simFonts, {0, 0, 160, 30}),
          logic(kind, {platform, registry, files}, *this) {
        registry.CreateKey("VEXAOCX.VEditCtrl.1");
        defaults::SaveDefaultValues(registry, defaults::FactoryDefaultValues(), 0);
        defaults::SaveDefaultValues(registry, defaults::FactoryDefaultValues(), 1);
    }

    bool WindowExists() const override { return hasWindow; }
    void ApplyStyle(std::uint32_t style) override { styles.push_back(style); }
    void RebuildFont(const common::DrawingScript& script) override {
        ++fontBuilds;
        drawing = script;
        auto surface = window.GetSurface();
        fonts.MakeFontDescriptions(*surface, script, script.fontSize);
        fonts.BuildWidthTables(simFonts, *surface, script, false, true);
    }
    void ShowWindowText(const std::string& text) override {
        windowText = text;
        ++textSets;
    }
    void Invalidate() override { ++invalidations; }
    void MarkModified() override { ++modified; }
    bool IsDefaultButton() const override { return defaultButton; }
    void PerformClick() override { ++performedClicks; }

    // A new control as a container makes one: reset, then loaded with no
    // saved properties.
    void Load(common::PropertyMap map, bool userMode = true) {
        vexa::test::LoadProperties(logic, std::move(map), userMode);
    }
    void LoadFresh(bool userMode = true) {
        logic.Reset();
        vexa::test::LoadProperties(logic, {}, userMode);
    }
    // Creation of the window: bind, then font, text and check state.
    bool Create() {
        if (!logic.BindAtCreation()) return false;
        hasWindow = true;
        logic.WindowCreated();
        return true;
    }
    common::PropertyMap Save(bool userMode = true) { return vexa::test::SaveProperties(logic, userMode); }

    sim::SimPlatform platform;
    sim::SimRegistry registry;
    sim::SimSettingsFiles files;
    sim::SimFonts simFonts;
    sim::SimWindow window;
    common::ScriptFonts fonts;
    bool hasWindow = false;
    std::vector<std::uint32_t> styles;
    common::DrawingScript drawing;
    std::string windowText;
    int fontBuilds = 0, textSets = 0, invalidations = 0, modified = 0, performedClicks = 0;
    bool defaultButton = false;
    CaptionLogic logic;
};

}  // namespace vexa::captions::test
