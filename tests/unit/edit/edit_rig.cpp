#include "unit/edit/edit_rig.h"

#include <algorithm>
#include <sstream>

namespace vexa::edit::test {

std::string CheckInvariants(const EditRig& rig) {
    const EditBuffer& b = rig.B();
    const EditView& v = rig.V();
    const std::string& t = b.Text();
    std::ostringstream err;
    const auto ends = [&](std::size_t from, std::size_t to) {
        return static_cast<int>(std::count_if(t.begin() + static_cast<long>(from),
                                              t.begin() + static_cast<long>(to), [](char c) {
                                                  return IsLineEnd(static_cast<unsigned char>(c));
                                              }));
    };
    if (b.LastLine() != ends(0, t.size())) err << "lastLine " << b.LastLine() << " ";
    if (b.CaretIndex() > t.size()) {
        err << "caretIndex " << b.CaretIndex() << " beyond " << t.size() << " ";
        return err.str();
    }
    if (b.CaretLine() != ends(0, b.CaretIndex())) err << "caretLine " << b.CaretLine() << " ";
    if (b.TopLine() < 0 || b.TopLine() > b.LastLine()) err << "topLine " << b.TopLine() << " ";
    std::size_t top = 0;
    for (int n = 0; n < b.TopLine() && top < t.size(); ++top) {
        if (IsLineEnd(static_cast<unsigned char>(t[top]))) ++n;
    }
    if (b.TopLineOffset() != top) err << "topLineOffset " << b.TopLineOffset() << " vs " << top << " ";
    if (v.HScroll() > 0) err << "hScroll " << v.HScroll() << " ";
    if (v.CaretY() != (b.CaretLine() - b.TopLine()) * rig.H()) err << "caretY " << v.CaretY() << " ";
    if (!b.Pending().empty()) err << "pending input left ";
    const int pageLines = rig.engine.PageLines();
    if (rig.engine.VisibleLines() != std::clamp(b.LastLine() - b.TopLine(), 0, pageLines)) {
        err << "visibleLines " << rig.engine.VisibleLines() << " ";
    }
    std::size_t start = b.CaretIndex();
    while (start > 0 && !IsLineEnd(static_cast<unsigned char>(t[start - 1]))) --start;
    const int x = v.HScroll() + rig.engine.MeasureText(std::string_view(t).substr(start, b.CaretIndex() - start));
    if (v.CaretX() != x) err << "caretX " << v.CaretX() << " vs " << x << " ";
    const int selStart = rig.engine.SelStart();
    const int selEnd = selStart + rig.engine.SelLength();
    if (selStart < 0 || selEnd < 0 || selStart > static_cast<int>(t.size()) ||
        selEnd > static_cast<int>(t.size())) {
        err << "selection " << selStart << ".." << selEnd << " ";
    }
    return err.str();
}

}  // namespace vexa::edit::test
