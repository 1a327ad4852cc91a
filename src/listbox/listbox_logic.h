#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/accessible_view.h"
#include "common/control_error.h"
#include "common/script_binding.h"
#include "common/script_fonts.h"
#include "common/script_settings.h"
#include "common/unicode_typing.h"
#include "keyboard/keyboard_layout.h"
#include "listbox/list_window.h"
#include "common/property_exchange.h"
#include "platform/platform.h"
#include "platform/registry_store.h"
#include "platform/settings_files.h"

namespace vexa::listbox {

// The persistent properties of a list box.
struct ListBoxProperties : common::ScriptSettings {
    std::int16_t isciiDataFormat = 0;
    bool sort = false;
    bool multipleSelection = false;
    std::uint32_t backColor = 0x80000005;  // the system window colour
    std::uint32_t foreColor = 0;
    // The items as the container's stream holds them, during an exchange.
    std::string storedList;
};

// What the logic asks of the control's window side.
class ListBoxView {
public:
    virtual ~ListBoxView() = default;
    // The list window: it holds the items with or without a real window.
    virtual ListWindow& List() = 0;
    virtual bool WindowExists() const = 0;
    // Builds the item fonts for the script, faces and size; returns the
    // item height (0 when it cannot build them now).
    virtual int BuildFonts(const common::DrawingScript& /*script*/) { return 0; }
    // Single or extended selection changed (with a window).
    virtual void SelectionKindChanged(bool /*multiple*/) {}
    virtual void Invalidate() {}
    virtual void MarkModified() {}
};

struct ListBoxServices {
    const platform::Platform& platform;
    platform::RegistryStore& registry;
    platform::SettingsFiles& settings;
};

// The list box control without its window: its properties and their rules,
// the script binding, the items (added in the data format, kept in byte
// order when sorted), the automation methods, type-ahead through the
// control's keyboard, persistence and the settings file.
class ListBoxLogic : private common::ScriptHost, public common::AccessibleView {
public:
    static constexpr int kControlIndex = 3;
    // The most items the 16-bit count and indices of the interface can name.
    static constexpr int kMaxItems = 32767;

    ListBoxLogic(ListBoxServices services, ListBoxView& view);

    ListBoxProperties& Props() { return props_; }
    const ListBoxProperties& Props() const { return props_; }
    common::ScriptBinding& Binding() { return binding_; }
    bool EnglishMode() const;
    common::DrawingScript Drawing() const;
    // The height of every item row; 0 while no font is built.
    int ItemHeight() const { return itemHeight_; }

    void Exchange(common::PropertyExchange& px, bool userMode);
    // Window creation: binds the script and its keyboard (asking the user
    // when no converter binds). False when the user answers No.
    bool BindAtCreation();
    // After the window exists and holds the items: fonts and item heights.
    void WindowCreated();
    // The window's client height made a whole number of rows (the list
    // never shows a partial last row); unchanged while the item height is 0.
    int FittedHeight(int clientHeight) const;

    // ---- properties
    void SetScriptName(const std::string& name);
    void SetFontName(const std::string& face) { binding_.SetFontName(face); }
    void SetFontSize(std::int16_t size) { binding_.SetFontSize(size); }
    void SetKeyboardType(std::int16_t type);
    void SetLinFile(const std::string& file);
    void SetDisableEnglish(bool on) { binding_.SetDisableEnglish(on); }
    common::Outcome SetIsciiDataFormat(std::int16_t format);
    void SetSort(bool on);
    void SetMultipleSelection(bool on);
    void SetBackColor(std::uint32_t colour);
    void SetForeColor(std::uint32_t colour);
    void SetAccessGlobal(bool on);
    void SetGlobalSettings(bool on);
    // The items joined by CR LF, as the host gets them (no conversion).
    std::string GetList() const;
    // Refused whole when it holds more than kMaxItems items.
    common::Outcome SetList(const std::string& text);
    int SelCount() const;
    int TopIndex() const { return view_.List().TopIndex(); }
    void SetTopIndex(int index);

