#pragma once

// The edit control's clipboard: the blocks Copy puts there (its own
// "ISCII8" format with the raw bytes, the plain text in the script's font
// code, the Unicode text), and what Paste takes back.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clipboard.h"
#include "platform/message_boxes.h"
#include "script/unicode_text.h"

namespace vexa::edit {

class EditEngine;

inline constexpr std::string_view kIsciiFormatName = "ISCII8";

struct ClipboardBlocks {
    std::string iscii;    // the bytes as stored, then two zero bytes
    std::string text;     // cleaned font code, then a zero byte
    std::string unicode;  // UTF-16 (little-endian) of the bytes, then a zero unit
};

// The blocks of a selection, given its font code (the converter's run with
// the English and script switches removed, as GetZIRVOText gives it).
ClipboardBlocks MakeClipboardBlocks(std::string_view selection, std::string_view fontCode,
                                    script::UnicodeScript script);

// Font code as other programs take plain text: no font switches and no
// forced breaks; every line end of the control (hard, soft at a space or a
// tab) is CR LF.
std::string CleanPlainText(std::string_view fontCode);

// Pasted bytes as typed text may hold them: control bytes other than the
// tab, the line ends and the soft line ends go, and so does DEL.
std::string FilterPasted(std::string_view bytes);

struct PastedText {
    std::string iscii;        // filtered
    std::size_t dropped = 0;  // Unicode characters without an ISCII form
};

// What Paste takes from the open clipboard: the "ISCII8" data up to its
// first zero byte; without it, the Unicode text converted for the script.
// Never the plain text, which is font code. None when neither is there.
std::optional<PastedText> ReadPastedText(platform::Clipboard& clipboard, unsigned isciiFormat,
                                         script::UnicodeScript script);

// What a clipboard command did.
enum class ClipboardResult {
    kDone,     // copied, cut, or the text changed by a paste
    kNothing,  // nothing to do: no selection, a password control, nothing to paste
    kBusy,     // the clipboard could not be opened (another window holds it)
    kRefused,  // the clipboard or its memory refused a block: nothing was put
};

// The clipboard commands of one edit control.
class EditClipboard {
  public:
    EditClipboard(EditEngine& engine, platform::Clipboard& clipboard,
                  platform::MessageBoxes& messages)
        : engine_(engine), clipboard_(clipboard), messages_(messages) {}

    // The id of "ISCII8", registered on first use (a control may work
    // without a window).
    unsigned Format() {
        if (format_ == 0) format_ = clipboard_.RegisterFormat(kIsciiFormatName);
        return format_;
    }

    // Puts the selection on the clipboard in the three formats (nothing for
    // no selection or a password control).
    ClipboardResult Copy();
    // Copy, then the selection is deleted; nothing is deleted unless the
    // copy was done.
    ClipboardResult Cut();
    // Pastes at the caret, over the selection. Characters the script cannot
    // hold are left out and the user is told once, in a message box (the
    // control's seam keeps it silent in a host with no user interface), also
    // when nothing at all could be pasted.
    ClipboardResult Paste();

  private:
    script::UnicodeScript Script() const;

    EditEngine& engine_;
    platform::Clipboard& clipboard_;
    platform::MessageBoxes& messages_;
    unsigned format_ = 0;
};

}  // namespace vexa::edit
