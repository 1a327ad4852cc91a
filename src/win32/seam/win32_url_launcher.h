#pragma once

#include "platform/url_launcher.h"

namespace vexa::win32 {

// Opens a web or mail address through its shell association: ShellExecute
// with the verb "open" on the address itself, no parameters, no directory.
// No command line is ever composed, and an address CheckWebAddress refuses
// is not opened.
//
// For tests: when the environment variable VEXA_URL_LOG names a file, the
// address is appended to that file as one line instead of being opened.
class Win32UrlLauncher : public platform::UrlLauncher {
public:
    bool Open(const std::string& address) override;
};

}  // namespace vexa::win32
