#include "engine/face_probe.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vexa::family::engine {

#ifdef _WIN32

namespace {

int CALLBACK NoteFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one is enough
}

}  // namespace

bool FaceInstalled(const char* face) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return false;
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;  // every character set of the face
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExA(dc, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    DeleteDC(dc);
    return found;
}

#else

bool FaceInstalled(const char*) { return true; }

#endif

}  // namespace vexa::family::engine
