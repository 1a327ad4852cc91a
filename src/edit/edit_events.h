#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vexa::edit {

// What the edit control tells its owner. The owner turns them into the
// control's events (CHANGE, Selected, UnSelected) and its modified flag.
class EditEvents {
public:
    virtual ~EditEvents() = default;
    virtual void Changed() {}
    virtual void Selected() {}
    virtual void UnSelected() {}
    virtual void Modified() {}
    // Clipboard keys: copy the selection and tell whether it is on the
    // clipboard (a cut deletes nothing otherwise); paste at the caret and
    // tell whether the text got longer.
    virtual bool CopySelection() { return false; }
    virtual bool Paste() { return false; }
};

// Keystroke translation and the keyboard libraries, as the typing path
// needs them.
class KeyboardServices {
public:
    virtual ~KeyboardServices() = default;
    // The bytes a key types (0 to 8), deciding English or script.
    virtual std::string TranslateKey(unsigned virtualKey, bool impliedShift) = 0;
    // The keyboard library's "make_iscii": the ISCII word that key text
    // spells; nullopt when no library is bound (the key is then ignored).
    virtual std::optional<std::string> MakeIscii(std::string_view keys) = 0;
    // The reverse converter's "Iscii2Ascii"; nullopt when none is bound.
    virtual std::optional<std::string> IsciiToKeys(std::string_view iscii) = 0;
    // The key's scan code (MapVirtualKeyA with map type 0).
    virtual unsigned ScanCode(unsigned virtualKey) = 0;
};

}  // namespace vexa::edit
