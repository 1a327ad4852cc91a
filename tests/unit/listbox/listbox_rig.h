#pragma once

#include <string>

#include <gtest/gtest.h>

#include "listbox/item_store.h"
#include "listbox/listbox_logic.h"
#include "script/script_catalogue.h"
#include "unit/control_rig.h"

namespace vexa::listbox::test {

using vexa::test::Bytes;

// The window side of a list box in memory: the item store as its list
// window, a simulated window for the fonts, and counts of what the logic
// asked of it. The system directory is the built family's.
struct ListBoxRig : ListBoxView, vexa::test::ControlHost, vexa::test::ContainerSteps<ListBoxRig> {
    explicit ListBoxRig(std::string systemDirectory = sim::DefaultFamilyDirectory())
        : ControlHost(std::move(systemDirectory), {0, 0, 200, 100}),
          logic({platform, registry, files}, *this) {
        script::ScriptCatalogue::SetReach(0);
        store.SetExists(false);
    }

    ListWindow& List() override { return store; }
    bool WindowExists() const override { return store.Exists(); }
    int BuildFonts(const common::DrawingScript& script) override {
        ++fontBuilds;
        ControlHost::BuildFonts(script);
        return fonts.Description(common::FontSlot::Script).height;
    }
    void Invalidate() override { ++invalidations; }
    void MarkModified() override { ++modified; }

    bool Create() {
        if (!logic.BindAtCreation()) return false;
        store.SetExists(true);
        logic.WindowCreated();
        store.SetPageRows(logic.ItemHeight() > 0 ? window.ClientRect().Height() / logic.ItemHeight() : 1);
        return true;
    }
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

    ItemStore store;
    int fontBuilds = 0, invalidations = 0, modified = 0;
    ListBoxLogic logic;
};

}  // namespace vexa::listbox::test
