#pragma once

#include <string>
#include <vector>

#include "captions/caption_logic.h"
#include "unit/control_rig.h"

namespace vexa::captions::test {

using vexa::test::Bytes;

// The window side of a caption control in memory: a simulated window with
// fonts built as the control builds them, and a record of what the logic
// asked of it.
struct CaptionRig : CaptionView, vexa::test::ControlHost, vexa::test::ContainerSteps<CaptionRig> {
    explicit CaptionRig(CaptionKind kind, std::string systemDirectory = VEXA_FIXTURE_DIR)
        : ControlHost(std::move(systemDirectory), {0, 0, 160, 30}),
          logic(kind, {platform, registry, files}, *this) {}

    bool WindowExists() const override { return hasWindow; }
    void ApplyStyle(std::uint32_t style) override { styles.push_back(style); }
    void RebuildFont(const common::DrawingScript& script) override {
        ++fontBuilds;
        drawing = script;
        BuildFonts(script);
    }
    void ShowWindowText(const std::string& text) override {
        windowText = text;
        ++textSets;
    }
    void Invalidate() override { ++invalidations; }
    void MarkModified() override { ++modified; }
    bool IsDefaultButton() const override { return defaultButton; }
    void PerformClick() override { ++performedClicks; }

    std::vector<std::uint32_t> styles;
    common::DrawingScript drawing;
    std::string windowText;
    int fontBuilds = 0, textSets = 0, invalidations = 0, modified = 0, performedClicks = 0;
    bool defaultButton = false;
    CaptionLogic logic;
};

}  // namespace vexa::captions::test
