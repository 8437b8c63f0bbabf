// The check the Wi-Fi module keeps in the last two bytes of every register image (low byte
// first): CRC-16/AUG-CCITT over the bytes before it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "link/printer_link.h"

namespace tarvek::sim {

std::uint16_t ImageCheck(const std::uint8_t* bytes, std::size_t count);
// Writes the check of an image's other bytes into its last two (an image of at least 2 bytes).
void SealImage(Bytes& image);
// The image's last two bytes are the check of the bytes before them.
bool IsSealed(const std::uint8_t* image, std::size_t length);

}  // namespace tarvek::sim
