// The Wi-Fi dialog's services over the simulated printer in process: simulated serial and USB
// links on a virtual clock, and a port conflict check that finds no printer.
#pragma once

#include <cstdint>

#include "sim/printer_model.h"
#include "sim/simulated_link.h"
#include "wifi_dialog_fixture.h"

namespace tarvek::testing {

inline constexpr int kSimBaudIndex = 4;  // 9600, the simulated printer's line speed

// IEEE 802.11i-2004, Annex H.4.1, test case 1: passphrase "password", SSID "IEEE".
inline constexpr std::uint8_t kAnnexH4Psk[32] = {
    0xf4, 0x2c, 0x6f, 0xc5, 0x2d, 0xf0, 0xeb, 0xef, 0x9e, 0xbb, 0x4b, 0x90, 0xb3, 0x8a, 0x5f, 0x90,
    0x2e, 0x83, 0xfe, 0x1b, 0x13, 0x5a, 0x70, 0xe2, 0x3a, 0xed, 0x76, 0x2e, 0x97, 0x10, 0xa1, 0x2e};

struct WifiSimEnv {
    VirtualClock clock;
    sim::PrinterModel model;
    sim::SimulatedSerialLink serial{model, clock};
    sim::SimulatedUsbLink usb{model, clock};
    TransportKind kind = TransportKind::Serial;
    sim::SimulatedSerialLink mainSerial{model, clock};
    sim::SimulatedUsbLink mainUsb{model, clock};
    TransportKind mainKind = TransportKind::Serial;
    FakeConflictCheck conflicts;
    DialogServices services{ChannelSet{mainSerial, mainUsb, mainKind},
                            ChannelSet{serial, usb, kind}, clock, conflicts};
};

}  // namespace tarvek::testing
