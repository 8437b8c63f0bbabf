// A whole profile apply with Wi-Fi against the simulated printer, in real time: its wall time
// against the waits the exchanges themselves ask for (every pause and poll interval of the
// printer's and the module's protocol, summed over the clock's Sleep calls, less the pauses the
// tool adds before opening the port again and after an emulation switch). Not a test.
//   tarvek_cli_bench                   the in-process simulated printer
//   tarvek_cli_bench --port /dev/pts/N  the real serial link to tarvek-printer-sim (19200 baud)
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command/cli_app.h"
#include "link/links.h"
#include "sim/simulated_link.h"

namespace {

using namespace tarvek;

class CountingClock final : public Clock {
  public:
    explicit CountingClock(Clock& inner) : m_inner(inner) {}
    void Sleep(std::uint32_t milliseconds) override {
        slept += milliseconds;
        lastSleep = milliseconds;
        m_inner.Sleep(milliseconds);
    }
    std::uint32_t NowMs() override { return m_inner.NowMs(); }
    std::uint64_t slept = 0;
    std::uint32_t lastSleep = 0;  // cleared by every call of the link

  private:
    Clock& m_inner;
};

// The tool's own pauses are the ones right before the port is opened again (200 ms after a
// command without an answer, 500 ms after a line or emulation switch); the protocol's pauses
// come after a command, or after an open.
class CountingSerial final : public SerialPrinterLink {
  public:
    CountingSerial(SerialPrinterLink& inner, CountingClock& clock)
        : m_inner(inner), m_clock(clock) {}
    using PrinterLink::Write;
    int Open(const std::string& port, int baud, int parity, int data, int stop, int flow) override {
        ownPauses += m_clock.lastSleep;
        return Call(m_inner.Open(port, baud, parity, data, stop, flow));
    }
    int Write(const std::uint8_t* d, int n) override { return Call(m_inner.Write(d, n)); }
    int Read(std::uint8_t* b, int n) override { return Call(m_inner.Read(b, n)); }
    int Close() override { return Call(m_inner.Close()); }
    std::uint64_t ownPauses = 0;

  private:
    int Call(int result) {
        m_clock.lastSleep = 0;
        return result;
    }
    SerialPrinterLink& m_inner;
    CountingClock& m_clock;
};

const char kProfile[] = R"({"tarvek-profile": 1,
 "printer": {"emulation": "escpos", "power-save": "power-off", "power-save.minutes": 30,
             "code-page": "CP_850"},
 "bluetooth": {"pin": "2468", "discoverable": "on"},
 "wifi": {"ip": "10.20.0.31", "netmask": "255.255.255.0", "gateway": "10.20.0.1",
          "dns": "10.20.0.2", "ssid": "bench-floor", "mode": "infrastructure", "channel": 11,
          "encryption": "wpa", "wpa.auth": "wpa2-psk", "wpa.cipher": "aes",
          "passphrase": "bench-pass-1"}})";

}  // namespace

int main(int argc, char** argv) {
    const std::string port = argc == 3 && std::strcmp(argv[1], "--port") == 0 ? argv[2] : "";
    CountingClock clock(SystemClock());
    sim::PrinterModel model;
    model.State().serial.baudRate = 19200;
    sim::SimulatedSerialLink simulated(model, clock);
    const std::unique_ptr<SerialPrinterLink> real = MakeSerialLink(clock);
    CountingSerial serial(port.empty() ? static_cast<SerialPrinterLink&>(simulated) : *real, clock);
    const std::unique_ptr<UsbPrinterLink> usb = MakeUsbLink(clock);
    const std::unique_ptr<PortConflictCheck> conflicts = MakePortConflictCheck();
    const std::string file = "/tmp/tarvek_cli_bench_profile.json";
    std::ofstream(file) << kProfile;
    std::atomic<bool> interrupted{false};
    std::ostringstream out;
    cli::Platform platform{serial, *usb,      *conflicts, clock, interrupted, nullptr,
                           out,    std::cerr, false,      0,     nullptr};
    const std::string portName = port.empty() ? "COM1" : port;
    const char* args[] = {"tarvek-cli", "profile", "apply",
                          file.c_str(), "--port",  portName.c_str()};
    const auto start = std::chrono::steady_clock::now();
    const int exit = cli::RunCli(6, args, platform);
    const double wall =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const double ownPauses = static_cast<double>(serial.ownPauses);
    const double protocol = static_cast<double>(clock.slept) - ownPauses;
    std::printf("profile apply with Wi-Fi (%s): exit %d\n",
                port.empty() ? "in-process simulator" : port.c_str(), exit);
    std::printf("  wall time                %8.0f ms\n", wall);
    std::printf("  protocol's own waits     %8.0f ms\n", protocol);
    std::printf("  the tool's own pauses    %8.0f ms\n", ownPauses);
    std::printf("  wall / protocol's waits  %8.3f (goal <= 1.10)\n", wall / protocol);
    std::printf("  wall / all waits         %8.3f\n", wall / static_cast<double>(clock.slept));
    return exit;
}
