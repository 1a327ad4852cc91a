#pragma once

namespace vexa::common::text {

// Bytes with a meaning of their own in the controls' ISCII text.
inline constexpr unsigned char kCaretMark = 0x01;      // painting only, never stored
inline constexpr unsigned char kSoftBreakSpace = 0x04;  // wrapped at a space
inline constexpr unsigned char kSoftBreakTab = 0x05;    // wrapped at a tab
inline constexpr unsigned char kTab = 0x09;
inline constexpr unsigned char kLineFeed = 0x0A;
inline constexpr unsigned char kHardBreak = 0x0D;       // Enter, or a line end of the host
inline constexpr unsigned char kForcedBreak = 0x1D;     // wrapped inside a word
inline constexpr unsigned char kSpace = 0x20;
inline constexpr unsigned char kFirstIscii = 0xA0;
inline constexpr unsigned char kExtensionCode = 0xF0;

// Tab stops lie every 100 pixels.
inline constexpr int kTabStop = 100;

inline constexpr bool IsLineEnd(unsigned char b) {
    return b == kHardBreak || b == kSoftBreakSpace || b == kSoftBreakTab || b == kForcedBreak;
}

}  // namespace vexa::common::text
