// The Unicode twins of the list's text members. Items hold no control
// characters (a line end would split the List), so none is taken.
#include "common/unicode_members.h"
#include "listbox/list_text.h"
#include "listbox/listbox_logic.h"

namespace vexa::listbox {

namespace {

constexpr std::u16string_view kNoControls = u"";

common::ControlError TooMany() { return common::InvalidValue("A VListBox holds at most 32767 items"); }

}  // namespace

common::Outcome ListBoxLogic::GetUnicodeList(std::u16string& out) const {
    out.clear();
    const ListWindow& list = view_.List();
    for (int i = 0; i < list.Count(); ++i) {
        out += common::UnicodeOfStored(list.Text(i), props_.scriptName);
        out += u"\r\n";
    }
    return std::nullopt;
}

common::Outcome ListBoxLogic::SetUnicodeList(std::u16string_view text) {
    // Items end at CR LF, CR or LF; the last one needs no line end.
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos) end = text.size();
        std::string iscii;
        if (common::Outcome refused = common::StoredOfUnicode(
                text.substr(start, end - start), props_.scriptName, iscii, kNoControls, start))
            return refused;
        items.push_back(std::move(iscii));
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    if (items.size() > static_cast<std::size_t>(kMaxItems)) return TooMany();
    FillItems(std::move(items));
    return std::nullopt;
}

common::Outcome ListBoxLogic::GetUnicodeItem(int index, std::u16string& out) const {
    out.clear();
    const ListWindow& list = view_.List();
    if (index >= 0 && index < list.Count()) out = common::UnicodeOfStored(list.Text(index), props_.scriptName);
    return std::nullopt;
}

common::Outcome ListBoxLogic::AddUnicodeItem(std::u16string_view text, int index, bool& added) {
    added = false;
    std::string iscii;
    if (common::Outcome refused = common::StoredOfUnicode(text, props_.scriptName, iscii, kNoControls))
        return refused;
    if (view_.List().Count() >= kMaxItems) return TooMany();
    added = AddIscii(iscii, index);
    return std::nullopt;
}

common::Outcome ListBoxLogic::SetUnicodeItem(int index, std::u16string_view text, bool& replaced) {
    replaced = false;
    std::string iscii;
    if (common::Outcome refused = common::StoredOfUnicode(text, props_.scriptName, iscii, kNoControls))
        return refused;
    ListWindow& list = view_.List();
    if (index < 0 || index >= list.Count()) return std::nullopt;
    const bool selected = list.IsSelected(index);
    const int top = list.TopIndex();
    if (list.Delete(index) == kListError) return std::nullopt;
    const int at = props_.sort ? SortedPosition(list, iscii) : index;
    if (!AddIscii(iscii, at)) return std::nullopt;
    if (selected && !list.Multiple()) list.SetCurSel(at);
    list.SetTopIndex(top);
    view_.Invalidate();
    replaced = true;
    return std::nullopt;
}

void ListBoxLogic::TypeUnicode(char16_t unit) {
    common::UnicodeTyping::Keystroke key = unicodeTyping_.Take(unit, Drawing().scriptName);
    if (key.result == common::UnicodeTyping::Result::Refused) services_.platform.messages.Beep();
    if (key.result != common::UnicodeTyping::Result::Typed) return;
    view_.List().SetCurSel(TypeAheadIndex(view_.List(), key.iscii));
}

std::u16string ListBoxLogic::GetUnicodeSelection() const {
    const ListWindow& list = view_.List();
    std::u16string out;
    for (int i = 0; i < list.Count(); ++i) {
        if (!list.IsSelected(i)) continue;
        out += common::UnicodeOfStored(list.Text(i), props_.scriptName);
        out += u"\r\n";
    }
    return out;
}

}  // namespace vexa::listbox
