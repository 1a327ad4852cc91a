#include "unit/edit/edit_rig.h"

#include <algorithm>
#include <sstream>

namespace vexa::edit::test {

std::string CheckInvariants(const EditRig& rig) {
    const EditBuffer& b = rig.B();
    const std::string& t = b.Text();
    std::ostringstream err;
    const auto ends = [&](std::size_t from, std::size_t to) {
        return static_cast<int>(std::count_if(t.begin() + static_cast<long>(from),
                                              t.begin() + static_cast<long>(to), [](char c) {
                                                  return IsLineEnd(static_cast<unsigned char>(c));
                                              }));
    };
    if (b.lastLine != ends(0, t.size())) err << "lastLine " << b.lastLine << " ";
    if (b.caretIndex > t.size()) {
        err << "caretIndex " << b.caretIndex << " beyond " << t.size() << " ";
        return err.str();
    }
    if (b.caretLine != ends(0, b.caretIndex)) err << "caretLine " << b.caretLine << " ";
    if (b.topLine < 0 || b.topLine > b.lastLine) err << "topLine " << b.topLine << " ";
    std::size_t top = 0;
    for (int n = 0; n < b.topLine && top < t.size(); ++top) {
        if (IsLineEnd(static_cast<unsigned char>(t[top]))) ++n;
    }
    if (b.topLineOffset != top) err << "topLineOffset " << b.topLineOffset << " vs " << top << " ";
    if (b.hScroll > 0) err << "hScroll " << b.hScroll << " ";
    if (b.caretY != (b.caretLine - b.topLine) * rig.H()) err << "caretY " << b.caretY << " ";
    if (!b.pendingInput.empty()) err << "pending input left ";
    const int pageLines = rig.engine.PageLines();
    if (rig.engine.VisibleLines() != std::clamp(b.lastLine - b.topLine, 0, pageLines)) {
        err << "visibleLines " << rig.engine.VisibleLines() << " ";
    }
    std::size_t start = b.caretIndex;
    while (start > 0 && !IsLineEnd(static_cast<unsigned char>(t[start - 1]))) --start;
    const int x = b.hScroll + rig.engine.MeasureText(std::string_view(t).substr(start, b.caretIndex - start));
    if (b.caretX != x) err << "caretX " << b.caretX << " vs " << x << " ";
    const int selStart = rig.engine.SelStart();
    const int selEnd = selStart + rig.engine.SelLength();
    if (selStart < 0 || selEnd < 0 || selStart > static_cast<int>(t.size()) ||
        selEnd > static_cast<int>(t.size())) {
        err << "selection " << selStart << ".." << selEnd << " ";
    }
    return err.str();
}

}  // namespace vexa::edit::test
