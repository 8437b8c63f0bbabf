#include "sim/printer_state.h"

namespace tarvek::sim {
namespace {

Bytes Address(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return Bytes{a, b, c, d};
}

}  // namespace

RegisterFile DefaultRegisters() {
    const std::string ssid = "tarvek";
    RegisterFile file;
    file[0] = MakeRegisterImage(0, Address(192, 168, 0, 100));
    file[1] = MakeRegisterImage(1, Address(255, 255, 255, 0));
    file[2] = MakeRegisterImage(2, Address(192, 168, 0, 1));
    file[3] = MakeRegisterImage(3, Address(192, 168, 0, 1));
    file[4] = MakeRegisterImage(4, Bytes(ssid.begin(), ssid.end()));
    // Channel 6, infrastructure; Open System, key 1, no WEP; no WPA.
    file[5] = MakeRegisterImage(5, Bytes{0x61, 0x40, 0x00});
    for (int index = 6; index < kRegisterCount; ++index) {
        file[static_cast<std::size_t>(index)] = MakeRegisterImage(index, {});
    }
    return file;
}

PrinterState DefaultPrinterState() {
    PrinterState state;
    state.working = DefaultRegisters();
    state.flash = state.working;
    return state;
}

}  // namespace tarvek::sim
