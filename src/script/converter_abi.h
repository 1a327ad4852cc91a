#pragma once

// The calling contract between the module and the family's converter
// libraries. Shared by both sides; plain C types only.
//
//   source   points into a NUL-terminated ISCII string at the syllable to
//            convert;
//   output   receives a NUL-terminated string of byte pairs (glyph code, font
//            digit): digit '2' selects the extension font, any other digit the
//            script font; the module gives at least 256 zeroed bytes, and a
//            converter writes at most 100 bytes with the terminator;
//   consumed is preset to 0 and receives the source bytes used (at least 1);
//   reserved is preset to 0 and never read by the module;
//   flags    is always 0.
//
// The result is ignored.

#if defined(_WIN32) && !defined(_WIN64)
#define VEXA_STDCALL __stdcall
#else
#define VEXA_STDCALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int(VEXA_STDCALL* VexaConvertSyllableFn)(const unsigned char* source, char* output,
                                                 int* consumed, int* reserved, int flags);

#ifdef __cplusplus
}
#endif

// Most bytes a converter may write for one syllable, terminator included.
#define VEXA_CONVERTER_OUTPUT_LIMIT 100
