#include "listbox/listbox_logic.h"
#include "listbox/listbox_properties.h"

#include <algorithm>

#include "common/default_values.h"
#include "defaults/settings_record.h"
#include "keyboard/keyboard_loader.h"
#include "keyboard/translate_key.h"
#include "listbox/list_text.h"
#include "script/font_code.h"
#include "script/iscii_text.h"

namespace vexa::listbox {

namespace {

constexpr std::string_view kControlName = "VListBox";

// The count, the selection and the search start are 16-bit numbers at the
// automation boundary: an item past the last one they can name is refused,
// so that no index ever stands for another item.
common::ControlError TooManyItems() {
    return common::InvalidValue("A VListBox holds at most 32767 items");
}

common::ControlError InvalidFormat() {
    return common::InvalidValue(std::string(script::kInvalidFormatHelpText));
}

bool KnownFormat(int format) { return format >= 0 && format <= 2; }

// Keys that never start a type-ahead search: the vertical arrows, the
// function keys, Insert, Clear, the lock keys, Shift, Escape and Pause.
bool SkipsSearch(int vk) {
    return vk == 38 || vk == 40 || (vk >= 112 && vk <= 135) || vk == 45 || vk == 12 || vk == 145 ||
           vk == 144 || vk == 16 || vk == 27 || vk == 19 || vk == 20;
}

}  // namespace

bool ListKeepsKey(unsigned vk, unsigned scanCode) {
    if (vk == 9) return false;
    if (vk == 1 || vk == 16 || (vk >= 33 && vk <= 40) || vk == 47) return true;
    return scanCode >= 1 && scanCode <= 53;
}

ListBoxLogic::ListBoxLogic(ListBoxServices services, ListBoxView& view)
    : services_(services),
      view_(view),
      binding_(services.platform, props_, *this, common::BindingRules::FixedBilingual) {}

bool ListBoxLogic::EnglishMode() const { return binding_.DrawsEnglish(); }

common::DrawingScript ListBoxLogic::Drawing() const { return binding_.FixedBilingualDrawing(); }

void ListBoxLogic::Exchange(common::PropertyExchange& px, bool userMode) {
    ListBoxProperties& p = props_;
    // The items travel as ISCII text, each ended by CR LF.
    p.storedList = px.IsLoading() ? std::string() : JoinItems(view_.List(), "\r\n", true);
    common::ExchangeTable(ListBoxPropertyTable(), p, px, common::ReadDefaultValues(services_.registry));
    const std::string list = std::move(p.storedList);
    p.storedList.clear();
    if (px.IsLoading()) {
        // Saved items are ISCII already: no data-format conversion.
        const std::vector<std::string> items = ParseList(list);
        view_.List().BeginUpdate(static_cast<int>(items.size()));
        view_.List().Reset();
        for (const std::string& item : items) AddIscii(item, -1);
        view_.List().EndUpdate();
    }
    common::ApplySettingsFileRules(px, userMode, p,
                                     {[this] { return LoadGlobalSettings(); },
                                      [this] { return SaveGlobalSettings(); }});
    // The settings file may have changed the selection kind and sorting.
    if (px.IsLoading()) {
        view_.List().SetMultiple(p.multipleSelection);
        if (p.sort) SortItems();
    }
}

bool ListBoxLogic::BindAtCreation() {
    if (!binding_.BindAtCreation(kControlName)) return false;
    LoadKeyboard();
    return true;
}

void ListBoxLogic::WindowCreated() {
    view_.List().SetMultiple(props_.multipleSelection);
    RebuildFonts();
}

int ListBoxLogic::FittedHeight(int clientHeight) const {
    if (itemHeight_ <= 0) return clientHeight;
    const int rest = clientHeight % itemHeight_;
    if (rest == 0 || clientHeight < itemHeight_) return clientHeight;
    return clientHeight - rest;
}

void ListBoxLogic::RebuildFonts() {
    itemHeight_ = 0;
    if (!view_.WindowExists()) return;
    itemHeight_ = view_.BuildFonts(Drawing());
    ApplyItemHeights();
    view_.Invalidate();
}

void ListBoxLogic::ApplyItemHeights() {
    if (itemHeight_ <= 0) return;
    ListWindow& list = view_.List();
    const int count = list.Count();
    list.BeginUpdate();
    for (int i = 0; i < count; ++i) list.SetItemHeight(i, itemHeight_);
    list.EndUpdate();
}

void ListBoxLogic::LoadKeyboard() {
    keyboard::LoadListKeyboard(services_.platform,
                               {props_.scriptName, props_.keyboardType, props_.linFile, 0});
    layout_ = keyboard::ListFileLayout();
}

void ListBoxLogic::SetScriptName(const std::string& name) {
    binding_.SetScriptName(name);
    LoadKeyboard();
    RebuildFonts();
}

void ListBoxLogic::SetKeyboardType(std::int16_t type) {
    binding_.SetKeyboardType(type);
    LoadKeyboard();
}

void ListBoxLogic::SetLinFile(const std::string& file) {
    binding_.SetLinFile(file);
    LoadKeyboard();
}

common::Outcome ListBoxLogic::SetIsciiDataFormat(std::int16_t format) {
    if (common::Outcome refused = common::CheckIsciiDataFormat(format)) return refused;
    props_.isciiDataFormat = format;
    Modified();
    return std::nullopt;
}

void ListBoxLogic::SetSort(bool on) {
    props_.sort = on;
    if (on) SortItems();
    Modified();
}

void ListBoxLogic::SortItems() {
    ListWindow& list = view_.List();
    const int count = list.Count();
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(count));
    bool sorted = true;
    for (int i = 0; i < count; ++i) {
        items.push_back(list.Text(i));
        if (i > 0 && ByteLess(items[static_cast<std::size_t>(i)], items[static_cast<std::size_t>(i - 1)]))
            sorted = false;
    }
    if (sorted) return;
    std::sort(items.begin(), items.end(),
              [](const std::string& a, const std::string& b) { return ByteLess(a, b); });
    list.BeginUpdate(count);
    list.Reset();
    for (const std::string& item : items) AddIscii(item, -1);
    list.EndUpdate();
}

