#pragma once

// Exported entries of the family's keyboard libraries: plain C names, the
// standard calling convention on 32-bit Windows (VEXA_STDCALL).
#if defined(_WIN32)
#define VEXA_FAMILY_EXPORT extern "C" __declspec(dllexport)
#else
#define VEXA_FAMILY_EXPORT extern "C" __attribute__((visibility("default")))
#endif
