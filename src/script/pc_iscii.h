#pragma once

#include <cstddef>

namespace vexa::script {

// In-place mappings between 8-bit ISCII and PC-ISCII. They are not exact
// inverses: 8-bit bytes 0x80 to 0xA0 do not come back.
void ToPcIscii(unsigned char* buffer, std::size_t length);
void FromPcIscii(unsigned char* buffer, std::size_t length);

}  // namespace vexa::script
