#include "sim/module_registers.h"

#include <algorithm>
#include <cstdio>

#include "sim/image_check.h"

namespace tarvek::sim {
namespace {

std::string RegisterCommand(char verb, int index, const char* end) {
    const RegisterLayout* layout = LayoutOf(index);
    if (layout == nullptr) {
        return std::string();
    }
    char text[16];
    std::snprintf(text, sizeof text, "%c %02u %02u%s", verb, unsigned{layout->group},
                  unsigned{layout->number}, end);
    return text;
}

}  // namespace

const RegisterLayout* LayoutOf(int index) {
    if (index < 0 || index >= kRegisterCount) {
        return nullptr;
    }
    return &kRegisterLayouts[index];
}

std::string ReadCommandOf(int index) {
    return RegisterCommand('r', index, "\r");
}

std::string WriteCommandPrefixOf(int index) {
    return RegisterCommand('w', index, " ");
}

int IndexReadBy(const std::string& command) {
    for (int index = 0; index < kRegisterCount; ++index) {
        if (command == ReadCommandOf(index)) {
            return index;
        }
    }
    return -1;
}

int IndexWrittenBy(const std::string& command) {
    for (int index = 0; index < kRegisterCount; ++index) {
        const std::string prefix = WriteCommandPrefixOf(index);
        if (command.size() > prefix.size() && command.compare(0, prefix.size(), prefix) == 0) {
            return index;
        }
    }
    return -1;
}

RegisterImage MakeRegisterImage(int index, const Bytes& data) {
    const RegisterLayout* layout = LayoutOf(index);
    if (layout == nullptr) {
        return {};
    }
    RegisterImage image(static_cast<std::size_t>(layout->imageLength), 0);
    image[0] = layout->group;
    image[1] = layout->number;
    image[2] = static_cast<std::uint8_t>(layout->imageLength);
    const std::size_t room = static_cast<std::size_t>(layout->dataBytes);
    std::copy_n(data.begin(), std::min(room, data.size()), image.begin() + kImageDataOffset);
    SealImage(image);
    return image;
}

bool HasHeaderOf(int index, const Bytes& image) {
    const RegisterLayout* layout = LayoutOf(index);
    return layout != nullptr && image.size() == static_cast<std::size_t>(layout->imageLength) &&
           image[0] == layout->group && image[1] == layout->number &&
           image[2] == layout->imageLength && image[3] == 0;
}

}  // namespace tarvek::sim
