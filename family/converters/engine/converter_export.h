#pragma once

// Declares a converter library's exported entry with the converter contract
// (script/converter_abi.h): plain C name, standard calling convention on i686.

#include "script/converter_abi.h"

#if defined(_WIN32)
#define VEXA_CONVERTER_EXPORT extern "C" __declspec(dllexport)
#else
#define VEXA_CONVERTER_EXPORT extern "C" __attribute__((visibility("default")))
#endif

#define VEXA_CONVERTER_ENTRY(name)                                                           \
    VEXA_CONVERTER_EXPORT int VEXA_STDCALL name(const unsigned char* source, char* output, \
                                                int* consumed, int* reserved, int flags)
