// What one typed key costs on the screen side: the window and surface calls
// the engine makes for a key and the repaint it causes. Under Wine each call
// ends in X11 requests, so their number per key must depend on the rows in
// view, never on how much text the control holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "sim/counting_window.h"
#include "unit/edit/edit_rig.h"

namespace vexa::edit::test {
namespace {

// Words of one to four syllables with a hard line end now and then, the
// text a form's multi-line field holds.
std::string Prose(std::size_t size) {
    std::mt19937 random(7);
    std::string text;
    while (text.size() < size) {
        for (int n = 1 + static_cast<int>(random() % 4); n > 0; --n) {
            text += static_cast<char>(0xB3 + random() % 20);
            if (random() % 3 != 0) text += static_cast<char>(0xDA + random() % 8);
        }
        text += random() % 40 == 0 ? '\r' : ' ';
    }
    text.resize(size);
    return text;
}

// The same words with no line end at all: one paragraph typed without Enter.
std::string OneLine(std::size_t size) {
    std::string text = Prose(size);
    std::replace(text.begin(), text.end(), '\r', ' ');
    return text;
}

// A wrapped multi-line control of 600 x 400 pixels (21 rows) whose window
// counts every call.
struct CountingRig {
    explicit CountingRig(EditStyle style)
        : window(fonts, {0, 0, 600, 400}),
          counting(window),
          engine(counting, fonts, sim.messages, converter, events) {
        fonts.SetWidths("DVB-TTDorvan", sim::SimFonts::Uniform(kScriptW));
        fonts.SetWidths("EN-Test", sim::SimFonts::Uniform(kEnglishW));
        converter.Load("DVBCV32.DLL", "iscii2devzirvo");
        engine.Style() = style;
        common::DrawingScript& s = engine.Script();
        s.scriptName = "Devanagari";
        s.scriptFace = "DVB-TTDorvan";
        s.englishFace = "EN-Test";
        s.fontSize = 12;
        keyboard.keys['K'] = Bytes({0xB3, 0xDA});
        engine.SetKeyboard(&keyboard);
        window.SetPaintHandler([this] { engine.OnPaint(); });
        engine.LayoutSetup();
        engine.Layout();
        window.SetFocusState(true);
        engine.OnSetFocus();
    }

    // Sets the text, puts the caret at `caret` and lets the repaint run.
    void Load(const std::string& text, std::size_t caret) {
        engine.SetText(text);
        engine.SetSelStart(static_cast<int>(caret));
        engine.SetSelLength(0);
        window.RunPendingPaint();
    }

    // Types `keys` keys (a space after every fifth), each followed by the
    // repaint the message loop would run; the largest count of one key.
    sim::SeamCounts TypeKeys(int keys) {
        sim::SeamCounts most;
        for (int i = 1; i <= keys; ++i) {
            counting.Reset();
            engine.OnKeyDown(i % 6 == 0 ? keys::kSpace : 'K', {});
            engine.OnKeyUp();
            window.RunPendingPaint();
            const sim::SeamCounts& c = counting.Counts();
            most.windowCalls = std::max(most.windowCalls, c.windowCalls);
            most.surfaceCalls = std::max(most.surfaceCalls, c.surfaceCalls);
            most.scrollBarCalls = std::max(most.scrollBarCalls, c.scrollBarCalls);
            most.caretCalls = std::max(most.caretCalls, c.caretCalls);
            most.invalidations = std::max(most.invalidations, c.invalidations);
            most.surfaces = std::max(most.surfaces, c.surfaces);
            most.textOuts = std::max(most.textOuts, c.textOuts);
            most.codesDrawn = std::max(most.codesDrawn, c.codesDrawn);
            most.fills = std::max(most.fills, c.fills);
        }
        return most;
    }

