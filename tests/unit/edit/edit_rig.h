#pragma once

#include <map>
#include <string>
#include <vector>

#include "edit/edit_engine.h"
#include "sim/sim_fonts.h"
#include "sim/sim_window.h"
#include "unit/fixture_platform.h"

namespace vexa::edit::test {

using vexa::test::Bytes;

// Counts what the engine tells its owner.
struct RecordingEvents : EditEvents {
    int changed = 0, selected = 0, unselected = 0, modified = 0, copies = 0, pastes = 0;
    std::string pasteBytes;  // what Paste inserts through the engine
    void Changed() override { ++changed; }
    void Selected() override { ++selected; }
    void UnSelected() override { ++unselected; }
    void Modified() override { ++modified; }
    bool copyWorks = true;  // whether the clipboard took the copy
    bool CopySelection() override {
        ++copies;
        return copyWorks;
    }
    bool Paste() override {
        ++pastes;
        return false;
    }
};

// A keyboard whose keys type what the test maps them to, and whose word
// library spells key text with a fixed table (each key letter gives the
// bytes mapped to it). Calls are logged.
struct FakeKeyboard : KeyboardServices {
    std::map<unsigned, std::string> keys;
    std::map<char, std::string> spelling;  // key letter -> ISCII
    bool libraryBound = true;
    bool reverseBound = true;
    std::vector<std::string> makeCalls, reverseCalls;

    std::string TranslateKey(unsigned vk, bool) override {
        auto it = keys.find(vk);
        return it == keys.end() ? std::string(1, static_cast<char>(vk)) : it->second;
    }
    std::optional<std::string> MakeIscii(std::string_view k) override {
        if (!libraryBound) return std::nullopt;
        makeCalls.emplace_back(k);
        std::string out;
        for (char c : k) {
            auto it = spelling.find(c);
            out += it == spelling.end() ? std::string(1, c) : it->second;
        }
        return out;
    }
    std::optional<std::string> IsciiToKeys(std::string_view iscii) override {
        if (!reverseBound) return std::nullopt;
        reverseCalls.emplace_back(iscii);
        std::string out;
        for (std::size_t i = 0; i < iscii.size();) {
            bool found = false;
            for (const auto& [letter, bytes] : spelling) {
                if (!bytes.empty() && iscii.substr(i, bytes.size()) == bytes) {
                    out += letter;
                    i += bytes.size();
                    found = true;
                    break;
                }
            }
            if (!found) out += iscii[i++];
        }
        return out;
    }
    unsigned ScanCode(unsigned vk) override {
        if (vk == 0x20) return 57;
        if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9') || vk >= 0xBA) return 30;
        return 80;
    }
};

// Glyph widths of the rig's fonts: every script glyph 10 pixels, English
// glyphs 7, extension glyphs 6.
inline constexpr int kScriptW = 10;
inline constexpr int kEnglishW = 7;
inline constexpr int kExtensionW = 6;

// A Devanagari edit control on a 300 x 100 window (12 points at 96 dpi:
// line height 19, five rows), with the fixture converter, whose syllables
// run up to a vowel sign (0xDA-0xE7) not followed by a virama (0xE8).
class EditRig {
public:
    explicit EditRig(EditStyle style = MultiLineWrapped(), platform::Rect client = {0, 0, 300, 100})
        : window(fonts, client), engine(window, fonts, sim.messages, converter, events) {
        fonts.SetWidths("DVB-TTDorvan", sim::SimFonts::Uniform(kScriptW));
        fonts.SetWidths("EN-Test", sim::SimFonts::Uniform(kEnglishW));
        fonts.SetWidths("DVB-TTDorvanEN", sim::SimFonts::Uniform(kExtensionW));
        converter.Load("DVBCV32.DLL", "iscii2devzirvo");
        engine.Style() = style;
        common::DrawingScript& s = engine.Script();
        s.scriptName = "Devanagari";
        s.scriptFace = "DVB-TTDorvan";
        s.englishFace = "EN-Test";
        s.englishScript = false;
        s.fontSize = 12;
        engine.SetKeyboard(&keyboard);
        window.SetPaintHandler([this] { engine.OnPaint(); });
        engine.LayoutSetup();
        engine.Layout();
        engine.SetText("");
        window.SetFocusState(true);
        engine.OnSetFocus();
    }

    static EditStyle MultiLineWrapped() {
        EditStyle s;
        s.multiLine = true;
        s.autoHScroll = false;
        s.autoVScroll = true;
        s.wantReturn = true;
        return s;
    }
    static EditStyle MultiLineScrolling() {
        EditStyle s;
        s.multiLine = true;
        s.autoHScroll = true;
        s.autoVScroll = true;
        s.wantReturn = true;
        s.hScrollBar = true;
        s.vScrollBar = true;
        return s;
    }
    static EditStyle SingleLine() { return EditStyle{}; }

    void Key(unsigned vk, bool shift = false, bool ctrl = false) {
        engine.OnKeyDown(vk, {shift, ctrl});
        engine.OnKeyUp();
    }
    // Types keys whose output is given by the map (or the key code itself).
    void Type(std::initializer_list<unsigned> vks) {
        for (unsigned vk : vks) Key(vk);
    }
    // Maps key `vk` to `bytes` and types it.
    void TypeBytes(unsigned vk, const std::string& bytes) {
        keyboard.keys[vk] = bytes;
        Key(vk);
    }
    void Paint() {
        window.InvalidateAll(true);
        window.RunPendingPaint();
    }

    const EditBuffer& B() const { return engine.Buffer(); }
    const EditView& V() const { return engine.View(); }
    const CurrentWord& W() const { return engine.Word(); }
    std::string Text() const { return engine.Text(); }
    int H() const { return engine.LineHeight(); }

    vexa::test::FixturePlatform sim;
    script::ConverterLibrary converter{sim};
    sim::SimFonts fonts;
    sim::SimWindow window;
    RecordingEvents events;
    FakeKeyboard keyboard;
    EditEngine engine;
};

// Checks that the counters agree with the text; returns a description of
// the first disagreement, empty when all hold.
std::string CheckInvariants(const EditRig& rig);

}  // namespace vexa::edit::test
