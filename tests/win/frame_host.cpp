// The frame of the controls that carry the stock BorderStyle and Appearance
// (VEdit, VStatic, VListBox) in Wine's ATL host: the window's frame is the
// one the properties read, from creation on and at once when a script
// changes them (no save and reload needed). BorderStyle 0 has no frame;
// BorderStyle 1 is sunken with Appearance 1 and a flat line with 0.
#include <ocidl.h>
#include <windows.h>

#include <string>

#include "tests/win/wintest_util.h"

using wintest::Check;
using wintest::GetText;
using wintest::PutShort;

namespace {

// The frame the window has: "none", "sunken", "flat" or "both", and the
// width of its left edge (window rectangle against client rectangle).
std::string FrameOf(HWND w, int& edge) {
    const LONG_PTR style = GetWindowLongPtrA(w, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(w, GWL_EXSTYLE);
    RECT outer, client;
    GetWindowRect(w, &outer);
    GetClientRect(w, &client);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    edge = static_cast<int>(origin.x - outer.left);
    const bool sunken = (exStyle & WS_EX_CLIENTEDGE) != 0, flat = (style & WS_BORDER) != 0;
    return sunken && flat ? "both" : sunken ? "sunken" : flat ? "flat" : "none";
}

std::string Expected(const std::string& border, const std::string& appearance) {
    if (border != "1") return "none";
    return appearance == "1" ? "sunken" : "flat";
}

void CheckFrameOf(const wintest::AtlHost& atl, const char* progId, const std::string& name) {
    const auto placed = atl.Place("frames", 360, 200, progId, {10, 10, 310, 130});
    IDispatch* d = placed.control;
    Check(d != nullptr, name + ": the ATL host created it");
    if (!d) return;
    HWND w = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::stoll(GetText(d, L"hWnd"))));
    auto frameMatches = [&](const std::string& when) {
        const std::string border = GetText(d, L"BorderStyle"), look = GetText(d, L"Appearance");
        int edge = -1;
        const std::string frame = FrameOf(w, edge);
        const int wanted = frame == "none" ? 0 : frame == "flat" ? 1 : 2;
        Check(frame == Expected(border, look) && edge == wanted,
              name + " " + when + ": BorderStyle " + border + ", Appearance " + look + " show the frame " +
                  frame + " (edge " + std::to_string(edge) + " px)");
    };
    frameMatches("new");
    const struct {
        short border, look;
    } steps[] = {{1, 1}, {1, 0}, {0, 0}, {0, 1}, {1, 1}};
    for (const auto& step : steps) {
        PutShort(d, L"BorderStyle", step.border);
        PutShort(d, L"Appearance", step.look);
        frameMatches("after setting " + std::to_string(step.border) + "/" + std::to_string(step.look));
    }
    d->Release();
    placed.unknown->Release();
    DestroyWindow(placed.frame);
    wintest::Pump();
}

}  // namespace

void CheckFramesInAtlHost() {
    wintest::AtlHost atl;
    Check(atl.Ready(), "Wine's ATL host is there");
    if (!atl.Ready()) return;
    CheckFrameOf(atl, "VEXAOCX.VEditCtrl.1", "VEdit");
    CheckFrameOf(atl, "VEXAOCX.VStaticCtrl.1", "VStatic");
    CheckFrameOf(atl, "VEXAOCX.VListBoxCtrl.1", "VListBox");
}
