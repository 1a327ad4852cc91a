// The list box on the simulated platform with the family's real Devanagari
// converter: adding many items and sorting them, painting one page, and
// type-ahead over the whole list, at 1,000, 10,000 and 100,000 items so the
// cost per item shows whether it grows with the count.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "common/script_fonts.h"
#include "defaults/default_values.h"
#include "keyboard/keyboard_layout.h"
#include "listbox/item_store.h"
#include "listbox/listbox_logic.h"
#include "listbox/listbox_paint.h"
#include "script/script_catalogue.h"
#include "sim/sim_fonts.h"
#include "sim/sim_platform.h"
#include "sim/sim_registry.h"
#include "sim/sim_settings_files.h"
#include "sim/sim_window.h"

namespace {

using namespace vexa;

// A surface that draws nothing: the figures are the control's own work
// (conversion, measuring, the calls it makes), not a screen's.
class NullSurface : public platform::Surface {
public:
    int LogPixelsY() const override { return 96; }
    platform::Rect ClipBox() const override { return {0, 0, 300, 400}; }
    void SelectFont(const platform::Font*) override {}
    platform::CharWidthTable CharWidths() override { return sim::SimFonts::Uniform(8); }
    int CharWidth(unsigned char) override { return 8; }
    void SetTextColour(platform::Colour) override {}
    void SetBackColour(platform::Colour) override {}
    void SetTransparent(bool) override {}
    void Fill(const platform::Rect&, platform::Colour) override { ++calls; }
    void TextOut(int, int, std::string_view codes) override { calls += codes.size(); }
    void InvertPolygon(std::span<const platform::Point>) override {}
    std::size_t calls = 0;
};

// Words of two to five syllables: a consonant, and now and then a vowel
// sign or a half consonant, as Hindi words are spelled in ISCII.
std::vector<std::string> Words(std::size_t count) {
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> consonant(0xB3, 0xD8), sign(0xDA, 0xE7), coin(0, 3),
        syllables(2, 5);
    std::vector<std::string> words;
    words.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string w;
        for (int s = syllables(random); s > 0; --s) {
            w += static_cast<char>(consonant(random));
            const int c = coin(random);
            if (c == 1) w += static_cast<char>(sign(random));
            if (c == 2 && s > 1) w += '\xE8';
        }
        words.push_back(std::move(w));
    }
    return words;
}

struct ListBench : listbox::ListBoxView {
    ListBench()
        : sim(VEXA_FAMILY_DIR), window(fonts, {0, 0, 300, 400}), logic({sim, registry, files}, *this) {
        fonts.SetWidths("DVB-TTDorvan", sim::SimFonts::Uniform(10));
        registry.CreateKey("VEXAOCX.VEditCtrl.1");
        defaults::SaveDefaultValues(registry, defaults::FactoryDefaultValues(), 0);
        script::ScriptCatalogue::SetReach(0);
        common::PropertyMap empty;
        common::MapExchange px(empty, true);
        logic.Exchange(px, true);
        logic.Props().scriptName = "Devanagari";
        logic.Props().fontSize = 12;
        store.SetExists(false);
        logic.BindAtCreation();
        store.SetExists(true);
        logic.WindowCreated();
        store.SetPageRows(400 / logic.ItemHeight());
    }
    listbox::ListWindow& List() override { return store; }
    bool WindowExists() const override { return store.Exists(); }
    int BuildFonts(const common::DrawingScript& script) override {
        auto surface = window.GetSurface();
        scriptFonts.MakeFontDescriptions(*surface, script, script.fontSize);
        scriptFonts.BuildWidthTables(fonts, *surface, script, false, true);
        return scriptFonts.Description(common::FontSlot::Script).height;
    }
    void Fill(const std::vector<std::string>& words) {
        bool added = false;
        for (const std::string& w : words) logic.AddItem(w, -1, added);
    }

    sim::SimPlatform sim;
    sim::SimRegistry registry;
    sim::SimSettingsFiles files;
    sim::SimFonts fonts;
    sim::SimWindow window;
    common::ScriptFonts scriptFonts;
    listbox::ItemStore store;
    listbox::ListBoxLogic logic;
};

// AddItem one by one (each converted from the data format), then Sort.
void BM_ListAddThenSort(benchmark::State& state) {
    ListBench bench;
    const std::vector<std::string> words = Words(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        bench.logic.SetSort(false);
        bench.logic.Clear();
        bench.Fill(words);
        bench.logic.SetSort(true);
        benchmark::DoNotOptimize(bench.store.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListAddThenSort)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A sorted list box given all its items at once through List.
void BM_ListSetSortedList(benchmark::State& state) {
    ListBench bench;
    std::string list;
    for (const std::string& w : Words(static_cast<std::size_t>(state.range(0)))) list += w + "\r\n";
    bench.logic.SetSort(true);
    for (auto _ : state) {
        bench.logic.SetList(list);
        benchmark::DoNotOptimize(bench.store.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListSetSortedList)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One page (400 pixels) from the middle of the list, each row converted
// by the real converter and drawn with the script's fonts.
void BM_ListPaintPage(benchmark::State& state) {
    ListBench bench;
    bench.Fill(Words(static_cast<std::size_t>(state.range(0))));
    bench.logic.SetTopIndex(static_cast<int>(state.range(0) / 2));
    bench.logic.SetCurSel(static_cast<int>(state.range(0) / 2 + 3));
    NullSurface surface;
    for (auto _ : state) {
        int rows = listbox::PaintPage(surface, bench.logic, bench.scriptFonts, bench.store,
                                      {0, 0, 300, 400}, {});
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = 400.0 / bench.logic.ItemHeight();
}
BENCHMARK(BM_ListPaintPage)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// One typed key through the Inscript layout file. The key types a vowel
// sign that starts no item, so every key searches the whole list.
void BM_ListTypeAhead(benchmark::State& state) {
    ListBench bench;
    bench.Fill(Words(static_cast<std::size_t>(state.range(0))));
    bench.sim.keyboard.SetToggled(0x14, true);
    const int scan = bench.sim.keyboard.ScanCode('E');
    for (auto _ : state) benchmark::DoNotOptimize(bench.logic.KeyDown('E', scan, false));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListTypeAhead)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
