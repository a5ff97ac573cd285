#pragma once

#include "EdidDecoder.h"

// Pieces of the decoder shared between its source files.
namespace edid::detail {

// A CTA-861 extension block (128 bytes, tag 0x02) found at block index `index`.
Cta decodeCta(const uint8_t *block, int index);

// "0x1f"
std::string hexByte(uint8_t value);

} // namespace edid::detail
