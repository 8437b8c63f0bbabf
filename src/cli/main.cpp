// tarvek-cli: the console front end over the printer engine. Everything but the platform's
// links, console and Ctrl-C lives in tarvek_cli_core.
#include <cstdlib>
#include <iostream>

#include "cli/cli_app.h"
#include "cli/platform.h"
#include "cli/station.h"
#include "link/links.h"

int main(int argc, char** argv) {
    using namespace tarvek;
    cli::PrepareConsole();
    cli::InstallInterruptHandlers();
    Clock& clock = SystemClock();
    const std::unique_ptr<SerialPrinterLink> serial = MakeSerialLink(clock);
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
    platform.finder.list = [](const std::vector<std::string>& paths) { return ListPorts(paths); };
    platform.finder.detect = [](const std::vector<std::string>& ports, const DetectionPlan& plan) {
        return DetectLines(ports, plan);
    };
    return cli::RunCli(argc, argv, platform);
}
