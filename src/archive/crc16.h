#pragma once
// The 16-bit CRC that LZH archives keep of each file's data and of level-2
// headers (polynomial 0x8005 bit-reversed, initial value 0).
#include <cstddef>
#include <cstdint>

namespace archive {

// Continues `crc` over `size` bytes.
uint16_t Crc16(uint16_t crc, const void* data, size_t size);

}  // namespace archive
