// A Wi-Fi module behind a fake link, scripted for the sequence tests: it answers register reads
// with whole images, acknowledges writes, unlock and flash, and can be told to stay silent or
// to refuse at a given command.
#pragma once

#include <map>
#include <string>

#include "support/fake_link.h"
#include "wifimodule/module_codec.h"

namespace tarvek::testing {

class ScriptedModule {
  public:
    explicit ScriptedModule(FakeLinkCore& link) : m_link(link) {
        link.onWrite = [this](const Bytes& bytes) { OnWrite(bytes); };
    }

    bool wpaCapable = true;
    int silentAtCommand = -1;   // framed commands are counted from 0
    int refuseAtCommand = -1;   // answers "ERR" CR LF instead of "701"
    int corruptAtCommand = -1;  // a read reply whose image check is off by one
    std::string flashAnswer = "701\r\n";
    std::map<int, Bytes> images;  // by table index, as last written or preset
    std::vector<std::string> commands;
    Bytes mac{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};

    // A register image with the given data bytes (the rest zero) and its image check.
    static Bytes Image(int index, const Bytes& data) {
        const ModuleRegister* reg = RegisterAt(index);
        Bytes image(static_cast<std::size_t>(reg->imageLength), 0);
        image[0] = static_cast<std::uint8_t>(std::stoi(reg->group));
        image[1] = static_cast<std::uint8_t>(std::stoi(reg->number));
        image[2] = static_cast<std::uint8_t>(reg->imageLength);
        std::copy(data.begin(), data.end(), image.begin() + 4);
        const std::uint16_t check = ComputeImageCheck(image.data(), reg->imageLength - 2);
        image[image.size() - 2] = static_cast<std::uint8_t>(check);
        image[image.size() - 1] = static_cast<std::uint8_t>(check >> 8);
        return image;
    }

    static std::string ReadReply(const Bytes& image) {
        std::string hex = EncodeHexPayload(image.data(), static_cast<int>(image.size()));
        hex.pop_back();  // the payload's CR
        return "701\r\n" + hex + "\r\n";
    }

  private:
    void OnWrite(const Bytes& bytes) {
        if (bytes.size() == 4 && bytes[0] == 0x1B && bytes[2] == 'M') {
            if (bytes[3] == 1) {
                m_link.Deliver(B("ISP\r\n"));
            }
            return;
        }
        if (bytes.size() < 4 || bytes[0] != 0x1B || bytes[2] != 'D') {
            return;  // the idle preamble, or the closing byte of a USB link
        }
        const std::string text(bytes.begin() + 4, bytes.end());
        const int n = static_cast<int>(commands.size());
        commands.push_back(text);
        if (n == silentAtCommand) {
            return;
        }
        if (n == refuseAtCommand) {
            m_link.Deliver(B("ERR\r\n"));
            return;
        }
        if (text[0] == 'r') {
            const int index = IndexOf(text.substr(2, 5));
            if (index == 9 && !wpaCapable) {
                m_link.Deliver(B("ERR\r\n"));
                return;
            }
            Bytes image = images.count(index) ? images[index] : Image(index, {});
            if (n == corruptAtCommand) {
                image.back() ^= 1;
            }
            m_link.Deliver(B(ReadReply(image)));
        } else if (text[0] == 'c') {
            Bytes answer(16, 0);
            std::copy(mac.begin(), mac.end(), answer.begin() + 8);
            m_link.Deliver(B(ReadReply(answer)));
        } else if (text[0] == 'w') {
            const int index = IndexOf(text.substr(2, 5));
            std::uint8_t decoded[kDecodeCapacity];
            const int count =
                DecodeHexKeyText(text.c_str() + 8, static_cast<int>(text.size()) - 8, decoded);
            images[index] = Bytes(decoded, decoded + count);
            m_link.Deliver(B("701\r\n"));
        } else if (text[0] == 'f') {
            m_link.Deliver(B(flashAnswer));
        } else {
            m_link.Deliver(B("701\r\n"));
        }
    }

    static int IndexOf(const std::string& groupAndRegister) {
        for (int i = 0; i < kRegisterCount; ++i) {
            const ModuleRegister* reg = RegisterAt(i);
            if (groupAndRegister == std::string(reg->group) + " " + reg->number) {
                return i;
            }
        }
        return -1;
    }

    FakeLinkCore& m_link;
};

}  // namespace tarvek::testing
