#include <gtest/gtest.h>

#include <random>

#include "unit/edit/edit_rig.h"

namespace vexa::edit::test {
namespace {

// Long random sequences of keys, clicks, drags, scrolling and text changes,
// with a fixed seed: after every step the counters must agree with the text
// (lines = line-end bytes + 1, caret line and pixels, top line, selection).
class RandomEditTest : public ::testing::TestWithParam<int> {};

EditStyle StyleFor(int kind) {
    switch (kind) {
        case 0: return EditRig::MultiLineWrapped();
        case 1: return EditRig::MultiLineScrolling();
        case 2: {
            EditStyle s = EditRig::MultiLineWrapped();
            s.autoVScroll = false;
            return s;
        }
        default: return EditRig::SingleLine();
    }
}

TEST_P(RandomEditTest, CountersAlwaysAgreeWithTheText) {
    const int kind = GetParam();
    EditStyle style = StyleFor(kind);
    style.vScrollBar = style.multiLine;
    EditRig rig(style);
    rig.keyboard.keys['K'] = Bytes({0xB3});
    rig.keyboard.keys['I'] = Bytes({0xB3, 0xDB});
    rig.keyboard.keys['H'] = Bytes({0xE8});
    rig.keyboard.keys['V'] = Bytes({0xF0, 0xBE});
    rig.keyboard.keys['W'] = Bytes({0xB4, 0xE8, 0xB5, 0xDA});
    const unsigned typed[] = {'K', 'I', 'H', 'V', 'W', 'A', 'B', keys::kSpace, keys::kSpace};
    const unsigned moves[] = {keys::kLeft, keys::kRight, keys::kUp,    keys::kDown,
                              keys::kHome, keys::kEnd,   keys::kPrior, keys::kNext};
    std::mt19937 random(20261206u + static_cast<unsigned>(kind));
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };

    for (int step = 0; step < 3000; ++step) {
        const int what = pick(100);
        if (what < 45) {
            rig.Key(typed[pick(9)]);
        } else if (what < 52) {
            rig.Key(keys::kReturn);
        } else if (what < 60) {
            rig.Key(keys::kBack);
        } else if (what < 66) {
            rig.Key(keys::kDelete);
        } else if (what < 80) {
            rig.Key(moves[pick(8)], pick(3) == 0);
        } else if (what < 86) {
            const int x = pick(340) - 20, y = pick(140) - 20;
            rig.window.SetLeftButton(true);
            rig.engine.OnLButtonDown(kMouseLeft | (pick(4) == 0 ? kMouseShift : 0), {x, y});
            rig.window.SetCursor({pick(340) - 20, pick(140) - 20});
            rig.engine.OnMouseMove(kMouseLeft, rig.window.CursorPosition());
            rig.window.SetLeftButton(false);
            rig.engine.OnLButtonUp(0, rig.window.CursorPosition());
            rig.window.Posted().clear();
        } else if (what < 90) {
            rig.engine.OnVScroll(pick(6), pick(30));
        } else if (what < 92) {
            rig.engine.OnHScroll(pick(6), pick(400));
        } else if (what < 94) {
            rig.engine.SetSelStart(pick(600) - 50);
            rig.engine.SetSelLength(pick(600) - 300);
        } else if (what < 96) {
            rig.engine.Undo();
        } else if (what < 97) {
            std::string text;
            const int n = pick(200);
            for (int i = 0; i < n; ++i) {
                static const char bytes[] = "ab \t\r\x04\x05\x1D\xB3\xDA\xE8\xB4";
                text += bytes[pick(sizeof bytes - 1)];
            }
            rig.engine.SetText(text);
        } else {
            rig.Paint();
        }
        const std::string problem = CheckInvariants(rig);
        ASSERT_EQ(problem, "") << "after step " << step << " (action " << what << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, RandomEditTest, ::testing::Values(0, 1, 2, 3));

}  // namespace
}  // namespace vexa::edit::test
