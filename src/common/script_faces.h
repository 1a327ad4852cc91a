#pragma once

#include <string>
#include <string_view>

namespace vexa::common {

// The second face of a face name: the part before its first "-", then "3"
// for "Bhutanese" and "Tibetan" or "1" otherwise, then the rest from the
// "-" on ("DV-TTDorvan" gives "DV1-TTDorvan"). A face without "-" is its
// own second face.
std::string DeriveSecondFace(std::string_view face, std::string_view script);

// The face English text is drawn with for a catalogue row, given the
// control's face and font type. For monolingual fonts the row's own second
// face when the face is the row's default (the derivation would name a face
// the family does not have), else the derived one; for bilingual fonts the
// row's second face for "Bhutanese", "Sanskrit" and "Tibetan", else the
// face itself.
std::string EnglishFaceForRow(int row, std::string_view fontName, int fontType);

// True when `face` can draw the script of a catalogue row in a font type:
// one of the row's faces for that type (default, second or extension face,
// letter case aside), or a face of the script's family (its name holds the
// script's face prefix, when the script has one).
bool FaceBelongsToRow(std::string_view face, int row, int fontType);

}  // namespace vexa::common
