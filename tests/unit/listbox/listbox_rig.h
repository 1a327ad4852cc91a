#pragma once

#include <string>

#include "common/script_fonts.h"
#include "defaults/default_values.h"
#include "listbox/item_store.h"
#include "listbox/listbox_logic.h"
#include "common/property_exchange.h"
#include "script/script_catalogue.h"
#include "sim/sim_fonts.h"
#include "sim/sim_platform.h"
#include "sim/sim_registry.h"
#include "sim/sim_settings_files.h"
#include "sim/sim_window.h"
#include "unit/exchange_rig.h"
#include "unit/fixture_platform.h"

namespace vexa::listbox::test {

using vexa::test::Bytes;

// The window side of a list box in memory: the item store as its list
// window, a simulated window for the fonts, and counts of what the logic
// asked of it. The system directory is the built family's.
struct ListBoxRig : ListBoxView {
    explicit ListBoxRig(std::string systemDirectory = sim::DefaultFamilyDirectory())
        : platform(std::move(systemDirectory)),
          window(simFonts, {0, 0, 200, 100}),
          logic({platform, registry, files}, *this) {
        registry.CreateKey("VEXAOCX.VEditCtrl.1");
        defaults::SaveDefaultValues(registry, defaults::FactoryDefaultValues(), 0);
        defaults::SaveDefaultValues(registry, defaults::FactoryDefaultValues(), 1);
        script::ScriptCatalogue::SetReach(0);
        store.SetExists(false);
    }

    ListWindow& List() override { return store; }
    bool WindowExists() const override { return store.Exists(); }
    int BuildFonts(const common::DrawingScript& script) override {
        ++fontBuilds;
        auto surface = window.GetSurface();
        fonts.MakeFontDescriptions(*surface, script, script.fontSize);
        fonts.BuildWidthTables(simFonts, *surface, script, false, true);
        return fonts.Description(common::FontSlot::Script).height;
    }
    void Invalidate() override { ++invalidations; }
    void MarkModified() override { ++modified; }

    void LoadFresh(bool userMode = true) { vexa::test::LoadProperties(logic, {}, userMode); }
    void Load(common::PropertyMap map, bool userMode = true) {
        vexa::test::LoadProperties(logic, std::move(map), userMode);
    }
    bool Create() {
        if (!logic.BindAtCreation()) return false;
        store.SetExists(true);
        logic.WindowCreated();
        store.SetPageRows(logic.ItemHeight() > 0 ? window.ClientRect().Height() / logic.ItemHeight() : 1);
        return true;
    }
    common::PropertyMap Save(bool userMode = true) { return vexa::test::SaveProperties(logic, userMode); }
    std::vector<std::string> Items() const {
        std::vector<std::string> items;
        for (int i = 0; i < store.Count(); ++i) items.push_back(store.Text(i));
        return items;
    }
    bool Add(const std::string& text, int index = -1) {
        bool added = false;
        EXPECT_FALSE(logic.AddItem(text, index, added).has_value());
        return added;
    }

    sim::SimPlatform platform;
    sim::SimRegistry registry;
    sim::SimSettingsFiles files;
    sim::SimFonts simFonts;
    sim::SimWindow window;
    common::ScriptFonts fonts;
    ItemStore store;
    int fontBuilds = 0, invalidations = 0, modified = 0;
    ListBoxLogic logic;
};

}  // namespace vexa::listbox::test
