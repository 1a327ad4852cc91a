#include "platform/device_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexa::platform {
namespace {

std::u16string Wide(std::string_view bytes) {
    std::u16string wide;
    for (char c : bytes) wide += static_cast<char16_t>(static_cast<unsigned char>(c));
    return wide;
}

// Windows opens the device for these names in every folder, whatever the
// case, extension or folder; names that only start like a device are files.
// Both forms of the rule (Windows-1252 bytes, UTF-16) agree on every case.
TEST(DeviceNames, ReservedNamesInAnyCaseExtensionAndFolderAndNothingElse) {
    const std::pair<bool, std::vector<const char*>> cases[] = {
        {true,
         {"CON", "prn", "Aux", "NUL", "COM0", "com9", "LPT1", "lpt0", "CONIN$", "ConOut$", "COM1.lin",
          "nul.txt.lin", "AUX  .lin", "COM\xB9.lin", "lpt\xB2", "LPT\xB3.x", "COM1.", "com1 . .", "NUL:",
          "con:stream", "C:\\Windows\\system32\\COM1.lin", "dir/sub/aux.dll", "\\\\server\\share\\lpt9.lin",
          "x\\CON"}},
        {false,
         {"", "COM10.lin", "com.lin", "CONX.lin", "console.lin", "lpt.lin", "nul1.lin", "aux_.lin",
          "xcon.lin", "COM\xB4.lin", "COM1\\x.lin", "dv1lay.lin", "C:\\COM1\\dv1lay.lin", "pe1lay32.dll"}},
    };
    for (const auto& [reserved, names] : cases) {
        for (const char* name : names) {
            EXPECT_EQ(IsReservedDeviceName(std::string_view(name)), reserved) << name;
            EXPECT_EQ(IsReservedDeviceName(Wide(name)), reserved) << name;
        }
    }
}

}  // namespace
}  // namespace vexa::platform
