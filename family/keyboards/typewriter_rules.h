#pragma once

#include <string>
#include <string_view>

// How a typewriter keyboard's keys become ISCII. A typewriter typist types
// what the eye sees, left to right:
//  - a vowel sign drawn before the consonant is typed before it: its key
//    gives the invisible consonant 0xD9 and the sign, and the sign moves
//    after the consonant (or conjunct) typed next;
//  - the reph is typed after the syllable it stands on: its key gives RA,
//    virama, 0xD9, and RA + virama move before that syllable;
//  - a full letter is a half letter (consonant + virama) and the stroke of
//    the aa sign;
//  - two-part vowels are typed as their parts.
// ISCII already in the input (the word typed before) stays as it is, since
// it never holds the 0xD9 markers.
namespace vexa::family::typewriter {

struct Rules {
    // अ + ा gives आ.
    bool composeLongA = false;
    // आ + े gives ओ, आ + ै gives औ.
    bool composeO = false;
};

std::string MakeIscii(std::string_view keys, const Rules& rules);

}  // namespace vexa::family::typewriter
