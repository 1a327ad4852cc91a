#pragma once

#include "platform/file_reader.h"
#include "platform/keyboard_input.h"
#include "platform/library_loader.h"
#include "platform/message_boxes.h"
#include "platform/system_paths.h"

namespace vexa::platform {

// The services of the seam that portable code is given. Each member is an
// interface implemented once for Windows (win32/) and once in memory (sim/).
struct Platform {
    LibraryLoader& libraries;
    SystemPaths& paths;
    MessageBoxes& messages;
    KeyboardInput& keyboard;
    FileReader& files;
};

}  // namespace vexa::platform
