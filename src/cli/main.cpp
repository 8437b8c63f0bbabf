// tarvek-cli: the console front end over the printer engine. Everything but the platform's
// links, console and Ctrl-C lives in tarvek_cli_core.
#include <cstdlib>
#include <iostream>

#include "cli/command/cli_app.h"
#include "cli/platform/platform.h"
#include "cli/session/bluetooth_ports.h"
#include "cli/command/station.h"
#include "link/bluetooth/bluetooth.h"
#include "link/links.h"
#include "link/network/tcp_link.h"

int main(int argc, char** argv) {
    using namespace tarvek;
    cli::PrepareConsole();
    cli::InstallInterruptHandlers();
    Clock& clock = SystemClock();
    // Stale bytes go before each command, never after it: an answer that came while the
    // machine was busy is still there to read.
    constexpr InputPurge kPurge = InputPurge::BeforeWrite;
    const std::unique_ptr<SerialPrinterLink> serial = MakeSerialLink(clock, kPurge);
    const std::unique_ptr<UsbPrinterLink> usb = MakeUsbLink(clock);
    const std::unique_ptr<PortConflictCheck> conflicts = MakePortConflictCheck();
    cli::Platform platform{*serial,
                           *usb,
                           *conflicts,
                           clock,
                           cli::InterruptFlag(),
                           [](const std::string& name, std::string& value) {
                               const char* text = std::getenv(name.c_str());
                               if (text != nullptr) {
                                   value = text;
                               }
                               return text != nullptr;
                           },
                           std::cout,
                           std::cerr,
                           cli::StderrIsTerminal(),
                           cli::SystemCodePage(),
                           cli::UtcTimestamp};
    platform.liveLines = cli::StdoutIsTerminal();
    platform.in = &std::cin;
    platform.inputWaiting = cli::InputWaiting;
    platform.networkLink = [&clock] { return MakeTcpLink(clock, kPurge); };
    platform.finder.list = [](const std::vector<std::string>& paths) { return ListPorts(paths); };
    platform.finder.detect = [&clock](const std::vector<std::string>& ports,
                                      const DetectionPlan& plan) {
        return DetectLines(
            ports, [&clock] { return MakeSerialLink(clock, kPurge); }, clock, plan);
    };
    platform.makeSerial = [&clock] { return MakeSerialLink(clock, kPurge); };
    platform.bluetooth = [] { return MakeBluetoothClient(cli::InterruptFlag()); };
    platform.bluetoothLink = [&clock] {
        return MakeBluetoothLink(clock, cli::InterruptFlag(), kPurge);
    };
    platform.finder = cli::WithBluetoothPorts(
        platform.finder, platform.bluetooth,
        [&clock](const std::vector<std::string>& ports, const DetectionPlan& plan) {
            return DetectLines(
                ports, [&clock] { return MakeBluetoothLink(clock, cli::InterruptFlag(), kPurge); },
                clock, plan);
        });
    return cli::RunCli(argc, argv, platform);
}
