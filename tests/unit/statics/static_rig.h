#pragma once

#include <string>
#include <vector>

#include "defaults/default_values.h"
#include "sim/sim_fonts.h"
#include "sim/sim_platform.h"
#include "sim/sim_registry.h"
#include "sim/sim_settings_files.h"
#include "sim/sim_url_launcher.h"
#include "sim/sim_window.h"
#include "statics/static_logic.h"
#include "unit/exchange_rig.h"
#include "unit/fixture_platform.h"

namespace vexa::statics::test {

using vexa::test::Bytes;

inline constexpr std::uint32_t kHighlight = 0x00D77800;

// The window side of a VStatic in memory: a simulated window with fonts
// built as the control builds them, a launcher that records, and a record
// of what the logic asked of the window.
struct StaticRig : StaticView {
    explicit StaticRig(std::string systemDirectory = VEXA_FIXTURE_DIR)
        : platform(std::move(systemDirectory)),
          window(simFonts, {0, 0, 200, 40}),
          logic({platform, registry, files, launcher, kHighlight}, *this) {
        registry.CreateKey("VEXAOCX.VEditCtrl.1");
        defaults::SaveDefaultValues(registry, defaults::FactoryDefaultValues(), 0);
        defaults::SaveDefaultValues(registry, defaults::FactoryDefaultValues(), 1);
    }

    bool WindowExists() const override { return hasWindow; }
    void RebuildFont(const common::DrawingScript& script, bool underline) override {
        ++fontBuilds;
        drawing = script;
        auto surface = window.GetSurface();
        fonts.MakeFontDescriptions(*surface, script, script.fontSize);
        fonts.SetUnderline(underline);
        fonts.BuildWidthTables(simFonts, *surface, script, false, true);
    }
    void Invalidate() override { ++invalidations; }
    void RedrawNow() override {
        ++redraws;
        colourAtRedraw.push_back(logic.ChooseForeColor());
    }
    void SetCapture() override { capture = true; }
    void ReleaseCapture() override { capture = false; }
    void FireClick() override { ++clicks; }
    void MarkModified() override { ++modified; }

    void LoadFresh(bool userMode = true) { vexa::test::LoadProperties(logic, {}, userMode); }
    void Load(common::PropertyMap map, bool userMode = true) {
        vexa::test::LoadProperties(logic, std::move(map), userMode);
    }
    bool Create() {
        if (!logic.BindAtCreation()) return false;
        hasWindow = true;
        logic.WindowCreated();
        return true;
    }
    common::PropertyMap Save(bool userMode = true) { return vexa::test::SaveProperties(logic, userMode); }
    // A press and a release at the same point: what the user's click is.
    void Click(platform::Point p) {
        logic.ButtonDown(p, window.ClientRect());
        logic.ButtonUp(p, window.ClientRect());
    }
    void Move(platform::Point p, bool leftDown = false) {
        logic.MouseMove(p, window.ClientRect(), leftDown);
    }

    sim::SimPlatform platform;
    sim::SimRegistry registry;
    sim::SimSettingsFiles files;
    sim::SimUrlLauncher launcher;
    sim::SimFonts simFonts;
    sim::SimWindow window;
    common::ScriptFonts fonts;
    bool hasWindow = false;
    bool capture = false;
    common::DrawingScript drawing;
    std::vector<std::uint32_t> colourAtRedraw;
    int fontBuilds = 0, invalidations = 0, redraws = 0, clicks = 0, modified = 0;
    StaticLogic logic;
};

}  // namespace vexa::statics::test