void ListBoxLogic::SetMultipleSelection(bool on) {
    props_.multipleSelection = on;
    view_.List().SetMultiple(on);
    if (view_.WindowExists()) {
        view_.SelectionKindChanged(on);
        ApplyItemHeights();
    }
    view_.Invalidate();
    Modified();
}

void ListBoxLogic::SetBackColor(std::uint32_t colour) {
    props_.backColor = colour;
    view_.Invalidate();
    Modified();
}

void ListBoxLogic::SetForeColor(std::uint32_t colour) {
    props_.foreColor = colour;
    view_.Invalidate();
    Modified();
}

void ListBoxLogic::SetGlobalSettings(bool on) {
    props_.globalSettings = on;
    Modified();
}

void ListBoxLogic::SetAccessGlobal(bool on) {
    props_.accessGlobal = on;
    if (on && LoadGlobalSettings()) {
        const ListBoxProperties read = props_;
        SetSort(read.sort);
        SetMultipleSelection(read.multipleSelection);
        if (KnownFormat(read.isciiDataFormat)) props_.isciiDataFormat = read.isciiDataFormat;
        SetForeColor(read.foreColor);
        SetBackColor(read.backColor);
        SetFontSize(read.fontSize);
        SetScriptName(read.scriptName);
        SetFontName(read.fontName);
        view_.Invalidate();
    }
    Modified();
}

std::string ListBoxLogic::GetList() const { return JoinItems(view_.List(), "\r\n", false); }

common::Outcome ListBoxLogic::SetList(const std::string& text) {
    if (!KnownFormat(props_.isciiDataFormat)) return InvalidFormat();
    // Each item is converted on its own; a sorted list is sorted once and
    // then filled in order.
    std::vector<std::string> items;
    for (const std::string& item : ParseList(text))
        items.push_back(*script::AssignedTextFromFormat(item, props_.isciiDataFormat));
    if (items.size() > static_cast<std::size_t>(kMaxItems)) return TooManyItems();
    FillItems(std::move(items));
    return std::nullopt;
}