    // ---- methods
    int GetCount() const { return view_.List().Count(); }
    int GetCurSel() const { return view_.List().CurSel(); }
    bool SetCurSel(int index);
    int FindString(int startFrom, bool exact, const std::string& text) const;
    void Clear();
    bool RemoveItem(int index);
    // The selected indices, at most `maxItems` and never more than are
    // selected; nullopt when the list does not hold a multiple selection.
    std::optional<std::vector<int>> GetSelectedItems(int maxItems) const;
    // Adds a host's text (in the data format) at `index` (-1: the end; a
    // sorted list places it by byte order). False when the window refused.
    // Refused, with the list unchanged, when the list holds kMaxItems.
    common::Outcome AddItem(const std::string& text, int index, bool& added);
    common::Outcome GetItemText(int index, std::string& text) const;

    // ---- the Unicode twins (listbox_unicode.cpp): the items in the
    // script's Unicode block, whatever the data format; a text the script
    // cannot hold is refused whole with the list unchanged.
    common::Outcome GetUnicodeList(std::u16string& out) const;
    common::Outcome SetUnicodeList(std::u16string_view text);
    common::Outcome GetUnicodeItem(int index, std::u16string& out) const;
    common::Outcome AddUnicodeItem(std::u16string_view text, int index, bool& added);
    // Replaces the item at `index` (a sorted list moves it to its place);
    // the item stays selected if it was. False when there is no such item.
    common::Outcome SetUnicodeItem(int index, std::u16string_view text, bool& replaced);
    // The selected items, each ended by CR LF.
    std::u16string GetUnicodeSelection() const;

    // ---- keys
    // A key went down: type-ahead selects the first item that starts with
    // the key's text. True when a search ran.
    bool KeyDown(int virtualKey, int scanBits, bool ctrlDown);
    // A Unicode character message (listbox_unicode.cpp): type-ahead with its
    // ISCII as with a key's; a character the script cannot hold beeps.
    void TypeUnicode(char16_t unit);
    // The font-code run an item is drawn from.
    std::string ItemRun(int index);

    bool SaveGlobalSettings();
    bool LoadGlobalSettings();

    // The list window moved its selection itself (a key or a click).
    void SelectionMoved();

    // AccessibleView (listbox_accessible.cpp): a list whose items are its
    // children, each with its selection, focus and place (offscreen when
    // scrolled out of view).
    common::AccessibleRole Role(int child) const override;
    std::u16string Name(int child) const override;
    std::uint32_t States(int child) const override;
    int ChildCount() const override { return GetCount(); }
    platform::Rect ChildLocation(int child, const platform::Rect& client) const override;
    int ChildAt(platform::Point p, const platform::Rect& client) const override;
    int FocusedChild() const override;
    std::vector<int> SelectedChildren() const override;
    bool Select(int child, unsigned flags) override;

private:
    // ScriptHost
    void RebuildFonts() override;
    void MarkModified() override { view_.MarkModified(); }
    void Modified() { view_.MarkModified(); }
    // Adds ISCII text as it is (no data-format conversion).
    bool AddIscii(const std::string& iscii, int index);
    void LoadKeyboard();
    void SortItems();
    void FillItems(std::vector<std::string> items);
    void ApplyItemHeights();

    common::UnicodeTyping unicodeTyping_;
    ListBoxServices services_;
    ListBoxView& view_;
    ListBoxProperties props_;
    common::ScriptBinding binding_;
    int itemHeight_ = 0;
    // This control's keyboard layout: the shared list layout is loaded with
    // it before each key is translated.
    keyboard::KeyboardLayout layout_{};
};

// Keys a list box keeps from its container and hands to its list window
// (the navigation keys and the typing keys of the main block); Tab stays
// the container's.
bool ListKeepsKey(unsigned virtualKey, unsigned scanCode);

}  // namespace vexa::listbox
