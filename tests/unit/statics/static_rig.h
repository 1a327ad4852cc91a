#pragma once

#include <string>
#include <vector>

#include "sim/sim_url_launcher.h"
#include "statics/static_logic.h"
#include "unit/control_rig.h"

namespace vexa::statics::test {

using vexa::test::Bytes;

inline constexpr std::uint32_t kHighlight = 0x00D77800;

// The window side of a VStatic in memory: a simulated window with fonts
// built as the control builds them, a launcher that records, and a record
// of what the logic asked of the window.
struct StaticRig : StaticView, vexa::test::ControlHost, vexa::test::ContainerSteps<StaticRig> {
    explicit StaticRig(std::string systemDirectory = VEXA_FIXTURE_DIR)
        : ControlHost(std::move(systemDirectory), {0, 0, 200, 40}),
          logic({platform, registry, files, launcher, kHighlight}, *this) {}

    bool WindowExists() const override { return hasWindow; }
    void RebuildFont(const common::DrawingScript& script, bool underline) override {
        ++fontBuilds;
        drawing = script;
        BuildFonts(script, underline);
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

    // A press and a release at the same point: what the user's click is.
    void Click(platform::Point p) {
        logic.ButtonDown(p, window.ClientRect());
        logic.ButtonUp(p, window.ClientRect());
    }
    void Move(platform::Point p, bool leftDown = false) {
        logic.MouseMove(p, window.ClientRect(), leftDown);
    }

    sim::SimUrlLauncher launcher;
    bool capture = false;
    common::DrawingScript drawing;
    std::vector<std::uint32_t> colourAtRedraw;
    int fontBuilds = 0, invalidations = 0, redraws = 0, clicks = 0, modified = 0;
    StaticLogic logic;
};

}  // namespace vexa::statics::test