    vexa::test::FixturePlatform sim;
    script::ConverterLibrary converter{sim};
    sim::SimFonts fonts;
    sim::SimWindow window;
    sim::CountingWindow counting;
    RecordingEvents events;
    FakeKeyboard keyboard;
    EditEngine engine;
};

std::string Describe(const sim::SeamCounts& c) {
    return "window " + std::to_string(c.windowCalls) + ", surface " +
           std::to_string(c.surfaceCalls) + ", scroll bar " + std::to_string(c.scrollBarCalls) +
           ", caret " + std::to_string(c.caretCalls) + ", invalidations " +
           std::to_string(c.invalidations) + ", contexts " + std::to_string(c.surfaces) +
           ", text outs " + std::to_string(c.textOuts) + ", codes " +
           std::to_string(c.codesDrawn) + ", fills " + std::to_string(c.fills);
}

// The most one key may cost in a 21-row view: every row repainted once with
// a few runs each, and the bookkeeping around it.
void ExpectBoundedByTheView(const sim::SeamCounts& c) {
    constexpr std::size_t rows = 22;
    EXPECT_LE(c.textOuts, rows * 4) << Describe(c);
    EXPECT_LE(c.fills, rows * 2 + 4) << Describe(c);
    // A row of 600 pixels holds at most 60 script glyphs of 10 pixels (a
    // syllable may give a few codes more than it is wide).
    EXPECT_LE(c.codesDrawn, rows * 120) << Describe(c);
    EXPECT_LE(c.scrollBarCalls, 4u) << Describe(c);
    EXPECT_LE(c.caretCalls, 12u) << Describe(c);
    EXPECT_LE(c.invalidations, 6u) << Describe(c);
}

// The rows in view differ between the texts, so the glyphs drawn differ a
// little; the calls may not grow beyond that.
void ExpectNoGrowth(const sim::SeamCounts& small, const sim::SeamCounts& large) {
    EXPECT_LE(large.Calls(), small.Calls() + small.Calls() / 5)
        << "small: " << Describe(small) << "\nlarge: " << Describe(large);
    EXPECT_LE(large.scrollBarCalls, small.scrollBarCalls)
        << "small: " << Describe(small) << "\nlarge: " << Describe(large);
}

class SeamCostTest : public ::testing::TestWithParam<bool> {
protected:
    // Wrapped text, or lines the control scrolls sideways through.
    EditStyle Style() const {
        return GetParam() ? EditRig::MultiLineWrapped() : EditRig::MultiLineScrolling();
    }
};

// At the end and in the middle, of prose with line ends (five kilobytes
// against one megabyte) and of one paragraph typed without Enter.
TEST_P(SeamCostTest, TypingIntoALargeTextCostsWhatItCostsInASmallOne) {
    struct Texts {
        const char* what;
        std::string few, many;
        int keys;
    };
    const Texts texts[] = {{"prose", Prose(5 << 10), Prose(1 << 20), 120},
                           {"one paragraph", OneLine(4800), OneLine(64 << 10), 60}};
    for (const Texts& t : texts) {
        for (const bool atEnd : {true, false}) {
            SCOPED_TRACE(std::string(t.what) + (atEnd ? " at the end" : " in the middle"));
            CountingRig small(Style());
            small.Load(t.few, atEnd ? t.few.size() : t.few.size() / 2);
            const sim::SeamCounts a = small.TypeKeys(t.keys);

            CountingRig large(Style());
            large.Load(t.many, atEnd ? t.many.size() : t.many.size() / 2);
            const sim::SeamCounts b = large.TypeKeys(t.keys);

            ExpectBoundedByTheView(a);
            ExpectBoundedByTheView(b);
            ExpectNoGrowth(a, b);
        }
    }
}

TEST_P(SeamCostTest, TypingIntoEmptyTextStaysWithinTheView) {
    CountingRig rig(Style());
    rig.Load("", 0);
    ExpectBoundedByTheView(rig.TypeKeys(400));
}

INSTANTIATE_TEST_SUITE_P(WrappedAndScrolling, SeamCostTest, ::testing::Bool());

}  // namespace
}  // namespace vexa::edit::test