void ListBoxLogic::FillItems(std::vector<std::string> items) {
    if (props_.sort)
        std::sort(items.begin(), items.end(),
                  [](const std::string& a, const std::string& b) { return ByteLess(a, b); });
    view_.List().BeginUpdate(static_cast<int>(items.size()));
    view_.List().Reset();
    for (const std::string& item : items) AddIscii(item, -1);
    view_.List().EndUpdate();
    view_.Invalidate();
    Modified();
}

int ListBoxLogic::SelCount() const {
    const int n = view_.List().SelCount();
    return n < 0 ? 0 : n;
}

void ListBoxLogic::SetTopIndex(int index) {
    view_.List().SetTopIndex(index);
    view_.Invalidate();
    Modified();
}

bool ListBoxLogic::SetCurSel(int index) {
    const int result = view_.List().SetCurSel(index);
    if (result != kListError) SelectionMoved();
    return result != kListError || (index == -1 && !view_.List().Multiple());
}

int ListBoxLogic::FindString(int startFrom, bool exact, const std::string& text) const {
    return FindItem(view_.List(), startFrom, exact, text);
}

void ListBoxLogic::Clear() { view_.List().Reset(); }

bool ListBoxLogic::RemoveItem(int index) { return view_.List().Delete(index) != kListError; }

std::optional<std::vector<int>> ListBoxLogic::GetSelectedItems(int maxItems) const {
    const ListWindow& list = view_.List();
    const int selected = list.SelCount();
    if (selected == kListError) return std::nullopt;
    std::vector<int> out;
    if (list.SelectedItems(std::clamp(maxItems, 0, selected), out) == kListError)
        return std::nullopt;
    return out;
}

bool ListBoxLogic::AddIscii(const std::string& iscii, int index) {
    ListWindow& list = view_.List();
    if (props_.sort) index = SortedPosition(list, iscii);
    const int at = list.Insert(index, iscii);
    if (at == kListError) return false;
    if (itemHeight_ > 0) list.SetItemHeight(at, itemHeight_);
    return true;
}

common::Outcome ListBoxLogic::AddItem(const std::string& text, int index, bool& added) {
    added = false;
    std::optional<std::string> iscii = script::AssignedTextFromFormat(text, props_.isciiDataFormat);
    if (!iscii) return InvalidFormat();
    if (view_.List().Count() >= kMaxItems) return TooManyItems();
    added = AddIscii(*iscii, index);
    return std::nullopt;
}

common::Outcome ListBoxLogic::GetItemText(int index, std::string& text) const {
    text.clear();
    const ListWindow& list = view_.List();
    if (index < 0 || index >= list.Count()) return std::nullopt;
    std::optional<std::string> out = script::StoredTextInFormat(list.Text(index), props_.isciiDataFormat);
    if (!out) return InvalidFormat();
    text = std::move(*out);
    return std::nullopt;
}

bool ListBoxLogic::KeyDown(int virtualKey, int scanBits, bool ctrlDown) {
    unicodeTyping_.Reset();
    if (ctrlDown || SkipsSearch(virtualKey)) return false;
    keyboard::ListFileLayout() = layout_;
    const std::string typed = keyboard::TranslateListKey(
        services_.platform.keyboard, {props_.disableEnglish, Drawing().scriptName}, virtualKey,
        scanBits);
    // A key that types nothing (Home, the page keys, Left, Right) leaves
    // the selection to the list window.
    if (typed.empty()) return false;
    if (view_.List().SetCurSel(TypeAheadIndex(view_.List(), typed)) != kListError) SelectionMoved();
    return true;
}

std::string ListBoxLogic::ItemRun(int index) {
    return script::ToFontCodeRun(binding_.Converter(), view_.List().Text(index), EnglishMode());
}

bool ListBoxLogic::SaveGlobalSettings() {
    return common::SaveSettingsFile(services_.settings, ListBoxSettingsLayout(), ListBoxPropertyTable(), props_);
}

bool ListBoxLogic::LoadGlobalSettings() {
    return common::LoadSettingsFile(services_.settings, ListBoxSettingsLayout(), ListBoxPropertyTable(), props_);
}

}  // namespace vexa::listbox
