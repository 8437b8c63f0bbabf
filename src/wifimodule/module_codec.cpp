#include "wifimodule/module_codec.h"

#include <algorithm>
#include <cstring>

namespace tarvek {
namespace {

constexpr ModuleRegister kRegisters[kRegisterCount] = {
    {"03", "00", 12, false},  // IP address
    {"03", "01", 12, false},  // netmask
    {"03", "02", 12, false},  // gateway
    {"03", "03", 12, false},  // DNS server
    {"09", "01", 40, false},  // SSID
    {"09", "00", 12, false},  // WLAN options
    {"09", "02", 28, true},   // four 40-bit WEP keys
    {"09", "03", 60, true},   // four 104-bit WEP keys
    {"09", "04", 40, true},   // WPA passphrase
    {"09", "05", 40, true},   // WPA pre-shared key
};

constexpr char kHexDigits[] = "0123456789ABCDEF";

int NibbleOf(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void AppendHexByte(std::string& text, std::uint8_t byte) {
    text.push_back(kHexDigits[byte >> 4]);
    text.push_back(kHexDigits[byte & 0x0F]);
}

}  // namespace

Bytes BuildCommandFrame(const std::string& command) {
    if (command.size() > 255) {
        return {};
    }
    Bytes frame{0x1B, '[', 'D', static_cast<std::uint8_t>(command.size())};
    frame.insert(frame.end(), command.begin(), command.end());
    return frame;
}

bool FindSecretInCommand(const std::uint8_t* chunk, std::size_t count, CommandSecret& secret) {
    // The frame's three fixed bytes, then its length byte.
    const Bytes frame = BuildCommandFrame("");
    const std::size_t at = frame.size();
    if (count < at || !std::equal(frame.begin(), frame.end() - 1, chunk)) {
        return false;
    }
    const std::string command(reinterpret_cast<const char*>(chunk) + at, count - at);
    for (int index = 0; index < kRegisterCount; ++index) {
        if (!kRegisters[index].secret) {
            continue;
        }
        const std::string write = BuildWriteCommandPrefix(index);
        if (command.compare(0, write.size(), write) == 0) {
            secret = CommandSecret{at + write.size(), count - 1, false};  // up to the closing CR
            return true;
        }
        const std::string read = BuildReadCommand(index);
        if (command.compare(0, read.size(), read) == 0) {
            secret = CommandSecret{0, 0, true};
            return true;
        }
    }
    return false;
}

Bytes BuildIspModeSwitch(bool enter) {
    return Bytes{0x1B, '[', 'M', static_cast<std::uint8_t>(enter ? 1 : 0)};
}

const ModuleRegister* RegisterAt(int index) {
    if (index < 0 || index >= kRegisterCount) {
        return nullptr;
    }
    return &kRegisters[index];
}

std::string BuildReadCommand(int index) {
    if (index < 0) {
        return std::string();
    }
    const ModuleRegister* reg = RegisterAt(index);
    if (reg == nullptr) {
        return "c 0\r";
    }
    return std::string("r ") + reg->group + " " + reg->number + "\r";
}

std::string BuildWriteCommandPrefix(int index) {
    const ModuleRegister* reg = RegisterAt(index);
    if (reg == nullptr) {
        return std::string();
    }
    return std::string("w ") + reg->group + " " + reg->number + " ";
}

std::uint16_t ComputeImageCheck(const std::uint8_t* bytes, int count) {
    // The augmented form in a 32-bit register: the CRC sits in the upper half, each byte is
    // added below it, and 16 zero bits close the message.
    std::uint32_t crc = 0xFFFF0000u;
    auto step = [&crc]() {
        if (crc & 0x80000000u) {
            crc ^= 0x08108000u;
        }
        crc <<= 1;
    };
    for (int i = 0; i < count; ++i) {
        crc += static_cast<std::uint32_t>(bytes[i]) << 8;
        for (int bit = 0; bit < 8; ++bit) {
            step();
        }
    }
    for (int bit = 0; bit < 16; ++bit) {
        step();
    }
    return static_cast<std::uint16_t>(crc >> 16);
}

std::string EncodeHexPayload(const std::uint8_t* bytes, int count) {
    std::string text;
    text.reserve(static_cast<size_t>(count > 0 ? count * 3 : 0));
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            text.push_back(' ');
        }
        AppendHexByte(text, bytes[i]);
    }
    text.push_back('\r');
    return text;
}

std::string EncodeHexText(const std::uint8_t* bytes, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        AppendHexByte(text, bytes[i]);
    }
    return text;
}

int DecodeHexText(const char* text, int length, std::uint8_t (&out)[kDecodeCapacity]) {
    int count = 0;
    bool high = true;
    for (int i = 0; i < length && count < kDecodeCapacity; ++i) {
        const int nibble = NibbleOf(text[i]);
        if (nibble < 0) {
            continue;
        }
        if (high) {
            out[count] = static_cast<std::uint8_t>(nibble << 4);
        } else {
            out[count] = static_cast<std::uint8_t>(out[count] | nibble);
            ++count;
        }
        high = !high;
    }
    return count;
}

int DecodeHexKeyText(const char* text, int length, std::uint8_t (&out)[kDecodeCapacity]) {
    std::memset(out, 0, sizeof out);
    return DecodeHexText(text, length, out);
}

}  // namespace tarvek
