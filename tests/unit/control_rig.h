#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/accessible_view.h"
#include "common/property_exchange.h"
#include "common/script_fonts.h"
#include "defaults/default_values.h"
#include "sim/sim_fonts.h"
#include "sim/sim_platform.h"
#include "sim/sim_registry.h"
#include "sim/sim_settings_files.h"
#include "sim/sim_window.h"
#include "unit/fixture_platform.h"

namespace vexa::test {

// A control's logic loaded from what a container saved (nothing: a new
// control) and saved again, as a container does it.
template <class Logic>
void LoadProperties(Logic& logic, common::PropertyMap map = {}, bool userMode = true) {
    common::MapExchange px(map, true);
    logic.Exchange(px, userMode);
}

template <class Logic>
common::PropertyMap SaveProperties(Logic& logic, bool userMode = true) {
    common::PropertyMap map;
    common::MapExchange px(map, false);
    logic.Exchange(px, userMode);
    return map;
}

// What a control's logic is given in memory: a simulated platform whose
// registry holds the factory default values, settings files, and a
// simulated window whose fonts are built as the controls build them.
struct ControlHost {
    explicit ControlHost(std::string systemDirectory = VEXA_FIXTURE_DIR,
                         platform::Rect client = {0, 0, 200, 40})
        : platform(std::move(systemDirectory)), window(simFonts, client) {
        registry.CreateKey("VEXAOCX.VEditCtrl.1");
        defaults::SaveDefaultValues(registry, defaults::FactoryDefaultValues(), 0);
        defaults::SaveDefaultValues(registry, defaults::FactoryDefaultValues(), 1);
    }
    void BuildFonts(const common::DrawingScript& script, bool underline = false) {
        auto surface = window.GetSurface();
        fonts.MakeFontDescriptions(*surface, script, script.fontSize);
        fonts.SetUnderline(underline);
        fonts.BuildWidthTables(simFonts, *surface, script, false, true);
    }

    sim::SimPlatform platform;
    sim::SimRegistry registry;
    sim::SimSettingsFiles files;
    sim::SimFonts simFonts;
    sim::SimWindow window;
    common::ScriptFonts fonts;
    bool hasWindow = false;
};

// What a screen reader is told: each change, with the child it concerns.
struct HeardChanges : common::AccessibleListener {
    void AccessibleChanged(common::AccessibleChange c, int child) override {
        changes.push_back(c);
        children.push_back(child);
    }
    std::vector<common::AccessibleChange> changes;
    std::vector<int> children;
};

// The container's steps on the rig's `logic`: a new control is reset (the
// kinds that have a reset) and loaded with no saved properties; creation
// binds the script, then the window is there.
template <class Rig>
struct ContainerSteps {
    void LoadFresh(bool userMode = true) {
        auto& logic = Self().logic;
        if constexpr (requires { logic.Reset(); }) logic.Reset();
        LoadProperties(logic, {}, userMode);
    }
    void Load(common::PropertyMap map, bool userMode = true) {
        LoadProperties(Self().logic, std::move(map), userMode);
    }
    common::PropertyMap Save(bool userMode = true) { return SaveProperties(Self().logic, userMode); }
    bool Create() {
        if (!Self().logic.BindAtCreation()) return false;
        Self().hasWindow = true;
        Self().logic.WindowCreated();
        return true;
    }

private:
    Rig& Self() { return static_cast<Rig&>(*this); }
};

}  // namespace vexa::test
