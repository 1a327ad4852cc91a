// Typing, re-wrapping and repainting in the edit engine, on the simulated
// platform. The converter is the family's real DVBCV32.DLL, as users have
// it; runs named ".../fixture_converter" use the test converter instead (a
// byte-per-syllable stand-in that isolates the engine's own cost), and their
// figures are the engine's alone, not what a user pays.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>
#include <string>

#include "edit/edit_engine.h"
#include "sim/sim_fonts.h"
#include "sim/sim_platform.h"
#include "sim/sim_window.h"

namespace {

using namespace vexa;

struct NoEvents : edit::EditEvents {};

struct InscriptKeys : edit::KeyboardServices {
    std::string TranslateKey(unsigned vk, bool) override {
        return vk == 'K' ? std::string("\xB3\xDA") : std::string(1, static_cast<char>(vk));
    }
    std::optional<std::string> MakeIscii(std::string_view k) override { return std::string(k); }
    std::optional<std::string> IsciiToKeys(std::string_view i) override { return std::string(i); }
    unsigned ScanCode(unsigned vk) override { return vk == ' ' ? 57 : 30; }
};

enum class Converter { Real, Fixture };

// A wrapped multi-line control of 600 x 400 pixels (21 rows).
class EditBench {
public:
    // `wrapped` false: lines scroll sideways (MultiLine with AutoHScroll).
    explicit EditBench(Converter which = Converter::Real, bool wrapped = true)
        : sim(which == Converter::Real ? VEXA_FAMILY_DIR : VEXA_FIXTURE_DIR),
          window(fonts, {0, 0, 600, 400}),
          engine(window, fonts, sim.messages, converter, events) {
        fonts.SetWidths("DVB-TTDorvan", sim::SimFonts::Uniform(10));
        fonts.SetWidths("DVB-TTDorvanEN", sim::SimFonts::Uniform(6));
        loaded = converter.Load("DVBCV32.DLL", "iscii2devzirvo");
        edit::EditStyle& s = engine.Style();
        s.multiLine = true;
        s.autoHScroll = !wrapped;
        s.autoVScroll = true;
        s.wantReturn = true;
        s.vScrollBar = true;
        common::DrawingScript& sc = engine.Script();
        sc.scriptName = "Devanagari";
        sc.scriptFace = "DVB-TTDorvan";
        sc.englishFace = "DVB-TTDorvan";
        sc.englishScript = false;
        engine.SetKeyboard(&keys);
        window.SetPaintHandler([this] { engine.OnPaint(); });
        engine.LayoutSetup();
        engine.Layout();
    }

    // Words of one to four syllables, a hard line end every few lines.
    static std::string MakeText(std::size_t size) {
        std::mt19937 random(7);
        std::string text;
        text.reserve(size + 16);
        while (text.size() < size) {
            const int syllables = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < syllables; ++i) {
                text += static_cast<char>(0xB3 + random() % 20);
                if (random() % 3 != 0) text += static_cast<char>(0xDA + random() % 8);
            }
            text += random() % 40 == 0 ? '\r' : ' ';
        }
        text.resize(size);
        return text;
    }

    // Text whose words follow the frequencies of prose (Zipf's law, as in
    // any natural text: the n-th commonest word appears about 1/n as often
    // as the commonest), drawn from a vocabulary of 20,000 words made like
    // MakeText's.
    static std::string MakeProse(std::size_t size) {
        std::mt19937 random(11);
        std::vector<std::string> vocabulary;
        std::vector<double> cumulative;
        double total = 0;
        for (int rank = 1; rank <= 20000; ++rank) {
            std::string word;
            for (int i = 1 + static_cast<int>(random() % 4); i > 0; --i) {
                word += static_cast<char>(0xB3 + random() % 20);
                if (random() % 3 != 0) word += static_cast<char>(0xDA + random() % 8);
            }
            vocabulary.push_back(word);
            total += 1.0 / rank;
            cumulative.push_back(total);
        }
        std::uniform_real_distribution<double> pick(0, total);
        std::string text;
        text.reserve(size + 16);
        while (text.size() < size) {
            const auto at = std::lower_bound(cumulative.begin(), cumulative.end(), pick(random));
            text += vocabulary[std::min<std::size_t>(at - cumulative.begin(), vocabulary.size() - 1)];
            text += random() % 40 == 0 ? '\r' : ' ';
        }
        text.resize(size);
        return text;
    }

    void PutCaret(std::size_t offset) {
        engine.SetSelStart(static_cast<int>(offset));
        engine.SetSelLength(0);
        window.RunPendingPaint();
    }

    sim::SimPlatform sim;
    script::ConverterLibrary converter{sim};
    bool loaded = false;
    sim::SimFonts fonts;
    sim::SimWindow window;
    NoEvents events;
    InscriptKeys keys;
    edit::EditEngine engine;
};

// One typed key: a syllable, with a space after every fifth, so lines fill
// and wrap as they would while typing prose.
// The key's own work: the text, the counters, wrapping and what it asks to
// have repainted. The repaint itself runs later from the message loop
// (BM_RepaintPage); with `paint` it is run after every key too.
void TypeKeys(benchmark::State& state, Converter which, bool middle, bool paint) {
    EditBench bench(which);
    if (!bench.loaded) return state.SkipWithError("converter not built");
    const std::string text = EditBench::MakeText(static_cast<std::size_t>(state.range(0)));
    bench.engine.SetText(text);
    bench.PutCaret(middle ? text.size() / 2 : text.size());
    int n = 0;
    for (auto _ : state) {
        bench.engine.OnKeyDown(++n % 6 == 0 ? ' ' : 'K', {});
        if (paint) bench.window.RunPendingPaint();
    }
    state.counters["lines"] = bench.engine.Buffer().LastLine() + 1;
}

