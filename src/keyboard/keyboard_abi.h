#pragma once

// The calling contract between the module and the family's keyboard
// libraries. Shared by both sides; plain C types only. Results are ignored.
//
// "make_iscii" (phonetic library "pe1lay32.dll" and the typewriter libraries
//   "xx1lay32.dll"): input is the NUL-terminated key text of one word, which
//   may begin with ISCII bytes of the word already typed; output receives the
//   NUL-terminated ISCII word. The module gives an output buffer of at least
//   2 * strlen(input) + 32 bytes; a library writes no more than that,
//   terminator included.
// "Iscii2Ascii" (reverse converter "rc2as32.dll"): input is a NUL-terminated
//   ISCII word; output receives NUL-terminated key text from which
//   "make_iscii" gives the word back. Same buffer rule; its first byte is
//   0x00 on entry.
// "get_lay_name" (typewriter libraries): output receives the keyboard's
//   NUL-terminated display name, at most 27 characters (28 bytes).

#ifndef VEXA_STDCALL
#if defined(_WIN32) && !defined(_WIN64)
#define VEXA_STDCALL __stdcall
#else
#define VEXA_STDCALL
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int(VEXA_STDCALL* VexaMakeIsciiFn)(const unsigned char* input, unsigned char* output);
typedef int(VEXA_STDCALL* VexaIscii2AsciiFn)(const unsigned char* input, unsigned char* output);
typedef int(VEXA_STDCALL* VexaGetLayNameFn)(char* output);

#ifdef __cplusplus
}
#endif

#define VEXA_MAKE_ISCII_ENTRY "make_iscii"
#define VEXA_ISCII2ASCII_ENTRY "Iscii2Ascii"
#define VEXA_GET_LAY_NAME_ENTRY "get_lay_name"

// Bytes of the display name buffer, terminator included.
#define VEXA_LAY_NAME_SIZE 28

// The output buffer a library may fill for an input of `n` bytes.
#define VEXA_KEYBOARD_OUTPUT_SIZE(n) (2 * (n) + 32)
