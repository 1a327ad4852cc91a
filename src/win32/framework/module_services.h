#pragma once

#include "platform/platform.h"
#include "win32/seam/win32_keyboard.h"
#include "win32/seam/win32_platform.h"
#include "win32/seam/win32_registry.h"
#include "win32/seam/win32_settings_files.h"
#include "win32/seam/win32_url_launcher.h"

namespace vexa::win32 {

// The Win32 implementations of the seam, one set per loaded module.
struct ModuleServices {
    ModuleServices();

    Win32LibraryLoader libraries;
    Win32SystemPaths paths;
    Win32MessageBoxes messages;
    Win32Keyboard keyboard;
    Win32FileReader files;
    Win32Registry registry;
    Win32SettingsFiles settings;
    Win32UrlLauncher launcher;
    platform::Platform platform{libraries, paths, messages, keyboard, files};
};

ModuleServices& Services();

}  // namespace vexa::win32