void BM_TypeKeyAtEnd(benchmark::State& state, Converter c) { TypeKeys(state, c, false, false); }
void BM_TypeKeyInMiddle(benchmark::State& state, Converter c) { TypeKeys(state, c, true, false); }
void BM_TypeKeyAtEndAndRepaint(benchmark::State& state, Converter c) { TypeKeys(state, c, false, true); }
void BM_TypeKeyInMiddleAndRepaint(benchmark::State& state, Converter c) { TypeKeys(state, c, true, true); }

BENCHMARK_CAPTURE(BM_TypeKeyAtEnd, real_DVBCV32, Converter::Real)
    ->Arg(64 << 10)->Arg(1 << 20)->Iterations(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TypeKeyInMiddle, real_DVBCV32, Converter::Real)
    ->Arg(64 << 10)->Arg(1 << 20)->Iterations(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TypeKeyAtEndAndRepaint, real_DVBCV32, Converter::Real)
    ->Arg(64 << 10)->Arg(1 << 20)->Iterations(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TypeKeyInMiddleAndRepaint, real_DVBCV32, Converter::Real)
    ->Arg(64 << 10)->Arg(1 << 20)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// Typing at the end of one long paragraph (no line end) in a control whose
// lines scroll sideways: the caret's line is all the text. A key should cost
// about what it costs in a short paragraph (500 bytes).
void BM_TypeKeyIntoOneParagraph(benchmark::State& state, Converter which) {
    EditBench bench(which, false);
    if (!bench.loaded) return state.SkipWithError("converter not built");
    std::string text = EditBench::MakeText(static_cast<std::size_t>(state.range(0)));
    std::replace(text.begin(), text.end(), '\r', ' ');
    bench.engine.SetText(text);
    bench.PutCaret(text.size());
    int n = 0;
    for (auto _ : state) {
        bench.engine.OnKeyDown(++n % 6 == 0 ? ' ' : 'K', {});
        bench.window.RunPendingPaint();
    }
}
BENCHMARK_CAPTURE(BM_TypeKeyIntoOneParagraph, real_DVBCV32, Converter::Real)
    ->Arg(500)->Arg(64 << 10)->Arg(1 << 20)->Iterations(200)->Unit(benchmark::kMicrosecond);

// Setting a text re-wraps all of it: every word is converted and measured.
// "random_syllables": words of random syllables, nearly all of them
// different (the worst case); "prose": words with the frequencies of prose.
void SetAndWrap(benchmark::State& state, Converter which, bool prose) {
    EditBench bench(which);
    if (!bench.loaded) return state.SkipWithError("converter not built");
    const auto size = static_cast<std::size_t>(state.range(0));
    const std::string text = prose ? EditBench::MakeProse(size) : EditBench::MakeText(size);
    for (auto _ : state) {
        bench.engine.SetText(text);
        benchmark::DoNotOptimize(bench.engine.Buffer().LastLine());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void BM_SetAndWrapText(benchmark::State& state, Converter which, bool prose) {
    SetAndWrap(state, which, prose);
}
BENCHMARK_CAPTURE(BM_SetAndWrapText, real_DVBCV32/prose, Converter::Real, true)
    ->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SetAndWrapText, real_DVBCV32/random_syllables, Converter::Real, false)
    ->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SetAndWrapText, fixture_converter/random_syllables, Converter::Fixture, false)
    ->Arg(1 << 20)->Unit(benchmark::kMillisecond);

void BM_RepaintPage(benchmark::State& state, Converter which) {
    EditBench bench(which);
    if (!bench.loaded) return state.SkipWithError("converter not built");
    bench.engine.SetText(EditBench::MakeText(1 << 20));
    bench.PutCaret(1 << 19);
    for (auto _ : state) {
        bench.window.InvalidateAll(true);
        bench.window.RunPendingPaint();
    }
}
BENCHMARK_CAPTURE(BM_RepaintPage, real_DVBCV32, Converter::Real)->Unit(benchmark::kMicrosecond);

// A surface that draws nothing: the engine's own part of a repaint (runs,
// widths, positions), without the simulated screen's bookkeeping.
class NullSurface : public platform::Surface {
public:
    int LogPixelsY() const override { return 96; }
    platform::Rect ClipBox() const override { return {0, 0, 600, 400}; }
    void SelectFont(const platform::Font*) override {}
    platform::CharWidthTable CharWidths() override { return sim::SimFonts::Uniform(10); }
    int CharWidth(unsigned char) override { return 10; }
    void SetTextColour(platform::Colour) override {}
    void SetBackColour(platform::Colour) override {}
    void SetTransparent(bool) override {}
    void Fill(const platform::Rect&, platform::Colour) override { ++calls; }
    void TextOut(int, int, std::string_view codes) override { calls += codes.size(); }
    void InvertPolygon(std::span<const platform::Point>) override { ++calls; }
    std::size_t calls = 0;
};

void BM_RepaintPageEngineOnly(benchmark::State& state, Converter which) {
    EditBench bench(which);
    if (!bench.loaded) return state.SkipWithError("converter not built");
    bench.engine.SetText(EditBench::MakeText(1 << 20));
    bench.PutCaret(1 << 19);
    NullSurface surface;
    for (auto _ : state) bench.engine.DrawInto(surface, {0, 0, 600, 400});
    benchmark::DoNotOptimize(surface.calls);
}
BENCHMARK_CAPTURE(BM_RepaintPageEngineOnly, real_DVBCV32, Converter::Real)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RepaintPageEngineOnly, fixture_converter, Converter::Fixture)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
