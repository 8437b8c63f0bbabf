#include "sim/image_check.h"

namespace tarvek::sim {

std::uint16_t ImageCheck(const std::uint8_t* bytes, std::size_t count) {
    // The direct form, most significant bit first: polynomial 0x1021, start value 0x1D0F
    // (0xFFFF with the 16 zero bits of the augmented form already shifted through), no final XOR.
    std::uint16_t crc = 0x1D0F;
    for (std::size_t i = 0; i < count; ++i) {
        crc = static_cast<std::uint16_t>(crc ^ (bytes[i] << 8));
        for (int bit = 0; bit < 8; ++bit) {
            const bool top = (crc & 0x8000) != 0;
            crc = static_cast<std::uint16_t>(crc << 1);
            if (top) {
                crc ^= 0x1021;
            }
        }
    }
    return crc;
}

void SealImage(Bytes& image) {
    const std::size_t n = image.size();
    const std::uint16_t check = ImageCheck(image.data(), n - 2);
    image[n - 2] = static_cast<std::uint8_t>(check & 0xFF);
    image[n - 1] = static_cast<std::uint8_t>(check >> 8);
}

bool IsSealed(const std::uint8_t* image, std::size_t length) {
    if (length < 2) {
        return false;
    }
    const std::uint16_t check = ImageCheck(image, length - 2);
    return image[length - 2] == (check & 0xFF) && image[length - 1] == (check >> 8);
}

}  // namespace tarvek::sim
