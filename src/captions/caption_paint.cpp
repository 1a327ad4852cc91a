#include "captions/caption_paint.h"

#include <cmath>

#include "captions/caption_kinds.h"
#include "common/dpi_scale.h"
#include "common/run_painter.h"

namespace vexa::captions {

namespace {

using platform::Colour;
using platform::Rect;
using platform::Surface;

void HLine(Surface& s, int x0, int x1, int y, Colour c) { s.Fill({x0, y, x1, y + 1}, c); }
void VLine(Surface& s, int x, int y0, int y1, Colour c) { s.Fill({x, y0, x + 1, y1}, c); }

// A frame whose top and left edges are `topLeft`, the others `bottomRight`.
void Frame(Surface& s, const Rect& r, Colour topLeft, Colour bottomRight) {
    if (r.IsEmpty()) return;
    HLine(s, r.left, r.right - 1, r.top, topLeft);
    VLine(s, r.left, r.top, r.bottom - 1, topLeft);
    HLine(s, r.left, r.right, r.bottom - 1, bottomRight);
    VLine(s, r.right - 1, r.top, r.bottom, bottomRight);
}

Rect Inset(const Rect& r, int d) { return {r.left + d, r.top + d, r.right - d, r.bottom - d}; }

// The focus rectangle: every other pixel of its edges.
void FocusFrame(Surface& s, const Rect& r, Colour c) {
    if (r.IsEmpty()) return;
    for (int x = r.left; x < r.right; x += 2) {
        s.Fill({x, r.top, x + 1, r.top + 1}, c);
        s.Fill({x, r.bottom - 1, x + 1, r.bottom}, c);
    }
    for (int y = r.top; y < r.bottom; y += 2) {
        s.Fill({r.left, y, r.left + 1, y + 1}, c);
        s.Fill({r.right - 1, y, r.right, y + 1}, c);
    }
}

// A filled disc of `diameter` pixels at (x, y), row by row.
void Disc(Surface& s, int x, int y, int diameter, Colour c) {
    const double r = diameter / 2.0;
    for (int row = 0; row < diameter; ++row) {
        const double dy = row + 0.5 - r;
        const int half = static_cast<int>(std::lround(std::sqrt(std::max(0.0, r * r - dy * dy))));
        const int cx = x + diameter / 2;
        s.Fill({cx - half, y + row, cx + half + (diameter % 2), y + row + 1}, c);
    }
}

struct Caption {
    const common::ScriptFonts& fonts;
    int dpi;
    std::string_view scriptName;
    std::string_view run;
    int Width() const { return fonts.Built() ? fonts.MeasureRun(run) : 0; }
    int Height() const {
        return fonts.Built() ? fonts.Description(common::FontSlot::Script).height : 0;
    }
    // A length designed at 96 DPI, at the surface's resolution.
    int Px(int pixels) const { return common::ScaleForDpi(pixels, dpi); }
    void Draw(Surface& s, int x, int y, Colour colour) const {
        if (!fonts.Built() || run.empty()) return;
        s.SetTextColour(colour);
        common::DrawFontCodeRun(s, fonts, scriptName, run, x, y, true);
    }
};

void PaintPush(Surface& s, const Caption& caption, const Rect& client, bool down,
               const ButtonState& state, const ButtonColours& c) {
    Rect r = client;
    s.Fill(r, c.face);
    if (state.isDefault) {
        Frame(s, r, c.darkShadow, c.darkShadow);
        r = Inset(r, 1);
    }
    if (down) {
        Frame(s, r, c.shadow, c.shadow);
    } else {
        Frame(s, r, c.highlight, c.darkShadow);
        Rect inner = Inset(r, 1);
        HLine(s, inner.left, inner.right, inner.bottom - 1, c.shadow);
        VLine(s, inner.right - 1, inner.top, inner.bottom, c.shadow);
    }
    const int shift = down ? caption.Px(1) : 0;
    const int x = client.left + (client.Width() - caption.Width()) / 2 + shift;
    const int y = client.top + (client.Height() - caption.Height()) / 2 + shift;
    caption.Draw(s, x, y, state.enabled ? c.text : c.grayText);
    if (state.focused) FocusFrame(s, Inset(client, caption.Px(3)), c.text);
}

void PaintCheck(Surface& s, const Caption& caption, const Rect& client, bool radio, bool leftText,
                const ButtonState& state, const ButtonColours& c) {
    s.Fill(client, c.face);
    const CheckLayout at =
        LayoutCheck(client, leftText, caption.Width(), caption.Height(), caption.dpi);
    const Rect& b = at.box;
    const Colour inside = state.pressed || !state.enabled ? c.face : c.window;
    if (radio) {
        // A ring one design pixel wide around the dot, centred in the box.
        const int outer = b.Width() - 1, ring = caption.Px(1), dot = caption.Px(4);
        Disc(s, b.left, b.top, outer, c.shadow);
        Disc(s, b.left + ring, b.top + ring, outer - 2 * ring, inside);
        const int inset = (outer - dot) / 2;
        if (state.check)
            Disc(s, b.left + inset, b.top + inset, dot, state.enabled ? c.text : c.grayText);
    } else {
        Frame(s, b, c.shadow, c.highlight);
        const Rect in = Inset(b, 1);
        Frame(s, in, c.darkShadow, c.face);
        s.Fill(Inset(b, 2), inside);
        if (state.check) {
            // The tick: seven columns of three design pixels, down then up,
            // each column scaled as a block so the mark keeps its shape.
            static constexpr int kDrop[7] = {2, 3, 4, 3, 2, 1, 0};
            const Colour mark = state.enabled ? c.text : c.grayText;
            for (int i = 0; i < 7; ++i)
                s.Fill({b.left + caption.Px(3 + i), b.top + caption.Px(3 + kDrop[i]),
                        b.left + caption.Px(4 + i), b.top + caption.Px(6 + kDrop[i])},
                       mark);
        }
    }
    caption.Draw(s, at.text.x, at.text.y, state.enabled ? c.text : c.grayText);
    if (state.focused && caption.Width() > 0) {
        FocusFrame(s,
                   {at.text.x - 1, at.text.y - 1, at.text.x + caption.Width() + 1,
                    at.text.y + caption.Height() + 1},
                   c.text);
    }
}

void PaintGroup(Surface& s, const Caption& caption, const Rect& client, const ButtonState& state,
                const ButtonColours& c) {
    s.Fill(client, c.face);
    const int h = caption.Height();
    const Rect frame{client.left, client.top + h / 2, client.right, client.bottom};
    // Etched: a shadow line with a highlight line below and right of it.
    Frame(s, {frame.left, frame.top, frame.right - 1, frame.bottom - 1}, c.shadow, c.shadow);
    Frame(s, {frame.left + 1, frame.top + 1, frame.right, frame.bottom}, c.highlight, c.highlight);
    HLine(s, frame.left + 1, frame.right - 2, frame.top, c.shadow);
    VLine(s, frame.left, frame.top, frame.bottom - 1, c.shadow);
    const int w = caption.Width();
    if (w > 0) {
        s.Fill({client.left + caption.Px(6), client.top, client.left + caption.Px(10) + w,
                client.top + h},
               c.face);
        caption.Draw(s, client.left + caption.Px(8), client.top,
                     state.enabled ? c.text : c.grayText);
    }
}

}  // namespace

CheckLayout LayoutCheck(const Rect& client, bool leftText, int textWidth, int textHeight, int dpi) {
    CheckLayout at;
    const int box = common::ScaleForDpi(kCheckBoxSize, dpi),
              gap = common::ScaleForDpi(kCheckGap, dpi);
    const int boxTop = client.top + (client.Height() - box) / 2;
    const int textTop = client.top + (client.Height() - textHeight) / 2;
    if (leftText) {
        at.box = {client.right - box, boxTop, client.right, boxTop + box};
        at.text = {at.box.left - gap - textWidth, textTop};
        if (at.text.x < client.left + 1) at.text.x = client.left + 1;
    } else {
        at.box = {client.left, boxTop, client.left + box, boxTop + box};
        at.text = {at.box.right + gap, textTop};
    }
    return at;
}

void PaintCaption(Surface& surface, const common::ScriptFonts& fonts, std::string_view scriptName,
                  std::string_view run, const Rect& client, std::uint32_t style,
                  const ButtonState& state, const ButtonColours& colours) {
    const Caption caption{fonts, surface.LogPixelsY(), scriptName, run};
    surface.SetTransparent(true);
    const std::uint32_t kind = style & kKindMask;
    const bool pushLike = (style & kPushLikeStyle) != 0;
    if (kind == kGroupBoxKind) {
        PaintGroup(surface, caption, client, state, colours);
    } else if ((kind == kAutoCheckBoxKind || kind == kAutoRadioKind) && !pushLike) {
        PaintCheck(surface, caption, client, kind == kAutoRadioKind, (style & kLeftTextStyle) != 0,
                   state, colours);
    } else {
        const bool checkedPushLike =
            pushLike && (kind == kAutoCheckBoxKind || kind == kAutoRadioKind) && state.check;
        PaintPush(surface, caption, client, state.pressed || checkedPushLike, state, colours);
    }
}

}  // namespace vexa::captions
