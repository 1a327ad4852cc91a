#pragma once

// Sizes the controls draw by hand (check boxes, radio dots, the caret, the
// focus frame's inset) are designed at 96 dots per inch. At another display
// resolution they grow with the text, which the fonts already do through
// the surface's LogPixelsY, so boxes, marks and captions stay in proportion.

namespace vexa::common {

inline constexpr int kDesignDpi = 96;

// A length of `pixels` at 96 DPI, at `dpi`, rounded to the nearest pixel;
// never below one pixel for a positive length.
constexpr int ScaleForDpi(int pixels, int dpi) {
    if (dpi <= 0) return pixels;
    const int scaled = (pixels * dpi + kDesignDpi / 2) / kDesignDpi;
    return pixels > 0 && scaled < 1 ? 1 : scaled;
}

}  // namespace vexa::common
